// The short search several tests run: the task "**" at shuffle depth 12,
// where results come quickly, under a filter of L(F) at most 8 that some of
// them pass; no logs.
#pragma once

#include <cstdint>

#include "calculator/calculator.h"

namespace zlc::test {

inline void SetShortSearch(Calculator& calc, std::uint32_t seed) {
  calc.ResetSettings();
  calc.settings.shuffleDepth = 12;
  calc.settings.autosaveFiltered = false;
  calc.filter.lfEnabled = 1;
  calc.filter.lfThreshold = 8;
  calc.editor.LoadTaskText("**", true);
  calc.SetSeed(seed);
}

}  // namespace zlc::test
