// The parts of a fast try, timed apart: building a block of sixteen tries'
// permutations, and the collapse test of a group of layouts. Together with
// BM_Try they show where a try's time goes at each depth.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "engine/group_converge.h"
#include "engine/random.h"
#include "engine/try_block.h"

namespace {

using namespace zlc;

// Argument 0: depth; argument 1: the builder, 0 portable, 1 AVX-512 with
// the byte swaps in memory, 2 AVX-512 bit-shuffle traced backwards (the
// wide ones only where the processor has them).
BlockBuilder BuilderAt(std::int64_t which) {
  if (which == 0) return &BuildTryBlockPortable;
#if defined(__x86_64__)
  if (!__builtin_cpu_supports("avx512f") || !__builtin_cpu_supports("avx512bw")) return nullptr;
  if (which == 1) return &BuildTryBlockAvx512;
  if (__builtin_cpu_supports("avx512bitalg")) return &BuildTryBlockBitalg;
#endif
  return nullptr;
}

void BM_BuildBlock(benchmark::State& state) {
  const auto depth = static_cast<std::int32_t>(state.range(0));
  const BlockBuilder build = BuilderAt(state.range(1));
  if (build == nullptr) {
    state.SkipWithError("this processor lacks the builder's instructions");
    return;
  }
  const TryShape shape = MakeTryShape(depth, 36, 0);
  auto block = std::make_unique<TryBlock>();
  std::uint32_t seed = 99;
  for (auto _ : state) {
    build(*block, shape, seed);
    seed = block->end;
    benchmark::DoNotOptimize(block->perm[5]);
  }
  state.SetItemsProcessed(state.iterations() * kBlockTries);
  state.SetLabel("items = tries");
}
BENCHMARK(BM_BuildBlock)->ArgsProduct({{10, 100, 1000}, {1, 2}})->Args({10, 0});

// Groups of random layouts (consecutive tries of depth 10 from the deck's
// starting order, as the search makes them).
// 0: portable, 1: the widest this processor has, 2: AVX2.
void BM_GroupTest(benchmark::State& state) {
  GroupTest test = SelectGroupTest(state.range(0) == 1);
  if (state.range(0) == 2) {
#if defined(__x86_64__)
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("bmi2")) {
      state.SkipWithError("no AVX2 on this processor");
      return;
    }
    test = &ConvergingMembersAvx2;
#else
    state.SkipWithError("no AVX2 on this processor");
    return;
#endif
  }
  constexpr int kGroups = 512;
  // The tests load whole vectors: 64-byte alignment, as the engine keeps it.
  alignas(64) static std::uint8_t layouts[kGroups * kGroupTries][64];
  Random random(4242);
  std::uint8_t cards[64] = {};
  for (int k = 0; k < 36; ++k) cards[k] = static_cast<std::uint8_t>(k);
  for (int i = 0; i < kGroups * kGroupTries; ++i) {
    for (int t = 0; t < 10; ++t) {
      const std::uint32_t p = random.Next(36);
      const std::uint32_t q = random.Next(36);
      std::swap(cards[p], cards[q]);
    }
    std::memcpy(layouts[i], cards, 64);
  }
  int g = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(test(&layouts[g * kGroupTries], kGroupTries));
    g = (g + 1) % kGroups;
  }
  state.SetItemsProcessed(state.iterations() * kGroupTries);
  state.SetLabel("items = layouts");
}
BENCHMARK(BM_GroupTest)->Arg(1)->Arg(2)->Arg(0);

}  // namespace
