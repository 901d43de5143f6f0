// The try block with sixteen generator lanes in one vector register. Built
// with AVX-512 enabled for this file only; used when the processor has it.
#include <immintrin.h>

#include <algorithm>
#include <cstring>

#include "engine/try_block.h"

namespace zlc {
namespace {

// hi32(seed * n) of every lane.
inline __m512i DrawLanes(__m512i seeds, __m512i n) {
  const __m512i even = _mm512_srli_epi64(_mm512_mul_epu32(seeds, n), 32);
  const __m512i odd = _mm512_mul_epu32(_mm512_srli_epi64(seeds, 32), n);
  return _mm512_mask_blend_epi32(0xAAAA, even, odd);
}

}  // namespace

void BuildTryBlockAvx512(TryBlock& block, const TryShape& shape, std::uint32_t seed) {
  for (int i = 0; i < kBlockTries; ++i) {
    block.start[i] = seed;
    seed = shape.perTry.Apply(seed);
  }
  block.end = seed;
  const __m512i iota = _mm512_set_epi8(
      63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 43, 42, 41,
      40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18,
      17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
  for (int i = 0; i < kBlockTries; ++i) _mm512_store_si512(block.perm + 64 * i, iota);

  const __m512i a = _mm512_set1_epi32(static_cast<int>(Random::kMultiplier));
  const __m512i c = _mm512_set1_epi32(static_cast<int>(Random::kIncrement));
  // Two steps at once: the draws of step k + 1 follow from those of step k
  // by the two-call map, so the chain is one multiply long per step.
  const LcgJump two = LcgJump::Steps(2);
  const __m512i a2 = _mm512_set1_epi32(static_cast<int>(two.a));
  const __m512i c2 = _mm512_set1_epi32(static_cast<int>(two.c));
  const __m512i n = _mm512_set1_epi32(static_cast<int>(shape.positions));
  __m512i seeds = _mm512_loadu_si512(block.start);
  __m512i s1 = _mm512_add_epi32(_mm512_mullo_epi32(seeds, a), c);  // first draw of step 0
  alignas(16) std::uint8_t p[kChunkSteps][kBlockTries];
  alignas(16) std::uint8_t q[kChunkSteps][kBlockTries];
  for (std::int32_t done = 0; done < shape.depth; done += kChunkSteps) {
    const std::int32_t steps = std::min<std::int32_t>(kChunkSteps, shape.depth - done);
    for (std::int32_t k = 0; k < steps; ++k) {
      const __m512i s2 = _mm512_add_epi32(_mm512_mullo_epi32(s1, a), c);
      _mm_store_si128(reinterpret_cast<__m128i*>(p[k]), _mm512_cvtepi32_epi8(DrawLanes(s1, n)));
      _mm_store_si128(reinterpret_cast<__m128i*>(q[k]), _mm512_cvtepi32_epi8(DrawLanes(s2, n)));
      seeds = s2;
      s1 = _mm512_add_epi32(_mm512_mullo_epi32(s1, a2), c2);
    }
    // One base pointer and constant lane offsets keep the unrolled lanes
    // in registers.
    std::uint8_t* base = block.perm;
    for (std::int32_t k = 0; k < steps; ++k) {
      for (int i = 0; i < kBlockTries; ++i) {
        const unsigned pi = p[k][i] + 64u * static_cast<unsigned>(i);
        const unsigned qi = q[k][i] + 64u * static_cast<unsigned>(i);
        const std::uint8_t t = base[pi];
        base[pi] = base[qi];
        base[qi] = t;
      }
    }
  }
  alignas(64) std::uint32_t raw[kBlockTries];
  for (std::int32_t w = 0; w < shape.wildcards; ++w) {
    seeds = _mm512_add_epi32(_mm512_mullo_epi32(seeds, a), c);
    _mm512_store_si512(raw, seeds);
    for (int i = 0; i < kBlockTries; ++i) block.wild[i][w] = raw[i];
  }
}

}  // namespace zlc
