// The fields of a result record, in the one order the CSV row and the JSON
// object give them: each a name and how its value comes from the record. A
// format says only how a kind of value is written, so a field added to the
// table reaches both formats at once.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "analysis/result_record.h"

namespace zlc {

// The kinds of value a field has, as a format writes them.
class ValueWriter {
 public:
  virtual void Integer(std::int64_t value) = 0;
  virtual void Real(double value) = 0;
  virtual void Bool(bool value) = 0;
  virtual void Text(std::string_view utf8) = 0;
  // ASCII that may begin with "+", "-" or "=", which a spreadsheet would
  // take for a formula.
  virtual void Signs(std::string_view ascii) = 0;
  // Bit i of `bits` for i = 0 .. count - 1, as "1" and "0".
  virtual void Flags(std::uint64_t bits, int count) = 0;
  virtual void Numbers(const std::uint8_t* values, int count) = 0;
  virtual void Texts(const std::string_view* utf8, int count) = 0;

 protected:
  ~ValueWriter() = default;
};

// A format: told each field's name before its value, and where each suit's
// fields begin and end.
class RecordSink : public ValueWriter {
 public:
  virtual void Field(std::string_view name) = 0;
  virtual void BeginSuit(int suit) = 0;
  virtual void EndSuit() = 0;

 protected:
  ~RecordSink() = default;
};

class RecordFacts;  // what the fields read, worked out once a record

struct RecordField {
  std::string_view name;
  // `suit` 0..3 for a suit's field, -1 for the record's own.
  void (*write)(const RecordFacts& facts, int suit, ValueWriter& out);
};

// The record's own fields, and the fields every suit has.
std::span<const RecordField> RecordFields();
std::span<const RecordField> SuitFields();

// The record's own fields, then each suit's in suit order.
void WriteRecordFields(const ResultRecord& record, RecordSink& out);

}  // namespace zlc
