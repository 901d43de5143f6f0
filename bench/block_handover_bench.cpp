// The hand-over of try blocks from the helper threads to the caller: the
// caller's time per block with 0 to 3 helpers, each block used as the tries
// use it (each try's permutation applied to the layout before, the collapse
// test on groups of them; about 0.8 us a block). With 0 helpers this is
// building plus use; with helpers that keep up (from_helpers near 1), use
// plus hand-over: the difference to depth 0 is the hand-over.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "engine/block_source.h"
#include "engine/group_converge.h"

namespace {

using namespace zlc;

// The tries' use of a block, without the task's cards.
class BlockUse {
 public:
  BlockUse() {
    for (int k = 0; k < kDeckSize; ++k) group_[kGroupTries - 1][k] = static_cast<std::uint8_t>(k);
  }
  void Use(const TryBlock& block) {
    for (int first = 0; first < kBlockTries; first += kGroupTries) {
      const std::uint8_t* previous = group_[kGroupTries - 1];
      alignas(64) std::uint8_t next[kGroupTries][64];
      for (int g = 0; g < kGroupTries; ++g) {
        permute_(previous, block.Perm(first + g), next[g]);
        previous = next[g];
      }
      benchmark::DoNotOptimize(test_(next, kGroupTries));
      std::copy(&next[0][0], &next[0][0] + sizeof next, &group_[0][0]);
    }
  }

 private:
  PermuteLayout permute_ = SelectPermuteLayout(true);
  GroupTest test_ = SelectGroupTest(true);
  alignas(64) std::uint8_t group_[kGroupTries][64] = {};
};

void CountFromHelpers(benchmark::State& state, const BlockSource& source) {
  const CallerBlockStats& stats = source.CallerStats();
  state.counters["from_helpers"] = benchmark::Counter(
      static_cast<double>(stats.fromHelpers) / static_cast<double>(stats.fromHelpers + stats.built));
  state.SetItemsProcessed(state.iterations());
}

// Arguments: depth, helpers. The caller takes blocks as fast as it can.
void BM_BlockHandOver(benchmark::State& state) {
  const auto depth = static_cast<std::int32_t>(state.range(0));
  BlockSource source(SelectBlockBuilder(true), static_cast<int>(state.range(1)));
  source.Restart(MakeTryShape(depth, kDeckSize, 0), 12345);
  auto block = std::make_unique<TryBlock>();
  BlockUse use;
  for (auto _ : state) {
    source.Next(block);
    use.Use(*block);
  }
  CountFromHelpers(state, source);
  state.SetLabel("items = blocks of 16 tries");
}
BENCHMARK(BM_BlockHandOver)
    ->ArgsProduct({{0, 10, 100, 1000}, {0, 1, 2, 3}})
    ->UseRealTime()
    ->Unit(benchmark::kNanosecond);

}  // namespace
