// The work one result costs, stage by stage, on converged layouts the search
// found: the classification replay, line 1, lines 2 and 3, the filter, the
// conversion of the three lines to UTF-8, and the whole result as the batch
// makes it (lists off, as in the headless tool).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "cards/cp1251.h"
#include "calculator/calculator.h"
#include "filter/filter_test.h"
#include "persist/record_formats.h"

namespace {

using namespace zlc;

// Results of the single gap from a fixed seed, each with its analysis done.
struct Found {
  Layout layout;
  Chain work;
  ResultBlock block;
  ResultRecord record;
};

const std::vector<Found>& Results() {
  static const std::vector<Found> found = [] {
    std::vector<Found> out;
    Calculator calc;
    calc.SetPaths(FilePaths{.variants = std::filesystem::temp_directory_path() / ("zlc_result_bench_" + std::to_string(::getpid()))});
    calc.Lists().SetKept(false);
    calc.editor.LoadTaskText("** ");
    calc.SetSeed(7);
    while (out.size() < 256) {
      const BatchOutcome outcome = calc.RunBatch();
      if (outcome == BatchOutcome::Failed) std::abort();
      if (outcome == BatchOutcome::Result) out.push_back({calc.SearchLayout(), calc.SearchChain(), calc.LastBlock(), calc.LastRecord()});
    }
    std::filesystem::remove(calc.Paths().variants);
    return out;
  }();
  return found;
}

void BM_Classify(benchmark::State& state) {
  std::vector<Found> results = Results();
  std::size_t i = 0;
  for (auto _ : state) {
    Found& r = results[i++ % results.size()];
    ClassifyElements(r.layout, r.work);
    benchmark::DoNotOptimize(r.layout.transitCount);
  }
}
BENCHMARK(BM_Classify);

void BM_LayoutLine(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  const Settings settings;
  std::string line;
  std::size_t i = 0;
  for (auto _ : state) {
    AppendLayoutLine(line, results[i++ % results.size()].record, settings);
    benchmark::DoNotOptimize(line.data());
  }
}
BENCHMARK(BM_LayoutLine);

void BM_AnalysisLines(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  NotationSet notation;
  std::string line2, line3;
  std::array<std::uint8_t, 6> balanced{};
  std::size_t i = 0;
  for (auto _ : state) {
    AppendAnalysisLines(line2, line3, balanced, results[i++ % results.size()].layout, 4711, notation);
    benchmark::DoNotOptimize(line3.data());
  }
}
BENCHMARK(BM_AnalysisLines);

// A result's facts from its classified layout, and what follows from them.
void BM_RecordAndFigures(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  NotationSet notation;
  ResultRecord record;
  std::size_t i = 0;
  for (auto _ : state) {
    RecordLayout(record, results[i++ % results.size()].layout, notation);
    const ResultFigures figures = FiguresOf(record);
    benchmark::DoNotOptimize(figures.p[3]);
  }
}
BENCHMARK(BM_RecordAndFigures);

// Feeding the run's statistics: what every result costs the search for them.
void BM_FeedStatistics(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  std::vector<ResultFigures> figures;
  for (const Found& r : results) figures.push_back(FiguresOf(r.record));
  RunStatistics stats;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % results.size();
    stats.AddTries(131);
    stats.AddResult(results[k].record, figures[k]);
  }
  benchmark::DoNotOptimize(stats.Results());
}
BENCHMARK(BM_FeedStatistics);

// A result as a CSV row, or as a JSON line.
void BM_RecordFormat(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  const auto append = state.range(0) == 0 ? AppendCsvRecord : AppendJsonRecord;
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    append(out, results[i++ % results.size()].record);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_RecordFormat)->Arg(0)->Arg(1);

void BM_Filter(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  FilterSettings filter;
  filter.lfEnabled = 1;
  filter.lfThreshold = 14;
  std::array<std::uint8_t, 6> balanced{};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PassesFilter(filter, results[i++ % results.size()].record, balanced));
  }
}
BENCHMARK(BM_Filter);

// The three lines into one output buffer, as the headless tool writes them.
void BM_Utf8Lines(benchmark::State& state) {
  const std::vector<Found>& results = Results();
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    for (const std::string& line : results[i++ % results.size()].block.lines) {
      AppendCp1251AsUtf8(out, line);
      out += '\n';
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Utf8Lines);

}  // namespace
