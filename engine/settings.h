// The calculator's options and the main window's three check boxes.
#pragma once

#include <cstdint>

namespace zlc {

// The deepest shuffle accepted: a batch of a thousand tries then still ends
// within a fraction of a second, so the window keeps answering. A depth in
// the thousands of millions would hold a single batch for hours.
inline constexpr std::int32_t kMaxShuffleDepth = 100000;

// How line 1 marks the static elements; the digit is the file's.
enum class StaticMarks : std::uint8_t {
  None = 0,
  Exclaim = 1,   // "!" after the card
  Brackets = 2,  // "[" and "]" around it
};

struct Settings {
  int markTransits = 0;    // 1: transits marked with ">" and "<"
  StaticMarks staticMarkMode = StaticMarks::None;
  int deleteSpaces = 0;    // 1: no space between cards in result line 1
  std::int32_t clearThreshold = 5000;
  std::int32_t shuffleDepth = 1000;
  bool autosaveAll = false;      // the "all" box
  bool autosaveFiltered = true;  // the "filtered" box
  bool clearAtRn = true;         // the "Clear at RN >" box
};

}  // namespace zlc
