// The search's statistics: counts from hand-made results, counts recounted
// from the text of a few thousand real ones, and the Wilson interval at its
// edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "analysis/hexagrams.h"
#include "analysis/run_figures.h"
#include "analysis/run_statistics.h"
#include "calculator/calculator.h"
#include "record_readers.h"
#include "scratch_dir.h"
#include "short_search.h"

namespace zlc {
namespace {

TEST(WilsonInterval, EdgesAndAKnownValue) {
  const Interval none = WilsonInterval(0, 0);
  EXPECT_EQ(none.low, 0.0);
  EXPECT_EQ(none.high, 1.0);
  const Interval zero = WilsonInterval(0, 100);
  EXPECT_EQ(zero.low, 0.0);
  EXPECT_NEAR(zero.high, 0.0370, 1e-4);  // 3.84 / 103.84
  const Interval all = WilsonInterval(100, 100);
  EXPECT_EQ(all.high, 1.0);
  EXPECT_NEAR(all.low, 1 - 0.0370, 1e-4);
  // 50 of 100: 0.5 +- 0.0961, symmetric.
  const Interval half = WilsonInterval(50, 100);
  EXPECT_NEAR(half.low, 0.4038, 1e-4);
  EXPECT_NEAR(half.high, 0.5962, 1e-4);
  // A rare event over very many trials stays inside [0, 1] and holds p.
  const Interval rare = WilsonInterval(1, 4000000000ull);
  EXPECT_GT(rare.low, 0.0);
  EXPECT_LT(rare.low, 2.5e-10);
  EXPECT_GT(rare.high, 2.5e-10);
}

TEST(RunStatisticsBins, TriesAndP) {
  EXPECT_EQ(RunStatistics::TriesBin(1), 0);
  EXPECT_EQ(RunStatistics::TriesBin(2), 1);
  EXPECT_EQ(RunStatistics::TriesBin(3), 1);
  EXPECT_EQ(RunStatistics::TriesBin(1000), 9);
  EXPECT_EQ(RunStatistics::TriesBin(1024), 10);
  EXPECT_EQ(RunStatistics::TriesBin(~0ull), RunStatistics::kTriesBins - 1);
  EXPECT_EQ(RunStatistics::PBin(1.0), RunStatistics::kPBins - 1);
  EXPECT_EQ(RunStatistics::PBin(0.5), 10);
  EXPECT_EQ(RunStatistics::PBin(0.25), 5);
  EXPECT_EQ(RunStatistics::PBin(std::pow(0.5, 6)), 0);  // 0.0156
  EXPECT_EQ(RunStatistics::PBin(2.0 / 3 * 2.0 / 3 / 2), 4);  // 0.222
  // By the value as printed: 0.296 reads 0.30, 0.2475 reads 0.25, 0.0449
  // reads 0.04, and a tie rounds to even (0.125 reads 0.12).
  EXPECT_EQ(RunStatistics::PBin(0.296), 6);
  EXPECT_EQ(RunStatistics::PBin(0.2475), 5);
  EXPECT_EQ(RunStatistics::PBin(0.0449), 0);
  EXPECT_EQ(RunStatistics::PBin(0.125), 2);
  EXPECT_EQ(RunStatistics::PBin(0.149), 3);
}

// Two hand-made results: the worked example's suits, and all lines yang.
TEST(RunStatistics, CountsTwoHandMadeResults) {
  RunStatistics stats;
  ResultRecord first;
  first.cardCount = 36;
  first.passed = true;
  const std::uint8_t lines[4] = {0b001101, 0b011011, 0b101110, 0b111111};  // bit j: line j + 1
  std::copy(std::begin(lines), std::end(lines), first.suitLines);
  first.transitMask = (1ull << 4) | (1ull << 9) | (1ull << 35);
  first.transitCount = 3;
  stats.AddTries(1000);  // a batch without a result
  stats.AddTries(17);
  stats.AddResult(first, FiguresOf(first));

  ResultRecord second;
  second.cardCount = 36;
  std::fill(std::begin(second.suitLines), std::end(second.suitLines), 0x3F);
  second.transitMask = 1ull << 35;
  second.transitCount = 1;
  stats.AddTries(5);
  stats.AddResult(second, FiguresOf(second));

  EXPECT_EQ(stats.Tries(), 1022u);
  EXPECT_EQ(stats.Results(), 2u);
  EXPECT_EQ(stats.Filtered(), 1u);
  EXPECT_EQ(stats.TriesPerResult()[9], 1u);  // 1017 tries
  EXPECT_EQ(stats.TriesPerResult()[2], 1u);  // 5 tries
  EXPECT_EQ(stats.Hexagrams()[0][55], 1u);
  EXPECT_EQ(stats.Hexagrams()[1][58], 1u);
  EXPECT_EQ(stats.Hexagrams()[2][50], 1u);
  EXPECT_EQ(stats.Hexagrams()[3][1], 2u);
  EXPECT_EQ(stats.Hexagrams()[0][1], 1u);
  EXPECT_EQ(stats.YangLines()[0][0], 2u);  // spades line 1: yang both times
  EXPECT_EQ(stats.YangLines()[0][1], 1u);  // line 2: yin in the first
  // Balance counts of the first: 3, 3, 3, 4, 2, 2; of the second all 4.
  EXPECT_EQ(stats.Balance()[0][3], 1u);
  EXPECT_EQ(stats.Balance()[3][4], 2u);
  EXPECT_EQ(stats.Balance()[4][2], 1u);
  EXPECT_EQ(stats.TransitCounts()[3], 1u);
  EXPECT_EQ(stats.TransitCounts()[1], 1u);
  EXPECT_EQ(stats.SegmentLengths()[5], 2u);
  EXPECT_EQ(stats.SegmentLengths()[26], 1u);
  EXPECT_EQ(stats.SegmentLengths()[36], 1u);
  // P: spades of the first 0.222 (bin 4), hearts 0.148, printed 0.15
  // (bin 3); all yang gives (1/2)^6 for every suit of the second (bin 0).
  EXPECT_EQ(stats.PValues()[0][4], 1u);
  EXPECT_EQ(stats.PValues()[3][3], 1u);
  EXPECT_EQ(stats.PValues()[2][0], 1u);

  stats.Reset();
  EXPECT_EQ(stats.Results(), 0u);
  EXPECT_EQ(stats.Hexagrams()[3][1], 0u);
}

// A search of a few thousand results with marks, a filter and clearings
// on: the counts agree with what the result lines say, recounted here.
TEST(RunStatistics, AgreeWithTheResultLinesOfASearch) {
  ScratchDir dir;
  Calculator calc;
  calc.SetReporter([](const RuntimeMessage& m) { ADD_FAILURE() << m.text; });
  test::SetShortSearch(calc, 4242);
  calc.settings.markTransits = 1;
  calc.settings.staticMarkMode = zlc::StaticMarks::Brackets;
  calc.settings.clearThreshold = 500;
  const std::uint32_t seed = calc.Generator().Seed();

  std::array<std::array<std::uint64_t, 65>, 4> hexagrams{};
  std::array<std::array<std::uint64_t, 6>, 4> yang{};
  std::array<std::uint64_t, 37> lf{}, segments{};
  std::array<std::array<std::uint64_t, 5>, 6> balance{};
  std::array<std::array<std::uint64_t, RunStatistics::kPBins>, 4> pBins{};
  std::uint64_t filtered = 0;
  const char* const symbols[5] = {"--", "-", "=", "+", "++"};
  for (int results = 0; results < 3000;) {
    const std::uint64_t filteredBefore = calc.Totals().filtered;
    const BatchOutcome outcome = calc.RunBatch();
    ASSERT_NE(outcome, BatchOutcome::Failed);
    if (outcome != BatchOutcome::Result) continue;
    ++results;
    filtered += calc.Totals().filtered - filteredBefore;
    test::TextResult text;
    ASSERT_TRUE(test::ReadTextResult(calc.LastBlock().lines, text));
    for (std::size_t s = 0; s < 4; ++s) {
      ++hexagrams[s][static_cast<std::size_t>(text.hexagrams[s])];
      // "0.30" is 30 hundredths: the bin of 0.30 to 0.34.
      std::string digits = text.pValues[s];
      digits.erase(digits.find('.'), 1);
      ++pBins[s][std::min<std::size_t>(static_cast<std::size_t>(std::stoi(digits)) / 5, RunStatistics::kPBins - 1)];
      for (std::size_t line = 0; line < 6; ++line) yang[s][line] += text.lines[s][line] == '1' ? 1 : 0;
    }
    ++lf[static_cast<std::size_t>(text.lf)];
    for (std::size_t start = 0;;) {
      const std::size_t colon = text.f.find(':', start);
      ++segments[static_cast<std::size_t>(std::stoi(text.f.substr(start, colon - start)))];
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
    std::size_t start = 0;
    for (std::size_t line = 0; line < 6; ++line) {
      const std::size_t slash = text.balance.find('/', start);
      const std::string symbol = text.balance.substr(start, slash - start);
      const auto yangSuits = std::find(symbols, symbols + 5, symbol) - symbols;
      ASSERT_LT(yangSuits, 5) << symbol;
      ++balance[line][static_cast<std::size_t>(yangSuits)];
      start = slash + 1;
    }
  }
  const RunStatistics& stats = calc.Statistics().Counts();
  EXPECT_EQ(stats.Results(), 3000u);
  EXPECT_EQ(stats.Tries(), calc.Totals().tries);  // across the clearings
  EXPECT_EQ(stats.Filtered(), filtered);
  EXPECT_GT(filtered, 0u);
  EXPECT_LT(filtered, 3000u);
  EXPECT_EQ(stats.Hexagrams(), hexagrams);
  EXPECT_EQ(stats.YangLines(), yang);
  EXPECT_EQ(stats.TransitCounts(), lf);
  EXPECT_EQ(stats.SegmentLengths(), segments);
  EXPECT_EQ(stats.Balance(), balance);
  std::uint64_t binned = 0;
  for (std::uint64_t count : stats.TriesPerResult()) binned += count;
  EXPECT_EQ(binned, 3000u);
  EXPECT_EQ(stats.PValues(), pBins);
  EXPECT_EQ(calc.Statistics().Seed(), seed);
  EXPECT_EQ(calc.Statistics().Starts(), 1u);

  // A changed filter starts them again, from the generator's seed then.
  calc.filter.lfThreshold = 9;
  const std::uint32_t seedNow = calc.Generator().Seed();
  calc.RunBatch();
  EXPECT_EQ(calc.Statistics().Starts(), 2u);
  EXPECT_EQ(calc.Statistics().Seed(), seedNow);
  EXPECT_LE(calc.Statistics().Counts().Results(), 1u);
  // So do a changed task, and a reset (the "Clear Results" button).
  calc.editor.LoadTaskText("6s **", true);
  calc.RunBatch();
  EXPECT_EQ(calc.Statistics().Starts(), 3u);
  calc.RunBatch();
  EXPECT_EQ(calc.Statistics().Starts(), 3u);
  calc.ResetStatistics();
  calc.RunBatch();
  EXPECT_EQ(calc.Statistics().Starts(), 4u);
}

// The pace over the last minute, and what it says about the next filtered
// result.
TEST(RunFigures, RatesOverTheLastMinuteAndTheNextFilteredResult) {
  RunStatistics stats;
  RateWindow rates;
  EXPECT_FALSE(FiguresOfRun(stats, rates).triesPerSecond);
  rates.Sample(0, stats);
  stats.AddTries(3000);
  rates.Sample(30, stats);
  EXPECT_DOUBLE_EQ(*rates.TriesPerSecond(), 100);  // younger than a minute
  // Faster now: the first half minute leaves the window, the second stays.
  stats.AddTries(3000);
  rates.Sample(60, stats);
  stats.AddTries(9000);
  rates.Sample(90, stats);
  EXPECT_DOUBLE_EQ(*rates.TriesPerSecond(), 200);  // (3000 + 9000) / 60
  EXPECT_DOUBLE_EQ(*rates.ResultsPerSecond(), 0);

  // No filtered result yet: only a lower bound on the wait.
  RunFigures none = FiguresOfRun(stats, rates);
  EXPECT_FALSE(none.secondsToNextFiltered);
  ASSERT_TRUE(none.secondsToNextFilteredAtLeast);
  EXPECT_NEAR(*none.secondsToNextFilteredAtLeast, 1 / (WilsonInterval(0, 15000).high * 200), 1e-9);

  ResultRecord passed;
  passed.passed = true;
  passed.cardCount = 36;
  stats.AddResult(passed, FiguresOf(passed));
  ResultRecord failed = passed;
  failed.passed = false;
  stats.AddResult(failed, FiguresOf(failed));
  const RunFigures f = FiguresOfRun(stats, rates);
  EXPECT_DOUBLE_EQ(f.convergence, 2.0 / 15000);
  EXPECT_DOUBLE_EQ(f.passRate, 0.5);
  EXPECT_LT(f.passInterval.low, 0.5);
  EXPECT_GT(f.passInterval.high, 0.5);
  // One filtered result per 15,000 tries at 200 tries a second.
  ASSERT_TRUE(f.secondsToNextFiltered);
  EXPECT_DOUBLE_EQ(*f.secondsToNextFiltered, 75);
  EXPECT_FALSE(f.secondsToNextFilteredAtLeast);
}

// The window's pace, fed after every batch: the last minute of batches,
// measured afresh after a long pause.
TEST(RunFigures, PaceFollowedAfterEveryBatch) {
  RunStatistics stats;
  RateWindow pace;
  pace.Follow(100, stats);
  stats.AddTries(50);
  pace.Follow(100.1, stats);
  EXPECT_FALSE(pace.TriesPerSecond());  // a tenth of a second: too short to tell
  // Ten batches a millisecond apart for ninety seconds, 10 tries each.
  double now = 100.1;
  for (int batch = 0; batch < 90000; ++batch) {
    now += 0.001;
    stats.AddTries(10);
    pace.Follow(now, stats);
  }
  ASSERT_TRUE(pace.TriesPerSecond());
  EXPECT_NEAR(*pace.TriesPerSecond(), 10000, 50);
  // Slower for the last half minute: the minute's pace is between.
  for (int batch = 0; batch < 30000; ++batch) {
    now += 0.001;
    stats.AddTries(5);
    pace.Follow(now, stats);
  }
  EXPECT_NEAR(*pace.TriesPerSecond(), 7500, 50);
  // Resumed after five minutes: measured from then on only.
  now += 300;
  stats.AddTries(10);
  pace.Follow(now, stats);
  for (int batch = 0; batch < 2000; ++batch) {
    now += 0.001;
    stats.AddTries(1);
    pace.Follow(now, stats);
  }
  EXPECT_NEAR(*pace.TriesPerSecond(), 1000, 10);
}

}  // namespace
}  // namespace zlc
