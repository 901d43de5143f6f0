// Suit hexagrams of a result, their King Wen numbers, the hex balance, the
// P values and the F list; result lines 2 and 3.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "analysis/result_record.h"
#include "cards/notation.h"
#include "engine/layout.h"

namespace zlc {

// Trigram index (heaven, lake, fire, thunder, wind, water, mountain, earth)
// of a 3-bit code 4 x top + 2 x middle + bottom. The table is its own
// inverse: indexed by a trigram index it gives that trigram's code.
inline constexpr std::uint8_t TrigramCodeTable[8] = {7, 3, 5, 1, 6, 2, 4, 0};

// King Wen number; row = lower trigram index, column = upper trigram index.
inline constexpr std::uint8_t KingWenTable[8][8] = {
    {1, 43, 14, 34, 9, 5, 26, 11},      // heaven
    {10, 58, 38, 54, 61, 60, 41, 19},   // lake
    {13, 49, 30, 55, 37, 63, 22, 36},   // fire
    {25, 17, 21, 51, 42, 3, 27, 24},    // thunder
    {44, 28, 50, 32, 57, 48, 18, 46},   // wind
    {6, 47, 64, 40, 59, 29, 4, 7},      // water
    {33, 31, 56, 62, 53, 39, 52, 15},   // mountain
    {12, 45, 35, 16, 20, 8, 23, 2},     // earth
};

// Rank index of the card behind each hexagram line, line 1 (bottom) first:
// 9, 6, 10, queen, king, ace.
inline constexpr int kLineRanks[6] = {3, 0, 4, 6, 7, 8};

// King Wen number of six lines, lines[0] = line 1 (bottom); nonzero = yang.
int HexagramNumber(const std::array<std::uint8_t, 6>& lines);

// P x 100 rounded half to even: the hundredths line 3 prints.
long PHundredths(double p);

// Those hundredths with a point after the first of at least three digits:
// 1 -> "1.00", 0.125 -> "0.12".
std::string FormatPValue(double p);
void AppendPValue(std::string& out, double p);

// Result lines 2 (hex balance, suit hexagrams) and 3 (P values, F list) of
// a result. Both lines are cleared first.
void AppendAnalysisLines(std::string& line2, std::string& line3, const ResultRecord& record,
                         const ResultFigures& figures);

// The same lines of a classified layout, and the per-line flags of a
// balance of two yang and two yin suits.
void AppendAnalysisLines(std::string& line2, std::string& line3,
                         std::array<std::uint8_t, 6>& balancedLines, const Layout& layout,
                         std::int64_t rn, const NotationSet& notation);

}  // namespace zlc
