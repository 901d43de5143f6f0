#include "cli/bench.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "cli/stop_signals.h"
#include "engine/fast_tries.h"
#include "engine/plain_try.h"

namespace zlc::cli {
namespace {

using Clock = std::chrono::steady_clock;

// This thread's processor time: what its work needs, without the time the
// system (or a virtual machine's host) gave its processor to others.
double ThreadCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Rate {
  double triesPerSecond = 0;
  std::uint64_t tries = 0;
  double seconds = 0;
  double cpuSeconds = 0;  // of the measuring thread
  double CpuNsPerTry() const { return tries ? cpuSeconds * 1e9 / static_cast<double>(tries) : 0; }
};

[[gnu::format(printf, 2, 3)]] void AppendFormatted(std::string& out, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  out += line;
}

// Calls `step` (which returns the tries it made) until `seconds` have passed.
template <typename Step>
Rate Repeat(double seconds, Step&& step) {
  Rate rate;
  const auto start = Clock::now();
  const double cpuStart = ThreadCpuSeconds();
  while (rate.seconds < seconds && !StopRequested()) {
    for (int batch = 0; batch < 16; ++batch) rate.tries += static_cast<std::uint64_t>(step());
    rate.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  }
  rate.cpuSeconds = ThreadCpuSeconds() - cpuStart;
  rate.triesPerSecond = static_cast<double>(rate.tries) / rate.seconds;
  return rate;
}

// What the measured loops shuffle and test: the calculator's task, in a
// layout of the bench's own, so that measuring never moves the search.
struct BenchSearch {
  const Calculator& calc;
  Layout layout;
  TaskPlan plan;
  Chain work;
};

// Batches of up to 1000 tries from the starting deck, as the search makes
// them, without turning results into lines: a step for Repeat.
template <typename Tries>
auto BatchStep(BenchSearch& bench, Random& random, Tries&& tries) {
  return [&bench, &random, tries, deck = StripSpaces(bench.calc.notation.baseDeck)] {
    BindLayout(bench.layout, deck.data(), deck.size());
    return tries(random);
  };
}

auto EngineStep(BenchSearch& bench, Random& random, FastTries& engine) {
  return BatchStep(bench, random, [&bench, &engine](Random& r) {
    return engine.Run(bench.layout, bench.plan, bench.calc.notation,
                      bench.calc.settings.shuffleDepth, r, kMaxTries)->tries;
  });
}

Rate MeasureEngine(BenchSearch& bench, double seconds, FastTries& engine) {
  Random random(1);
  return Repeat(seconds, EngineStep(bench, random, engine));
}

// A calculator like `calc` (settings, filter, task) made for `threads`
// threads, to run the whole search as zlc-search does, results and all.
std::unique_ptr<Calculator> Twin(const Calculator& calc, int threads) {
  const int threadsBefore = SearchThreads();
  SetSearchThreads(threads);
  auto twin = std::make_unique<Calculator>();
  SetSearchThreads(threadsBefore);
  twin->notation = calc.notation;
  twin->settings = calc.settings;
  twin->filter = calc.filter;
  twin->editor.BuildCardGrid();
  twin->editor.LoadTaskText(calc.editor.Text());
  twin->SetPaths(calc.Paths());
  twin->Lists().SetKept(false);
  twin->SetSeed(1);
  return twin;
}

// One batch of the whole search: the tries it made, none after a failure.
int SearchBatch(Calculator& calc) {
  const std::uint64_t before = calc.Totals().tries;
  if (calc.RunBatch() == BatchOutcome::Failed) return 0;
  return static_cast<int>(calc.Totals().tries - before);
}

// A short slice of the whole search, as zlc-search runs it (with a helper,
// results analysed while the next batch's tries are made).
int SearchSlice(Calculator& calc) {
  const std::uint64_t before = calc.Totals().tries;
  calc.RunSlice(Calculator::SliceClock::now() + std::chrono::microseconds(500));
  return static_cast<int>(calc.Totals().tries - before);
}

// `a` and `b` in turns, so that the machine's drifts fall on both alike.
// Rates of each, and the median over the turns of b's processor time per
// try beyond a's.
template <typename StepA, typename StepB>
double InTurns(double seconds, StepA&& a, StepB&& b, Rate& rateA, Rate& rateB) {
  const int turns = std::max(1, static_cast<int>(seconds / 0.1));
  std::vector<double> beyond;
  for (int t = 0; t < turns && !StopRequested(); ++t) {
    const Rate ta = Repeat(seconds / turns, a);
    const Rate tb = Repeat(seconds / turns, b);
    beyond.push_back(tb.CpuNsPerTry() - ta.CpuNsPerTry());
    for (auto [sum, turn] : {std::pair<Rate*, const Rate*>{&rateA, &ta}, {&rateB, &tb}}) {
      sum->tries += turn->tries;
      sum->seconds += turn->seconds;
      sum->cpuSeconds += turn->cpuSeconds;
      sum->triesPerSecond = static_cast<double>(sum->tries) / sum->seconds;
    }
  }
  std::nth_element(beyond.begin(), beyond.begin() + static_cast<std::ptrdiff_t>(beyond.size() / 2), beyond.end());
  return beyond.empty() ? 0 : beyond[beyond.size() / 2];
}

// Building alone: nanoseconds per try of the blocks this task needs.
double BuildNsPerTry(const BenchSearch& bench, double seconds) {
  std::int32_t wildcards = 0;
  for (std::int32_t i = 0; i < bench.plan.itemCount; ++i) {
    wildcards += (bench.plan.items[i].text[0] == '?') != (bench.plan.items[i].text[1] == '?');
  }
  const TryShape shape = MakeTryShape(bench.calc.settings.shuffleDepth, kDeckSize, wildcards);
  const BlockBuilder build = SelectBlockBuilder(true);
  auto block = std::make_unique<TryBlock>();
  std::uint32_t seed = 1;
  const Rate rate = Repeat(seconds, [&] {
    build(*block, shape, seed);
    seed = block->end;
    return kBlockTries;
  });
  return rate.CpuNsPerTry();
}

// The thread that tests: its processor time per try with `helpers` helpers
// always on, the blocks it had to build itself taken out at `buildNsPerTry`.
double EngineSerialNsPerTry(BenchSearch& bench, double seconds, int helpers, double buildNsPerTry) {
  FastTries engine(true, helpers, HelperUse::Always);
  const Rate rate = MeasureEngine(bench, seconds, engine);
  const double buildNs = static_cast<double>(engine.Source().CallerStats().built * kBlockTries) * buildNsPerTry;
  return rate.tries ? std::max(0.0, rate.cpuSeconds * 1e9 - buildNs) / static_cast<double>(rate.tries) : 0;
}

}  // namespace

std::optional<std::string> RunBench(Calculator& calc, double secondsEach) {
  const std::int32_t depth = calc.settings.shuffleDepth;
  BenchSearch bench{calc, {}, calc.SearchPlan(), {}};
  Random random(1);
  const Rate plain = Repeat(secondsEach, BatchStep(bench, random, [&bench, depth](Random& r) {
    int tries = 0;
    while (tries < kMaxTries) {
      ++tries;
      if (PlainTry(bench.layout, bench.plan, depth, r, bench.work)) break;
    }
    return tries;
  }));
  FastTries portableEngine(false, 0);
  const Rate portable = MeasureEngine(bench, secondsEach, portableEngine);
  // What the engine runs on this processor beside the portable lanes.
  const GroupTest wideTest = SelectGroupTest(true);
#if defined(__x86_64__)
  const bool avx2 = wideTest == &ConvergingMembersAvx2;
#else
  const bool avx2 = false;
#endif
  const char* engineName = wideTest == &ConvergingMembersPortable ? "engine (no AVX2 or AVX-512 here)"
                           : avx2                                 ? "engine, AVX2 collapse test"
                                                                  : "engine, AVX-512";
  // The engine on one thread and the whole search on one thread in turns:
  // what the search adds is the reporting of results.
  FastTries oneEngine(true, 0);
  const auto searchOneCalc = Twin(calc, 1);
  Rate engineOne, searchOne;
  const double reportNs = std::max(
      0.0, InTurns(2 * secondsEach, EngineStep(bench, random, oneEngine),
                   [&] { return SearchBatch(*searchOneCalc); }, engineOne, searchOne));
  const int threads = SearchThreads();
  Rate engineAll, engineTesting, searchAll, searchAnalysed, searchOwn;
  double analysedNs = 0;
  if (threads > 1) {
    FastTries engine(true, threads - 1, HelperUse::Always);
    engineAll = MeasureEngine(bench, secondsEach, engine);
    FastTries testing(true, threads - 1, HelperUse::Testing);
    engineTesting = MeasureEngine(bench, secondsEach, testing);
    const auto searchAllCalc = Twin(calc, threads);
    searchAll = Repeat(secondsEach, [&] { return SearchSlice(*searchAllCalc); });
    // Results analysed by a helper or by the caller, in turns; the caller's
    // processor time per try beyond the engine's is its share of reporting.
    const auto analysedCalc = Twin(calc, threads);
    analysedCalc->SetAnalysisUse(AnalysisUse::Always);
    const auto ownCalc = Twin(calc, threads);
    ownCalc->SetAnalysisUse(AnalysisUse::Never);
    InTurns(2 * secondsEach, [&] { return SearchSlice(*ownCalc); },
            [&] { return SearchSlice(*analysedCalc); }, searchOwn, searchAnalysed);
    analysedNs = std::max(0.0, searchAnalysed.CpuNsPerTry() - engineOne.CpuNsPerTry());
  }
  const double parallelNs = BuildNsPerTry(bench, secondsEach / 4);
  const double testingNs = EngineSerialNsPerTry(bench, secondsEach, threads - 1, parallelNs);
  if (StopRequested()) return std::nullopt;

  std::string out;
  AppendFormatted(out, "task \"%s\", shuffle depth %d\n", calc.editor.Text().c_str(), depth);
  AppendFormatted(out, "%-38s %14s %10s\n", "", "tries/s", "vs plain");
  auto row = [&](const std::string& name, const Rate& r) {
    AppendFormatted(out, "%-38s %14.0f %9.2fx\n", name.c_str(), r.triesPerSecond,
                    r.triesPerSecond / plain.triesPerSecond);
  };
  const std::string n = std::to_string(threads) + " threads";
  row("plain tries", plain);
  row("engine, portable lanes", portable);
  row(engineName, engineOne);
  if (threads > 1) {
    row("engine, " + n + " (helpers build blocks)", engineAll);
    row("engine, " + n + " (helpers test layouts)", engineTesting);
  }
  row("whole search, 1 thread", searchOne);
  if (threads > 1) {
    row("whole search, " + n + " (as zlc-search)", searchAll);
    row("whole search, " + n + ", caller analyses", searchOwn);
    row("whole search, " + n + ", helper analyses", searchAnalysed);
    AppendFormatted(out, "%s vs 1: engine %.2fx, whole search %.2fx\n", n.c_str(),
                    engineAll.triesPerSecond / engineOne.triesPerSecond,
                    searchAll.triesPerSecond / searchOne.triesPerSecond);
  }

  // Processor times of the measuring thread, which the machine's other work
  // does not stretch. The thread that tests and reports cannot be shared
  // out; building can.
  const double oneThreadNs = searchOne.CpuNsPerTry();
  const double serialNs = testingNs + reportNs;
  AppendFormatted(out, "processor time per try, 1 thread: %.1f ns\n", oneThreadNs);
  AppendFormatted(out, "  serial part: %.1f ns (testing %.1f with %d helper%s, reporting %.1f)\n",
                  serialNs, testingNs, threads - 1, threads == 2 ? "" : "s", reportNs);
  AppendFormatted(out, "  parallel part (building): %.1f ns\n", parallelNs);
  if (threads > 1) {
    AppendFormatted(out, "  reporting on the caller with a helper analysing results: %.1f ns\n", analysedNs);
  }
  AppendFormatted(out, "projected by Amdahl (serial + parallel / cores) vs 1 thread:\n");
  AppendFormatted(out, "%-12s", "cores");
  for (int cores : {4, 8, 16}) AppendFormatted(out, "%10d", cores);
  AppendFormatted(out, "\n%-12s", "ns per try");
  for (int cores : {4, 8, 16}) AppendFormatted(out, "%10.1f", serialNs + parallelNs / cores);
  AppendFormatted(out, "\n%-12s", "speedup");
  for (int cores : {4, 8, 16}) {
    AppendFormatted(out, "%9.2fx", oneThreadNs / (serialNs + parallelNs / cores));
  }
  out += "\n";
  return out;
}

}  // namespace zlc::cli
