// The zlc-search command line that repeats, without a window, the run the
// statistics count: its task, the settings its output depends on, and the
// generator's seed at its start.
#pragma once

#include <string>

#include "engine/calculator.h"

namespace zlc {

enum class WhyNoRepeat {
  None,             // there is a command
  NothingSearched,  // no batch counted yet
  // The run went on from an earlier one: the task's variant was drawn
  // before the counting began, or RN did not start at 0.
  ContinuedRun,
};

struct RepeatCommand {
  std::string command;  // Windows-1251, as the core's text; empty when none
  WhyNoRepeat whyNot = WhyNoRepeat::None;
};

RepeatCommand RepeatCommandOf(const Calculator& calc);

}  // namespace zlc
