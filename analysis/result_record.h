// One result as facts: its cards, which of them are static, where its
// transits are, its suit hexagrams' lines, and how the search came to it.
// The text lines, the tool's CSV and JSON records, the window's export and
// the statistics all read a result from here; what follows from the facts
// (hexagram numbers, hex balance, P values, F list) is worked out by
// FiguresOf when it is needed, never stored twice.
#pragma once

#include <array>
#include <cstdint>

#include "cards/notation.h"
#include "engine/layout.h"

namespace zlc {

struct ResultRecord {
  std::uint64_t number = 0;  // results since the start, this one included; 0: no record
  std::int64_t rn = 0;       // the number its first line shows
  std::int32_t tries = 0;    // tries of the batch that found it
  std::uint8_t cardCount = 0;
  std::uint8_t transitCount = 0;  // L(F)
  bool passed = false;            // met the filter
  // The letters in force when it was found: the suit order of its
  // hexagrams, and the rank order of its cards.
  char suitLetters[kSuitCount] = {};
  char rankLetters[kRankCount] = {};
  std::uint8_t suitLines[kSuitCount] = {};  // bit j: line j + 1 is yang
  std::uint64_t staticMask = 0;             // bit i: the card at position i is static
  std::uint64_t transitMask = 0;            // bit i: a transit at position i
  char cards[kDeckSize][2] = {};            // rank letter, suit letter

  bool IsStatic(int position) const { return ((staticMask >> position) & 1u) != 0; }
  bool IsTransit(int position) const { return ((transitMask >> position) & 1u) != 0; }
  bool LineYang(int suit, int line) const { return ((suitLines[suit] >> line) & 1u) != 0; }
};

// What follows from a record's facts.
struct ResultFigures {
  std::uint8_t hexagram[kSuitCount] = {};  // King Wen numbers
  std::uint8_t yangCount[6] = {};          // per line, the suits with it yang
  std::array<std::uint8_t, 6> balancedLines{};  // two yang and two yin suits
  double p[kSuitCount] = {};
  std::uint8_t segmentCount = 0;           // the F list: segment lengths
  std::uint8_t segments[kDeckSize] = {};
};

// The facts of a classified layout (ClassifyElements has run). The count,
// RN, tries and the filter's verdict are the caller's to fill in.
void RecordLayout(ResultRecord& record, const Layout& layout, const NotationSet& notation);

ResultFigures FiguresOf(const ResultRecord& record);

// The balance symbol of a count of yang suits: "--", "-", "=", "+", "++".
const char* BalanceSymbol(int yangSuits);

}  // namespace zlc
