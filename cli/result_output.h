// How the tool writes a result: today's three text lines, a CSV row or a
// JSON line. One small interface, so the search loop does not care which.
#pragma once

#include <memory>

#include "cli/block_writer.h"
#include "cli/output_format.h"
#include "engine/calculator.h"

namespace zlc::cli {

class ResultOutput {
 public:
  virtual ~ResultOutput() = default;
  // What comes before the first result (a CSV header row), if anything.
  virtual void Begin(BlockWriter&) {}
  // The latest result of `calc`; the caller ends the block.
  virtual void Write(BlockWriter& writer, const Calculator& calc) = 0;
};

// `cp1251`: text lines in Windows-1251 rather than UTF-8. The records are
// always UTF-8.
std::unique_ptr<ResultOutput> MakeResultOutput(OutputFormat format, bool cp1251);

}  // namespace zlc::cli
