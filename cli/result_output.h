// How the tool writes a result: today's three text lines, a CSV row or a
// JSON line. One small interface, so the search loop does not care which.
#pragma once

#include <memory>

#include "cli/output.h"
#include "cli/output_format.h"
#include "calculator/calculator.h"

namespace zlc::cli {

class ResultOutput {
 public:
  virtual ~ResultOutput() = default;
  // What comes before the first result (a CSV header row), if anything.
  virtual void Begin(const Output&) {}
  // The latest result of `calc`; the caller ends the block.
  virtual void Write(const Output& out, const Calculator& calc) = 0;
};

// The text lines go out in the output's encoding; the records are always
// UTF-8.
std::unique_ptr<ResultOutput> MakeResultOutput(OutputFormat format);

}  // namespace zlc::cli
