// Speed of the search engine: single tries, whole batches, the enumeration
// of a large task's variants and a batch that draws its variant from the
// scratch file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "calculator/calculator.h"
#include "engine/plain_try.h"
#include "persist/variants_file.h"

namespace {

using namespace zlc;

const std::string kSevenCardsSixGaps = "Ad ** 7s ** Kc ** Ah ** 9c ** Ks ** 6s ";

// A private folder for the scratch file, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zlc_bench_XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }
  bool Ok() const { return !path_.empty(); }

 private:
  std::filesystem::path path_;
};

// One try as the batch makes it: transpositions, placement, collapse.
void BM_Try(benchmark::State& state) {
  const auto depth = static_cast<std::int32_t>(state.range(0));
  const std::string deck = StripSpaces(kEnBaseDeck);
  Layout layout;
  Chain work;
  TaskPlan plan;
  SplitTask("**", plan);
  Random random(12345);
  BindLayout(layout, deck.data(), deck.size());
  std::int64_t converged = 0;
  for (auto _ : state) {
    converged += PlainTry(layout, plan, depth, random, work);
    benchmark::DoNotOptimize(work.lastIndex);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items = tries");
  state.counters["converged"] =
      benchmark::Counter(static_cast<double>(converged) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Try)->Arg(1000)->Arg(10);

bool Prepare(Calculator& calc, const TempDir& dir, const std::string& task, bool many) {
  calc.ResetSettings();
  calc.SetPaths(FilePaths{.variants = dir.File("variants")});
  calc.Lists().SetKept(false);
  calc.SetSeed(777);
  calc.filter.resultVariants = many ? ResultVariants::Many : ResultVariants::One;
  calc.editor.LoadTaskText(task);
  return dir.Ok() && calc.RunBatch() != BatchOutcome::Failed;  // enumerates
}

// Whole batches of the single gap at the default depth.
void BM_Batch(benchmark::State& state) {
  TempDir dir;
  Calculator calc;
  if (!Prepare(calc, dir, "** ", false)) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const std::uint64_t triesBefore = calc.Totals().tries;
  for (auto _ : state) benchmark::DoNotOptimize(calc.RunBatch());
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("items = batches");
  state.counters["tries"] = benchmark::Counter(
      static_cast<double>(calc.Totals().tries - triesBefore), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Batch)->Unit(benchmark::kMicrosecond);

// Every variant of seven card codes between six gaps, written to a file.
void BM_EnumerateSevenCards(benchmark::State& state) {
  TempDir dir;
  TaskPlan plan;
  SplitTask(StripSpaces(kSevenCardsSixGaps), plan);
  const std::string path = dir.File("variants");
  std::int64_t count = 0;
  for (auto _ : state) {
    if (EnumerateVariants(plan, path, count, nullptr)) {
      state.SkipWithError("cannot write the scratch file");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetLabel("items = variants (" + std::to_string(count) + " a run)");
}
BENCHMARK(BM_EnumerateSevenCards)->Unit(benchmark::kMillisecond);

// Batches on that task with "One" (argument 0) and "Many" (1): a "Many"
// batch draws its variant first, worked out from its number.
void BM_SevenCardsBatch(benchmark::State& state) {
  TempDir dir;
  Calculator calc;
  const bool many = state.range(0) == 1;
  if (!Prepare(calc, dir, kSevenCardsSixGaps, many)) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const std::uint64_t triesBefore = calc.Totals().tries;
  for (auto _ : state) benchmark::DoNotOptimize(calc.RunBatch());
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(many ? "Many; items = batches" : "One; items = batches");
  state.counters["tries"] = benchmark::Counter(
      static_cast<double>(calc.Totals().tries - triesBefore), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SevenCardsBatch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
