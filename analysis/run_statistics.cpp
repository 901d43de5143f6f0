#include "analysis/run_statistics.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "analysis/hexagrams.h"

namespace zlc {

Interval WilsonInterval(std::uint64_t successes, std::uint64_t trials) {
  if (trials == 0) return {};
  constexpr double z = 1.959963984540054;  // the normal quantile of 97.5 %
  const double n = static_cast<double>(trials);
  const double p = static_cast<double>(successes) / n;
  const double z2n = z * z / n;
  const double centre = (p + z2n / 2) / (1 + z2n);
  const double half = z * std::sqrt(p * (1 - p) / n + z2n / (4 * n)) / (1 + z2n);
  // At 0 and at all, the bound on that side is exact; rounding must not
  // move it past.
  return {successes == 0 ? 0.0 : std::max(0.0, centre - half),
          successes == trials ? 1.0 : std::min(1.0, centre + half)};
}

int RunStatistics::TriesBin(std::uint64_t tries) {
  if (tries == 0) return 0;
  return std::min(kTriesBins - 1, static_cast<int>(std::bit_width(tries)) - 1);
}

int RunStatistics::PBin(double p) {
  // By the value as line 3 prints it: a P printed 0.30 (0.296) is counted
  // from 0.30 up, where a reader of the lines looks for it.
  constexpr long kHundredthsPerBin = 100 / kPBins;
  return static_cast<int>(std::clamp(PHundredths(p) / kHundredthsPerBin, 0L, long{kPBins - 1}));
}

void RunStatistics::AddResult(const ResultRecord& record, const ResultFigures& figures) {
  ++results_;
  filtered_ += record.passed ? 1 : 0;
  ++triesPerResult_[static_cast<std::size_t>(TriesBin(triesSinceResult_))];
  triesSinceResult_ = 0;
  for (int s = 0; s < kSuitCount; ++s) {
    const auto suit = static_cast<std::size_t>(s);
    ++hexagrams_[suit][figures.hexagram[s]];
    for (int line = 0; line < 6; ++line) yangLines_[suit][static_cast<std::size_t>(line)] += record.LineYang(s, line) ? 1 : 0;
    ++pValues_[suit][static_cast<std::size_t>(PBin(figures.p[s]))];
  }
  for (std::size_t line = 0; line < 6; ++line) ++balance_[line][figures.yangCount[line]];
  ++transitCounts_[record.transitCount];
  for (int k = 0; k < figures.segmentCount; ++k) ++segmentLengths_[figures.segments[k]];
}

}  // namespace zlc
