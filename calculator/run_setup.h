// What a search's output depends on besides the generator's seed, and which
// of its changes start the statistics again and which only make the lines
// unrepeatable. The one place that knows it: the calculator follows it
// between batches, the repeat command is written from it.
#pragma once

#include <string>
#include <string_view>

#include "cards/notation.h"
#include "engine/settings.h"
#include "filter/filter_settings.h"

namespace zlc {

// The task, the notation, the settings and the filter as they stood when
// the statistics began counting.
struct RunSetup {
  std::string task;
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
};

enum class SetupChange {
  None,
  // What is searched or what passes: the counts made before belong to
  // another search.
  Task,
  Filter,
  Variants,  // one variant of the task per run, or a new one every batch
  ShuffleDepth,
  // Only how the lines read: the same layouts are found and counted, but
  // the lines printed since differ from those a single setting prints.
  Notation,
  Marks,     // the transit and static marks, the spaces of line 1
  Clearing,  // "Clear at RN >": where the result numbers start again
  // Not of the settings: the task's variant drawn anew while counting (the
  // task loaded again, or rewritten in the other notation's letters), which
  // takes the search off the course its seed set.
  VariantDrawnAgain,
};

// True for a change of what is searched.
bool RestartsCounting(SetupChange change);

// The weightiest change from `was` to the current values: one of what is
// searched before one of how the lines read. The autosave boxes change
// nothing here, nor does the notation's name while its letters stay, and
// a task only rewritten in the other notation's letters is the same task.
SetupChange ChangeOf(const RunSetup& was, std::string_view task, const NotationSet& notation,
                     const Settings& settings, const FilterSettings& filter);

}  // namespace zlc
