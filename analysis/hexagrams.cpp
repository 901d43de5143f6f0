#include "analysis/hexagrams.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace zlc {
namespace {

constexpr const char* kBalanceSymbols[5] = {"--", "-", "=", "+", "++"};

void AppendNumber(std::string& out, long value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, written.ptr);
}

// Six lines of one suit: yin where the card is a static element. The last
// card is always mobile, so the scan stops before it.
std::array<std::uint8_t, 6> SuitLines(const Layout& layout, char suit,
                                      const std::string& rankLetters) {
  std::array<std::uint8_t, 6> lines{1, 1, 1, 1, 1, 1};
  for (std::int32_t i = 0; i < layout.chain.lastIndex; ++i) {
    const ChainEntry& card = layout.chain.cards[i];
    if (card.suitLetter != suit || layout.mobility[static_cast<std::size_t>(i)] != 0) continue;
    for (int line = 0; line < 6; ++line) {
      if (card.rankLetter == rankLetters[static_cast<std::size_t>(kLineRanks[line])]) {
        lines[static_cast<std::size_t>(line)] = 0;
      }
    }
  }
  return lines;
}

// A suit loses weight on every line where it sides with a majority, most
// where all four suits agree.
double LineFactor(int yangSuits, bool suitYang) {
  constexpr double kTwoThirds = 2.0 / 3.0;
  switch (yangSuits) {
    case 0:
    case 4:
      return 0.5;
    case 1:
      return suitYang ? 1.0 : kTwoThirds;
    case 3:
      return suitYang ? kTwoThirds : 1.0;
    default:
      return 1.0;
  }
}

}  // namespace

int HexagramNumber(const std::array<std::uint8_t, 6>& lines) {
  const auto bit = [&lines](int line) { return lines[static_cast<std::size_t>(line)] != 0 ? 1 : 0; };
  const int lower = TrigramCodeTable[4 * bit(2) + 2 * bit(1) + bit(0)];
  const int upper = TrigramCodeTable[4 * bit(5) + 2 * bit(4) + bit(3)];
  return KingWenTable[lower][upper];
}

void AppendPValue(std::string& out, double p) {
  // nearbyint under the default rounding mode rounds ties to even.
  const auto hundredths = static_cast<long>(std::nearbyint(p * 100.0));
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, hundredths);
  const auto length = static_cast<std::size_t>(written.ptr - digits);
  char padded[32];
  const std::size_t zeros = length < 3 ? 3 - length : 0;
  std::memset(padded, '0', zeros);
  std::memcpy(padded + zeros, digits, length);
  out += padded[0];
  out += '.';
  out.append(padded + 1, zeros + length - 1);
}

std::string FormatPValue(double p) {
  std::string out;
  AppendPValue(out, p);
  return out;
}

void AppendAnalysisLines(std::string& line2, std::string& line3,
                         std::array<std::uint8_t, 6>& balancedLines, const Layout& layout,
                         std::int64_t rn, const NotationSet& notation) {
  line2.clear();
  line3.clear();

  // Lines 2 and 3 start under the first card of line 1.
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, rn);
  const auto padLength = static_cast<std::size_t>(written.ptr - digits) + 2;
  line2.append(padLength, ' ');
  line3.append(padLength, ' ');

  std::array<std::array<std::uint8_t, 6>, kSuitCount> suitLines{};
  std::array<int, 6> yangCount{};
  for (int s = 0; s < kSuitCount; ++s) {
    auto& lines = suitLines[static_cast<std::size_t>(s)];
    lines = SuitLines(layout, notation.suitLetters[static_cast<std::size_t>(s)], notation.rankLetters);
    for (std::size_t line = 0; line < 6; ++line) yangCount[line] += lines[line];
  }
  for (std::size_t line = 0; line < 6; ++line) balancedLines[line] = yangCount[line] == 2 ? 1 : 0;

  line2 += "HB:(";
  for (std::size_t line = 0; line < 6; ++line) {
    if (line > 0) line2 += '/';
    line2 += kBalanceSymbols[yangCount[line]];
  }
  line2 += ")   ";
  for (int s = 0; s < kSuitCount; ++s) {
    const auto& lines = suitLines[static_cast<std::size_t>(s)];
    line2 += "H(";
    line2 += notation.suitLetters[static_cast<std::size_t>(s)];
    line2 += ")=#";
    AppendNumber(line2, HexagramNumber(lines));
    line2 += "  (";
    for (std::uint8_t value : lines) line2 += static_cast<char>('0' + value);
    line2 += ")   ";
  }

  line3 += "P(";
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) line3 += ',';
    line3 += notation.suitLetters[static_cast<std::size_t>(s)];
  }
  line3 += ") = {";
  for (int s = 0; s < kSuitCount; ++s) {
    const auto& lines = suitLines[static_cast<std::size_t>(s)];
    double p = 1.0;
    for (std::size_t line = 0; line < 6; ++line) p *= LineFactor(yangCount[line], lines[line] != 0);
    if (s > 0) line3 += ", ";
    AppendPValue(line3, p);
  }
  line3 += "};   ";

  // F list: segment lengths, each segment closed by a transit.
  int transits = 0;
  for (std::int32_t i = 0; i <= layout.chain.lastIndex; ++i) {
    transits += layout.isTransit[static_cast<std::size_t>(i)] != 0 ? 1 : 0;
  }
  line3 += " F(";
  AppendNumber(line3, transits);
  line3 += ")=";
  int sinceTransit = 0;
  bool first = true;
  for (std::int32_t i = 0; i <= layout.chain.lastIndex; ++i) {
    if (layout.isTransit[static_cast<std::size_t>(i)] == 0) {
      ++sinceTransit;
      continue;
    }
    if (!first) line3 += ':';
    AppendNumber(line3, sinceTransit + 1);
    sinceTransit = 0;
    first = false;
  }
  line3 += "   ";
}

}  // namespace zlc
