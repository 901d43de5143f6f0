// A result as one record a program can read: a CSV row (RFC 4180, with a
// header row; every cell a spreadsheet keeps as written) or a JSON object on
// one line. Both walk the one table of fields (record_fields.h), worked out
// from the result's facts, never from its text lines; text is UTF-8 whatever
// the notation's letters.
#pragma once

#include <string>

#include "analysis/result_record.h"

namespace zlc {

// The header row, without its line end.
std::string CsvHeader();
// One row, without its line end (CR LF between rows).
void AppendCsvRecord(std::string& out, const ResultRecord& record);
// One JSON object, without its line end (LF after each).
void AppendJsonRecord(std::string& out, const ResultRecord& record);

}  // namespace zlc
