#include "engine/try_block.h"

#include <algorithm>
#include <cstring>

namespace zlc {
namespace {

void SwapEntries(std::uint8_t* perm, unsigned p, unsigned q) {
  const std::uint8_t a = perm[p];
  perm[p] = perm[q];
  perm[q] = a;
}

void StartStates(TryBlock& block, const TryShape& shape, std::uint32_t seed) {
  for (int i = 0; i < kBlockTries; ++i) block.start[i] = shape.triesA[i] * seed + shape.triesC[i];
  block.end = shape.triesA[kBlockTries] * seed + shape.triesC[kBlockTries];
}

void Identity(TryBlock& block) {
  for (int i = 0; i < kBlockTries; ++i) {
    for (int k = 0; k < 64; ++k) block.perm[64 * i + k] = static_cast<std::uint8_t>(k);
  }
}

// Draw range of the layout: hi32(seed * n). For the usual 36 positions this
// is (seed * 9) >> 30, one cheap multiply-by-shift instead of a full one.
template <bool kThirtySix>
inline std::uint32_t Draw(std::uint32_t seed, std::uint32_t n) {
  if constexpr (kThirtySix) {
    return static_cast<std::uint32_t>((std::uint64_t{seed} * 9) >> 30);
  } else {
    return static_cast<std::uint32_t>((std::uint64_t{seed} * n) >> 32);
  }
}

template <bool kThirtySix>
void Transpose(TryBlock& block, const TryShape& shape, std::uint32_t* seeds) {
  const std::uint32_t n = shape.positions;
  // Draws first, a chunk of steps for all lanes (independent chains whose
  // multiplies overlap), then the transpositions from the chunk.
  std::uint8_t p[kChunkSteps][kBlockTries];
  std::uint8_t q[kChunkSteps][kBlockTries];
  for (std::int32_t done = 0; done < shape.depth; done += kChunkSteps) {
    const std::int32_t steps = std::min<std::int32_t>(kChunkSteps, shape.depth - done);
    for (std::int32_t k = 0; k < steps; ++k) {
      for (int i = 0; i < kBlockTries; ++i) {
        const std::uint32_t s1 = seeds[i] * Random::kMultiplier + Random::kIncrement;
        const std::uint32_t s2 = s1 * Random::kMultiplier + Random::kIncrement;
        seeds[i] = s2;
        p[k][i] = static_cast<std::uint8_t>(Draw<kThirtySix>(s1, n));
        q[k][i] = static_cast<std::uint8_t>(Draw<kThirtySix>(s2, n));
      }
    }
    // One base pointer and constant lane offsets keep the unrolled lanes
    // in registers.
    for (std::int32_t k = 0; k < steps; ++k) {
      for (int i = 0; i < kBlockTries; ++i) {
        SwapEntries(block.perm, p[k][i] + 64u * static_cast<unsigned>(i),
                    q[k][i] + 64u * static_cast<unsigned>(i));
      }
    }
  }
}

}  // namespace

void WildcardDraws(TryBlock& block, const TryShape& shape, const std::uint32_t* after) {
  std::uint32_t seeds[kBlockTries];
  std::memcpy(seeds, after, sizeof seeds);
  for (std::int32_t w = 0; w < shape.wildcards; ++w) {
    for (int i = 0; i < kBlockTries; ++i) {
      seeds[i] = seeds[i] * Random::kMultiplier + Random::kIncrement;
      block.wild[i][w] = seeds[i];
    }
  }
}

TryShape MakeTryShape(std::int32_t depth, std::uint32_t positions, std::int32_t wildcards) {
  TryShape shape;
  shape.depth = depth > 0 ? depth : 0;
  shape.positions = positions;
  shape.wildcards = wildcards;
  shape.swaps = LcgJump::Steps(2 * static_cast<std::uint64_t>(shape.depth));
  shape.perTry = shape.swaps.Then(LcgJump::Steps(static_cast<std::uint64_t>(wildcards)));
  LcgJump tries;
  for (int i = 0; i <= kBlockTries; ++i) {
    shape.triesA[i] = tries.a;
    shape.triesC[i] = tries.c;
    tries = tries.Then(shape.perTry);
  }
  return shape;
}

void BuildTryBlockPortable(TryBlock& block, const TryShape& shape, std::uint32_t seed) {
  StartStates(block, shape, seed);
  Identity(block);
  std::uint32_t seeds[kBlockTries];
  std::memcpy(seeds, block.start, sizeof seeds);
  if (shape.positions == 36) {
    Transpose<true>(block, shape, seeds);
  } else {
    Transpose<false>(block, shape, seeds);
  }
  WildcardDraws(block, shape, seeds);
}

BlockBuilder SelectBlockBuilder(bool allowWide) {
#if defined(__x86_64__)
  if (allowWide && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) {
    if (__builtin_cpu_supports("avx512bitalg")) return &BuildTryBlockBitalg;
    return &BuildTryBlockAvx512;
  }
#endif
  return &BuildTryBlockPortable;
}

}  // namespace zlc
