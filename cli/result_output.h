// How the tool writes a result: today's three text lines, a CSV row or a
// JSON line. One small interface, so the search loop does not care which.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/block_writer.h"
#include "engine/calculator.h"

namespace zlc::cli {

enum class OutputFormat { Text, Csv, JsonLines };

// "text", "csv" or "jsonl"; empty for any other name.
std::optional<OutputFormat> OutputFormatNamed(std::string_view name);

class ResultOutput {
 public:
  virtual ~ResultOutput() = default;
  // What comes before the first result (a CSV header row); nothing else.
  virtual void Begin(BlockWriter&) {}
  // The latest result of `calc`, as one block of the writer.
  virtual void Write(BlockWriter& writer, const Calculator& calc) = 0;
};

// `cp1251`: text lines in Windows-1251 rather than UTF-8. The records are
// always UTF-8.
std::unique_ptr<ResultOutput> MakeResultOutput(OutputFormat format, bool cp1251);

}  // namespace zlc::cli
