// The zlc-search command line that repeats, without a window, the run the
// statistics count: its task, the settings its output depends on, and the
// generator's seed at its start.
#pragma once

#include <string>

#include "engine/calculator.h"

namespace zlc {

struct RepeatCommand {
  std::string command;  // Windows-1251, as the core's text; empty when none
  std::string whyNot;   // when there is none: why, in a sentence
};

RepeatCommand RepeatCommandOf(const Calculator& calc);

}  // namespace zlc
