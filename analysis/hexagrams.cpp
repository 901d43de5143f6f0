#include "analysis/hexagrams.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "analysis/text_buffer.h"

namespace zlc {

int HexagramNumber(const std::array<std::uint8_t, 6>& lines) {
  const auto bit = [&lines](int line) { return lines[static_cast<std::size_t>(line)] != 0 ? 1 : 0; };
  const int lower = TrigramCodeTable[4 * bit(2) + 2 * bit(1) + bit(0)];
  const int upper = TrigramCodeTable[4 * bit(5) + 2 * bit(4) + bit(3)];
  return KingWenTable[lower][upper];
}

// nearbyint under the default rounding mode rounds ties to even.
long PHundredths(double p) { return static_cast<long>(std::nearbyint(p * 100.0)); }

namespace {

// "d.dd" of P rounded to hundredths (half to even) into `out`, which has
// room for 32 characters; returns the length.
std::size_t WritePValue(char* out, double p) {
  const long hundredths = PHundredths(p);
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

// Line 3 of 36 transits is the longest: well under this.
using LineText = TextBuffer<512>;

void PutPValue(LineText& line, double p) { line.MoveTo(line.At() + WritePValue(line.At(), p)); }

}  // namespace

void AppendAnalysisLines(std::string& line2, std::string& line3, const ResultRecord& record,
                         const ResultFigures& figures) {
  // Lines 2 and 3 start under the first card of line 1.
  char digits[24];
  const auto padLength =
      static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, record.rn).ptr - digits) + 2;

  LineText two;
  two.Spaces(padLength);
  two.Put("HB:(");
  for (int line = 0; line < 6; ++line) {
    if (line > 0) two.Put('/');
    two.Put(BalanceSymbol(figures.yangCount[line]));
  }
  two.Put(")   ");
  for (int s = 0; s < kSuitCount; ++s) {
    two.Put("H(");
    two.Put(record.suitLetters[s]);
    two.Put(")=#");
    two.Decimal(figures.hexagram[s]);
    two.Put("  (");
    for (int line = 0; line < 6; ++line) two.Put(record.LineYang(s, line) ? '1' : '0');
    two.Put(")   ");
  }
  two.AssignTo(line2);

  LineText three;
  three.Spaces(padLength);
  three.Put("P(");
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) three.Put(',');
    three.Put(record.suitLetters[s]);
  }
  three.Put(") = {");
  for (int s = 0; s < kSuitCount; ++s) {
    if (s > 0) three.Put(", ");
    PutPValue(three, figures.p[s]);
  }
  three.Put("};   ");
  three.Put(" F(");
  three.Decimal(record.transitCount);
  three.Put(")=");
  for (int k = 0; k < figures.segmentCount; ++k) {
    if (k > 0) three.Put(':');
    three.Decimal(figures.segments[k]);
  }
  three.Put("   ");
  three.AssignTo(line3);
}

void AppendAnalysisLines(std::string& line2, std::string& line3,
                         std::array<std::uint8_t, 6>& balancedLines, const Layout& layout,
                         std::int64_t rn, const NotationSet& notation) {
  ResultRecord record;
  RecordLayout(record, layout, notation);
  record.rn = rn;
  const ResultFigures figures = FiguresOf(record);
  AppendAnalysisLines(line2, line3, record, figures);
  balancedLines = figures.balancedLines;
}

}  // namespace zlc
