#include "analysis/hexagrams.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace zlc {
namespace {

constexpr const char* kBalanceSymbols[5] = {"--", "-", "=", "+", "++"};

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

namespace {

// "d.dd" of P rounded to hundredths (half to even) into `out`, which has
// room for 32 characters; returns the length.
std::size_t WritePValue(char* out, double p) {
  // nearbyint under the default rounding mode rounds ties to even.
  const auto hundredths = static_cast<long>(std::nearbyint(p * 100.0));
  char digits[24];
  const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, hundredths).ptr - digits);
  char padded[32];
  const std::size_t zeros = length < 3 ? 3 - length : 0;
  std::memset(padded, '0', zeros);
  std::memcpy(padded + zeros, digits, length);
  out[0] = padded[0];
  out[1] = '.';
  std::memcpy(out + 2, padded + 1, zeros + length - 1);
  return zeros + length + 1;
}

}  // namespace

void AppendPValue(std::string& out, double p) {
  char text[32];
  out.append(text, WritePValue(text, p));
}

std::string FormatPValue(double p) {
  std::string out;
  AppendPValue(out, p);
  return out;
}

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

// Appends to a buffer the line is built in; the line is then assigned once.
class LineText {
 public:
  void Put(char c) { *at_++ = c; }
  void Put(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void Spaces(std::size_t count) {
    std::memset(at_, ' ', count);
    at_ += count;
  }
  void Number(long value) { at_ = std::to_chars(at_, End(), value).ptr; }
  void PValue(double p) { at_ += WritePValue(at_, p); }
  void AssignTo(std::string& line) const { line.assign(buffer_, static_cast<std::size_t>(at_ - buffer_)); }

 private:
  char* End() { return buffer_ + sizeof buffer_; }
  // Line 3 of 36 transits is the longest: well under this.
  char buffer_[512];
  char* at_ = buffer_;
};

}  // namespace

void AppendAnalysisLines(std::string& line2, std::string& line3,
                         std::array<std::uint8_t, 6>& balancedLines, const Layout& layout,
                         std::int64_t rn, const NotationSet& notation) {
  static thread_local LetterTables letters;
  letters.Follow(notation);

  // Six lines per suit: yin where the card of the line's rank is a static
  // element. The last card is always mobile, so the scan stops before it.
  std::uint8_t suitLines[kSuitCount][6];
  std::memset(suitLines, 1, sizeof suitLines);
  for (std::int32_t i = 0; i < layout.chain.lastIndex; ++i) {
    if (layout.mobility[static_cast<std::size_t>(i)] != 0) continue;
    const ChainEntry& card = layout.chain.cards[i];
    const int r = letters.rankOf[static_cast<std::uint8_t>(card.rankLetter)];
    const int s = letters.suitOf[static_cast<std::uint8_t>(card.suitLetter)];
    if (r < 0 || s < 0) continue;
    const int line = letters.lineOfRank[static_cast<std::size_t>(r)];
    if (line >= 0) suitLines[s][line] = 0;
  }
  int yangCount[6] = {};
  for (const auto& lines : suitLines) {
    for (int line = 0; line < 6; ++line) yangCount[line] += lines[line];
  }
  for (std::size_t line = 0; line < 6; ++line) balancedLines[line] = yangCount[line] == 2 ? 1 : 0;

  // Lines 2 and 3 start under the first card of line 1.
  char digits[24];
  const auto padLength = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, rn).ptr - digits) + 2;

  LineText two;
  two.Spaces(padLength);
  two.Put("HB:(");
  for (int line = 0; line < 6; ++line) {
    if (line > 0) two.Put('/');
    two.Put(kBalanceSymbols[yangCount[line]]);
  }
  two.Put(")   ");
  for (int s = 0; s < kSuitCount; ++s) {
    const std::uint8_t* lines = suitLines[s];
    const int lower = TrigramCodeTable[4 * lines[2] + 2 * lines[1] + lines[0]];
    const int upper = TrigramCodeTable[4 * lines[5] + 2 * lines[4] + lines[3]];
    two.Put("H(");
    two.Put(notation.suitLetters[static_cast<std::size_t>(s)]);
    two.Put(")=#");
    two.Number(KingWenTable[lower][upper]);
    two.Put("  (");
    for (int line = 0; line < 6; ++line) two.Put(static_cast<char>('0' + lines[line]));
    two.Put(")   ");
  }
  two.AssignTo(line2);

  LineText three;
  three.Spaces(padLength);
  three.Put("P(");
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) three.Put(',');
    three.Put(notation.suitLetters[static_cast<std::size_t>(s)]);
  }
  three.Put(") = {");
  for (int s = 0; s < kSuitCount; ++s) {
    double p = 1.0;
    for (int line = 0; line < 6; ++line) p *= LineFactor(yangCount[line], suitLines[s][line] != 0);
    if (s > 0) three.Put(", ");
    three.PValue(p);
  }
  three.Put("};   ");

  // F list: segment lengths, each segment closed by a transit.
  int transits = 0;
  for (std::int32_t i = 0; i <= layout.chain.lastIndex; ++i) {
    transits += layout.isTransit[static_cast<std::size_t>(i)] != 0 ? 1 : 0;
  }
  three.Put(" F(");
  three.Number(transits);
  three.Put(")=");
  int sinceTransit = 0;
  bool first = true;
  for (std::int32_t i = 0; i <= layout.chain.lastIndex; ++i) {
    if (layout.isTransit[static_cast<std::size_t>(i)] == 0) {
      ++sinceTransit;
      continue;
    }
    if (!first) three.Put(':');
    three.Number(sinceTransit + 1);
    sinceTransit = 0;
    first = false;
  }
  three.Put("   ");
  three.AssignTo(line3);
}

}  // namespace zlc
