#include "filter/filter_editing.h"

#include "analysis/hexagrams.h"
#include "cards/notation.h"
#include "cards/number_text.h"

namespace zlc {
namespace {

ElementState Cell(const FilterSettings& f, int suit, int rank) {
  return f.elementGrid[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)];
}

char LineChar(ElementState state) {
  switch (state) {
    case ElementState::Static:
      return '0';
    case ElementState::Mobile:
      return '1';
    default:
      return '?';
  }
}

// Trigram index whose code has the three given lines (top first) yang.
int TrigramOf(bool top, bool middle, bool bottom) {
  return TrigramCodeTable[(top ? 4 : 0) + (middle ? 2 : 0) + (bottom ? 1 : 0)];
}

}  // namespace

ElementState NextElementState(ElementState state) {
  return static_cast<ElementState>((static_cast<int>(state) + 1) % 3);
}

bool BalanceLinePossible(const FilterSettings& f, int line) {
  int statics = 0;
  int mobiles = 0;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    const ElementState cell = Cell(f, suit, kLineRanks[line]);
    statics += cell == ElementState::Static ? 1 : 0;
    mobiles += cell == ElementState::Mobile ? 1 : 0;
  }
  return statics <= 2 && mobiles <= 2;
}

ElementState CycleCard(FilterSettings& f, int suit, int rank) {
  ElementState& cell = f.elementGrid[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)];
  cell = NextElementState(cell);
  for (int line = 0; line < 6; ++line) {
    if (!BalanceLinePossible(f, line)) f.hbRequired[static_cast<std::size_t>(line)] = 0;
  }
  return cell;
}

void SetCardState(FilterSettings& f, int suit, int rank, ElementState target) {
  for (int step = 0; step < 2 && Cell(f, suit, rank) != target; ++step) CycleCard(f, suit, rank);
}

void ClearSuit(FilterSettings& f, int suit) {
  for (int rank = 0; rank < kRankCount; ++rank) SetCardState(f, suit, rank, ElementState::Any);
}

bool SetSuitHexagram(FilterSettings& f, int suit, int number) {
  for (int lower = 0; lower < 8; ++lower) {
    for (int upper = 0; upper < 8; ++upper) {
      if (KingWenTable[lower][upper] != number) continue;
      const int cu = TrigramCodeTable[upper];
      const int cl = TrigramCodeTable[lower];
      // Bars top to bottom: A, K, Q from the upper code, 10, 6, 9 from the lower.
      const int bits[6] = {cu & 4, cu & 2, cu & 1, cl & 4, cl & 2, cl & 1};
      for (int bar = 0; bar < 6; ++bar) {
        SetCardState(f, suit, kBarRanks[bar], bits[bar] != 0 ? ElementState::Mobile : ElementState::Static);
      }
      return true;
    }
  }
  return false;
}

std::string LineDigits(int lower, int upper) {
  std::string digits;
  for (int trigram : {lower, upper}) {
    const int code = TrigramCodeTable[trigram];
    for (int bit = 0; bit < 3; ++bit) digits += (code >> bit) & 1 ? '1' : '0';
  }
  return digits;
}

std::string HexagramLabelText(const FilterSettings& f, int suit) {
  bool complete = true;
  std::string digits;
  for (int line = 0; line < 6; ++line) {
    const ElementState cell = Cell(f, suit, kLineRanks[line]);
    complete = complete && cell != ElementState::Any;
    digits += LineChar(cell);
  }
  if (!complete) return "#?  (" + digits + ")";
  const auto yang = [&](int rank) { return Cell(f, suit, rank) == ElementState::Mobile; };
  const int upper = TrigramOf(yang(8), yang(7), yang(6));
  const int lower = TrigramOf(yang(4), yang(0), yang(3));
  return "#" + std::to_string(KingWenTable[lower][upper]) + "  (" + LineDigits(lower, upper) + ")";
}

std::string BalanceLabelText(const FilterSettings& f) {
  std::string text = "HB:(";
  for (std::size_t line = 0; line < 6; ++line) {
    if (line > 0) text += '/';
    text += f.hbRequired[line] == 1 ? '=' : '?';
  }
  return text + ")";
}

void ClearBalanceLines(FilterSettings& f) { f.hbRequired.fill(0); }

std::string CardLabelText(ElementState state, std::string_view name) {
  if (state == ElementState::Static) return "[" + std::string(name) + "]";
  return std::string(name);
}

void SetResultVariants(FilterSettings& f, std::string_view text) {
  f.resultVariants = text == "Many" ? ResultVariants::Many : ResultVariants::One;
}

TypedNumber::Verdict SetThresholdText(FilterSettings& f, std::string_view text) {
  const TypedNumber typed = ReadTypedNumber(text, kLeastLfThreshold, kMostLfThreshold);
  if (typed.verdict == TypedNumber::Verdict::Taken) f.lfThreshold = static_cast<std::uint8_t>(typed.value);
  return typed.verdict;
}

}  // namespace zlc
