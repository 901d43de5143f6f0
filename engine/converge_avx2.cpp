// The collapse test of a group of layouts for processors with AVX2 but not
// AVX-512: each chain in a 32-byte register and a 16-byte one (its cards
// 32 to 35). Built with AVX2 enabled for this file only; used when the
// processor has it.
#include <immintrin.h>

#include <cstdint>

#include "engine/group_converge.h"

namespace zlc {
namespace {

// Eight chains in flight hide a round's latency; twelve measured no faster.
constexpr int kChains = 8;

unsigned ConvergingChainsAvx2(const std::uint8_t (*layouts)[64], int members) {
  // Two cards share a suit or a rank exactly when the smaller of the suit
  // and rank parts of their xor is zero.
  const __m256i suitBits = _mm256_set1_epi8(3);
  const __m256i rankBits = _mm256_set1_epi8(0x3C);
  const __m128i suitBitsHigh = _mm256_castsi256_si128(suitBits);
  const __m128i rankBitsHigh = _mm256_castsi256_si128(rankBits);
  // Each byte's place in the chain, to mark the places from a collapse on.
  const __m256i placeLow = _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                            17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31);
  const __m128i placeHigh = _mm_setr_epi8(32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47);

  // As in the AVX-512 test: each chain counts its triples that may still
  // match, and slots past `members` start at zero and never move.
  __m256i low[kChains];
  __m128i high[kChains];
  std::uint64_t triplesLeft[kChains];
#pragma GCC unroll 8
  for (int g = 0; g < kChains; ++g) {
    const bool used = g < members;
    const std::uint8_t* cards = layouts[used ? g : 0];
    low[g] = _mm256_load_si256(reinterpret_cast<const __m256i*>(cards));
    high[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(cards + 32));
    triplesLeft[g] = used ? kDeckSize - 2 : 0;
  }
  for (;;) {
    std::uint64_t any = 0;
#pragma GCC unroll 8
    for (int g = 0; g < kChains; ++g) {
      const __m256i a = low[g];
      const __m128i b = high[g];
      // The chain from one and two places on: the upper half of `a` and
      // then `b` feed the shifts across the 16-byte lanes.
      const __m256i across = _mm256_permute2x128_si256(a, _mm256_castsi128_si256(b), 0x21);
      const __m256i x = _mm256_xor_si256(a, _mm256_alignr_epi8(across, a, 2));
      const __m128i y = _mm_xor_si128(b, _mm_srli_si128(b, 2));
      const __m256i partsLow = _mm256_min_epu8(_mm256_and_si256(x, suitBits), _mm256_and_si256(x, rankBits));
      const __m128i partsHigh = _mm_min_epu8(_mm_and_si128(y, suitBitsHigh), _mm_and_si128(y, rankBitsHigh));
      const auto sameLow = static_cast<std::uint32_t>(
          _mm256_movemask_epi8(_mm256_cmpeq_epi8(partsLow, _mm256_setzero_si256())));
      const auto sameHigh = static_cast<std::uint32_t>(
          _mm_movemask_epi8(_mm_cmpeq_epi8(partsHigh, _mm_setzero_si128())));
      const std::uint64_t same = sameLow | std::uint64_t{sameHigh} << 32;
      const std::uint64_t triples = _bzhi_u64(same, static_cast<unsigned>(triplesLeft[g]));
      any |= triples;
      // The card at the lowest match leaves: from there on every byte comes
      // from one place on. No match: the place is 64, past every byte.
      const auto from = static_cast<char>(_tzcnt_u64(triples) - 1);
      const __m256i fromLow = _mm256_cmpgt_epi8(placeLow, _mm256_set1_epi8(from));
      const __m128i fromHigh = _mm_cmpgt_epi8(placeHigh, _mm_set1_epi8(from));
      low[g] = _mm256_blendv_epi8(a, _mm256_alignr_epi8(across, a, 1), fromLow);
      high[g] = _mm_blendv_epi8(b, _mm_srli_si128(b, 1), fromHigh);
      triplesLeft[g] -= triples != 0;
    }
    if (any == 0) break;
  }
  return ConvergedMembers(triplesLeft, members);
}

}  // namespace

unsigned ConvergingMembersAvx2(const std::uint8_t (*layouts)[64], int members) {
  return TestInParts(layouts, members, kChains, ConvergingChainsAvx2);
}

}  // namespace zlc
