#include "analysis/result_record.h"

#include <bit>
#include <cstring>
#include <string>

#include "analysis/hexagrams.h"

namespace zlc {
namespace {

// Rank and suit index of every letter of the notation in force, and the
// hexagram line each rank stands for; rebuilt only when the letters change.
struct LetterTables {
  std::string ranks, suits;
  std::array<std::int8_t, 256> rankOf{}, suitOf{};
  std::array<std::int8_t, kRankCount> lineOfRank{};

  void Follow(const NotationSet& notation) {
    if (ranks == notation.rankLetters && suits == notation.suitLetters) return;
    ranks = notation.rankLetters;
    suits = notation.suitLetters;
    rankOf.fill(-1);
    suitOf.fill(-1);
    for (int r = kRankCount - 1; r >= 0; --r) rankOf[static_cast<std::uint8_t>(ranks[static_cast<std::size_t>(r)])] = static_cast<std::int8_t>(r);
    for (int s = kSuitCount - 1; s >= 0; --s) suitOf[static_cast<std::uint8_t>(suits[static_cast<std::size_t>(s)])] = static_cast<std::int8_t>(s);
    lineOfRank.fill(-1);
    for (int line = 0; line < 6; ++line) lineOfRank[static_cast<std::size_t>(kLineRanks[line])] = static_cast<std::int8_t>(line);
  }
};

// A suit loses weight on every line where it sides with a majority, most
// where all four suits agree.
// (A table, not branches: the counts differ from one result to the next, and
// a mispredicted branch costs more than the product.)
double LineFactor(int yangSuits, bool suitYang) {
  constexpr double kTwoThirds = 2.0 / 3.0;
  static constexpr double kFactor[5][2] = {
      {0.5, 0.5}, {kTwoThirds, 1.0}, {1.0, 1.0}, {1.0, kTwoThirds}, {0.5, 0.5}};
  return kFactor[yangSuits][suitYang ? 1 : 0];
}

constexpr std::uint8_t kAllYang = 0x3F;

}  // namespace

const char* BalanceSymbol(int yangSuits) {
  static constexpr const char* kSymbols[5] = {"--", "-", "=", "+", "++"};
  return kSymbols[yangSuits];
}

void RecordLayout(ResultRecord& record, const Layout& layout, const NotationSet& notation) {
  static thread_local LetterTables letters;
  letters.Follow(notation);
  std::memcpy(record.suitLetters, notation.suitLetters.data(), kSuitCount);
  std::memcpy(record.rankLetters, notation.rankLetters.data(), kRankCount);

  const std::int32_t last = layout.chain.lastIndex;
  record.cardCount = static_cast<std::uint8_t>(last + 1);
  std::uint64_t statics = 0;
  std::uint64_t transits = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    statics |= static_cast<std::uint64_t>(layout.mobility[k] == 0) << i;
    transits |= static_cast<std::uint64_t>(layout.isTransit[k] != 0) << i;
    record.cards[i][0] = layout.chain.cards[i].rankLetter;
    record.cards[i][1] = layout.chain.cards[i].suitLetter;
  }
  record.staticMask = statics;
  record.transitMask = transits;
  record.transitCount = static_cast<std::uint8_t>(__builtin_popcountll(transits));

  // Six lines per suit: yin where the card of the line's rank is a static
  // element. The last card is always mobile, so the scan stops before it.
  std::uint8_t lines[kSuitCount] = {kAllYang, kAllYang, kAllYang, kAllYang};
  for (std::int32_t i = 0; i < last; ++i) {
    if (layout.mobility[static_cast<std::size_t>(i)] != 0) continue;
    const ChainEntry& card = layout.chain.cards[i];
    const int r = letters.rankOf[static_cast<std::uint8_t>(card.rankLetter)];
    const int s = letters.suitOf[static_cast<std::uint8_t>(card.suitLetter)];
    if (r < 0 || s < 0) continue;
    const int line = letters.lineOfRank[static_cast<std::size_t>(r)];
    if (line >= 0) lines[s] = static_cast<std::uint8_t>(lines[s] & ~(1u << line));
  }
  std::memcpy(record.suitLines, lines, sizeof lines);
}

ResultFigures FiguresOf(const ResultRecord& record) {
  ResultFigures figures;
  for (int s = 0; s < kSuitCount; ++s) {
    const unsigned lines = record.suitLines[s];
    const int lower = TrigramCodeTable[((lines >> 2) & 1) * 4 + ((lines >> 1) & 1) * 2 + (lines & 1)];
    const int upper = TrigramCodeTable[((lines >> 5) & 1) * 4 + ((lines >> 4) & 1) * 2 + ((lines >> 3) & 1)];
    figures.hexagram[s] = KingWenTable[lower][upper];
    for (int line = 0; line < 6; ++line) figures.yangCount[line] += (lines >> line) & 1;
  }
  for (std::size_t line = 0; line < 6; ++line) {
    figures.balancedLines[line] = figures.yangCount[line] == 2 ? 1 : 0;
  }
  for (int s = 0; s < kSuitCount; ++s) {
    double p = 1.0;
    for (int line = 0; line < 6; ++line) p *= LineFactor(figures.yangCount[line], record.LineYang(s, line));
    figures.p[s] = p;
  }
  // F list: segment lengths, each segment closed by a transit.
  // The transits are taken bit by bit rather than every card tested.
  std::uint64_t transits = record.transitMask & ((std::uint64_t{1} << record.cardCount) - 1);
  int closed = -1;  // the position of the transit that closed the last segment
  for (; transits != 0; transits &= transits - 1) {
    const int at = std::countr_zero(transits);
    figures.segments[figures.segmentCount++] = static_cast<std::uint8_t>(at - closed);
    closed = at;
  }
  return figures;
}

}  // namespace zlc
