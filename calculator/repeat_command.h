// The zlc-search command line that repeats, without a window, the run the
// statistics count: its task, the settings its output depends on, as they
// stood when the counting began, and the generator's seed then.
#pragma once

#include <string>

#include "calculator/calculator.h"

namespace zlc {

enum class WhyNoRepeat {
  None,             // there is a command
  NothingSearched,  // no batch counted yet
  // The run went on from an earlier one: the task's variant was drawn
  // before the counting began, or RN did not start at 0.
  ContinuedRun,
  // A line printed since the counting began reads otherwise than any one
  // setting prints it: a change of how lines read (see linesChanged).
  LinesChanged,
};

struct RepeatCommand {
  std::string command;  // Windows-1251, as the core's text; empty when none
  WhyNoRepeat whyNot = WhyNoRepeat::None;
  SetupChange linesChanged = SetupChange::None;  // which, for LinesChanged
};

RepeatCommand RepeatCommandOf(const Calculator& calc);

}  // namespace zlc
