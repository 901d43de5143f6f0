// The calculator's options and the main window's three check boxes.
#pragma once

#include <cstdint>

namespace zlc {

// The deepest shuffle accepted: a batch of a thousand tries then still ends
// within a fraction of a second, so the window keeps answering. A depth in
// the thousands of millions would hold a single batch for hours.
inline constexpr std::int32_t kMaxShuffleDepth = 100000;

struct Settings {
  int markTransits = 0;    // 1: transits marked with ">" and "<"
  int staticMarkMode = 0;  // 0 none, 1 "!" after, 2 "[" "]" around static elements
  int deleteSpaces = 0;    // 1: no space between cards in result line 1
  std::int32_t clearThreshold = 5000;
  std::int32_t shuffleDepth = 1000;
  bool autosaveAll = false;      // the "all" box
  bool autosaveFiltered = true;  // the "filtered" box
  bool clearAtRn = true;         // the "Clear at RN >" box
};

}  // namespace zlc
