// The collapse test of a group of layouts with each chain in one vector
// register. Built with AVX-512 enabled for this file only; used when the
// processor has it.
#include <immintrin.h>

#include <cstdint>

#include "engine/group_converge.h"

namespace zlc {

void PermuteLayoutAvx512(const std::uint8_t* previous, const std::uint8_t* perm,
                         std::uint8_t* out) {
  // (The zero-masking form keeps GCC 12 from warning about its own
  // undefined start value; with every lane kept it is the plain permute.)
  _mm512_store_si512(out, _mm512_maskz_permutexvar_epi8(~__mmask64{0}, _mm512_load_si512(perm),
                                                        _mm512_load_si512(previous)));
}

namespace {

// The test of up to `Chains` layouts. Each round of a chain is a dependent
// run of permutes; sixteen chains in flight hide that latency where eight
// left the vector unit waiting (1.35x the layouts per second), and more
// than sixteen no longer fit in the registers.
template <int Chains>
unsigned ConvergingChains(const std::uint8_t (*layouts)[64], int members) {
  alignas(64) static constexpr std::uint8_t kShiftOne[64] = {
      1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
      23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44,
      45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 63};
  alignas(64) static constexpr std::uint8_t kShiftTwo[64] = {
      2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
      24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45,
      46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 63, 63};
  const __m512i shiftOne = _mm512_load_si512(kShiftOne);
  const __m512i shiftTwo = _mm512_load_si512(kShiftTwo);
  // Two cards a and b share a suit or a rank exactly when a ^ b has no suit
  // bits or no rank bits, that is when the smaller of its two parts is zero.
  // (Worked out beside the permutes rather than looked up by one: the
  // permutes bound the round.)
  const __m512i suitBits = _mm512_set1_epi8(3);
  const __m512i rankBits = _mm512_set1_epi8(0x3C);

  // Each chain keeps the count of its triples that may still match; a
  // complete layout converges when 34 collapses bring it to zero. Slots past
  // `members` start at zero and never move, so the loop always runs all its
  // chains and the compiler keeps them all in registers.
  __m512i chain[Chains];
  std::uint64_t triplesLeft[Chains];
#pragma GCC unroll 16
  for (int g = 0; g < Chains; ++g) {
    const bool used = g < members;
    chain[g] = _mm512_load_si512(layouts[used ? g : 0]);
    triplesLeft[g] = used ? kDeckSize - 2 : 0;
  }
  // Every round collapses the leftmost matching triple of each chain that
  // still has one; chains without one stay as they are.
  for (;;) {
    std::uint64_t any = 0;
#pragma GCC unroll 16
    for (int g = 0; g < Chains; ++g) {
      const __m512i v = chain[g];
      const __m512i x = _mm512_xor_si512(v, _mm512_maskz_permutexvar_epi8(~__mmask64{0}, shiftTwo, v));
      const __m512i parts = _mm512_min_epu8(_mm512_and_si512(x, suitBits), _mm512_and_si512(x, rankBits));
      const __mmask64 same = _mm512_testn_epi8_mask(parts, parts);
      const std::uint64_t triples = _bzhi_u64(static_cast<std::uint64_t>(same), static_cast<unsigned>(triplesLeft[g]));
      any |= triples;
      // The card at the lowest match leaves: from there on every byte comes
      // from one place to its right (t | -t: the lowest set bit and all
      // above it). No match: nothing moves.
      const std::uint64_t from = triples | (0 - triples);
      chain[g] = _mm512_mask_permutexvar_epi8(v, from, shiftOne, v);
      triplesLeft[g] -= triples != 0;
    }
    if (any == 0) break;
  }
  return ConvergedMembers(triplesLeft, members);
}

}  // namespace

unsigned ConvergingMembersAvx512(const std::uint8_t (*layouts)[64], int members) {
  // A short group (the tries left in a block after a result) is not worth
  // the rounds of sixteen chains.
  return members <= kGroupTries / 2 ? ConvergingChains<kGroupTries / 2>(layouts, members)
                                     : ConvergingChains<kGroupTries>(layouts, members);
}

}  // namespace zlc
