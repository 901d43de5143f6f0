// The random part of consecutive tries, built ahead of time. Every try makes
// the same number of generator calls (two per transposition, one per rank or
// suit wildcard), so the state at the start of try i of a block is known, and
// the tries' transpositions can be worked out side by side: applied to the
// identity they give each try's permutation, which does not depend on the
// layout it will later act on.
#pragma once

#include <cstdint>

#include "cards/notation.h"
#include "engine/lcg_jump.h"

namespace zlc {

inline constexpr int kBlockTries = 16;
inline constexpr int kMaxWildcards = 100;
// Draws are made this many transposition steps ahead of the swaps.
inline constexpr int kChunkSteps = 64;

struct TryBlock {
  // perm[64 * i + k]: the position, before try i's transpositions, of the
  // card that stands at k after them.
  alignas(64) std::uint8_t perm[kBlockTries * 64];
  const std::uint8_t* Perm(int i) const { return perm + 64 * i; }
  // The raw generator states of try i's wildcard draws, in task order.
  std::uint32_t wild[kBlockTries][kMaxWildcards];
  std::uint32_t start[kBlockTries];  // generator state before try i
  std::uint32_t end;                 // after the block's last try
};

struct TryShape {
  std::int32_t depth = 0;      // transpositions per try
  std::uint32_t positions = 36;  // layout length, the range of each draw
  std::int32_t wildcards = 0;  // rank and suit wildcards of the task
  LcgJump perTry;              // the generator map of one whole try
  LcgJump swaps;               // the same of its transpositions alone
  // The maps of 0 to 16 whole tries, seed -> triesA[i] * seed + triesC[i]:
  // a block's start states side by side rather than one after another.
  std::uint32_t triesA[kBlockTries + 1] = {};
  std::uint32_t triesC[kBlockTries + 1] = {};
};

TryShape MakeTryShape(std::int32_t depth, std::uint32_t positions, std::int32_t wildcards);

// The builders' last part: the wildcard draws from each try's state after
// its transpositions.
void WildcardDraws(TryBlock& block, const TryShape& shape, const std::uint32_t* after);

// Fills the block from the state before its first try.
using BlockBuilder = void (*)(TryBlock& block, const TryShape& shape, std::uint32_t seed);

void BuildTryBlockPortable(TryBlock& block, const TryShape& shape, std::uint32_t seed);
#if defined(__x86_64__)
void BuildTryBlockAvx512(TryBlock& block, const TryShape& shape, std::uint32_t seed);
// Needs AVX-512 with its bit-shuffle extension (BITALG) as well.
void BuildTryBlockBitalg(TryBlock& block, const TryShape& shape, std::uint32_t seed);
#endif

// The fastest builder this processor runs; `allowWide` false forces the
// portable one (tests compare the two).
BlockBuilder SelectBlockBuilder(bool allowWide = true);

}  // namespace zlc
