// How one result goes to standard output.
#pragma once

#include <string>

#include "cli/output.h"
#include "engine/calculator.h"

namespace zlc::cli {

// The latest result's three lines, as the window's lists show them, as one
// block. False once a write has failed.
inline bool WriteResult(const Output& out, const Calculator& calc) {
  for (const std::string& line : calc.lastBlock.lines) out.Line(line);
  return out.writer.EndBlock();
}

}  // namespace zlc::cli
