// The calculator's options and the main window's three check boxes.
#pragma once

#include <cstdint>

namespace zlc {

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
