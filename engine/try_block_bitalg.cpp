// The try block traced backwards, eight positions of eight tries in each
// vector register. Built with AVX-512 and its bit-shuffle extension for this
// file only; used when the processor has them.
//
// Each card's place is followed back from the last transposition to the
// first: byte 8r + b of try t starts at 8r + b and is swapped (p <-> q)
// whenever it equals one of the step's two positions; past the first step
// it holds the position, before the transpositions, of the card that ends
// at 8r + b, which is perm[64t + 8r + b]. One bit-shuffle against the qword
// (1 << p) | (1 << q) of each try finds the bytes to swap, and a masked
// subtraction from p + q swaps them: two instructions for 64 bytes, where
// the byte swaps in memory take four loads and two stores per transposition.
// The generator runs backwards for it (it has full period, so 2^32 - 1 calls
// undo one), from each try's state after its last transposition.
#include <immintrin.h>

#include "engine/try_block.h"

namespace zlc {
namespace {

// Eight tries (every second one of the block) with their positions in
// `kRows` registers of eight positions each.
template <int kRows>
struct Half {
  __m512i rows[kRows];
};

// The draws hi32(seed * n) of the tries in the even (low) or odd (high)
// 32-bit halves of the qwords, one per qword.
inline __m512i DrawEven(__m512i seeds, __m512i n) {
  return _mm512_srli_epi64(_mm512_mul_epu32(seeds, n), 32);
}
inline __m512i DrawOdd(__m512i seeds, __m512i n) {
  return _mm512_srli_epi64(_mm512_mul_epu32(_mm512_srli_epi64(seeds, 32), n), 32);
}

template <int kRows>
inline void Swap(Half<kRows>& half, __m512i p, __m512i q) {
  const __m512i one = _mm512_set1_epi64(1);
  const __m512i bits = _mm512_or_si512(_mm512_sllv_epi64(one, p), _mm512_sllv_epi64(one, q));
  // p + q in every byte of its qword.
  const __m512i spread = _mm512_set_epi64(0x0808080808080808LL, 0, 0x0808080808080808LL, 0,
                                          0x0808080808080808LL, 0, 0x0808080808080808LL, 0);
  const __m512i sum = _mm512_shuffle_epi8(_mm512_add_epi64(p, q), spread);
#pragma GCC unroll 8
  for (int r = 0; r < kRows; ++r) {
    const __mmask64 hit = _mm512_bitshuffle_epi64_mask(bits, half.rows[r]);
    half.rows[r] = _mm512_mask_sub_epi8(half.rows[r], hit, sum, half.rows[r]);
  }
}

// Try 2j (+1 for the odd half) takes qword j of each row, the positions past
// the traced rows their own: an 8 x 8 qword transposition.
template <int kRows>
inline void Store(const Half<kRows>& half, std::uint8_t* perm) {
  __m512i x[8];
  for (int r = 0; r < 8; ++r) {
    x[r] = r < kRows ? half.rows[r]
                     : _mm512_set1_epi64(0x0706050403020100LL + 0x0808080808080808LL * r);
  }
  __m512i t[8];
  for (int r = 0; r < 8; r += 2) {
    t[r] = _mm512_maskz_unpacklo_epi64(0xFF, x[r], x[r + 1]);
    t[r + 1] = _mm512_maskz_unpackhi_epi64(0xFF, x[r], x[r + 1]);
  }
  // 0x88: 128-bit lanes 0 and 2 of each source; 0xDD: lanes 1 and 3. (The
  // zero-masked forms with every lane kept: GCC 12 warns about the unmasked
  // ones' undefined start values.)
  __m512i u[8];
  for (int r = 0; r < 8; r += 4) {
    u[r] = _mm512_maskz_shuffle_i64x2(0xFF, t[r], t[r + 2], 0x88);
    u[r + 1] = _mm512_maskz_shuffle_i64x2(0xFF, t[r + 1], t[r + 3], 0x88);
    u[r + 2] = _mm512_maskz_shuffle_i64x2(0xFF, t[r], t[r + 2], 0xDD);
    u[r + 3] = _mm512_maskz_shuffle_i64x2(0xFF, t[r + 1], t[r + 3], 0xDD);
  }
  for (int j = 0; j < 4; ++j) {
    const __m512i low = _mm512_maskz_shuffle_i64x2(0xFF, u[j], u[j + 4], 0x88);
    const __m512i high = _mm512_maskz_shuffle_i64x2(0xFF, u[j], u[j + 4], 0xDD);
    _mm512_store_si512(perm + 128 * j, low);
    _mm512_store_si512(perm + 128 * (j + 4), high);
  }
}

template <int kRows>
void TraceBack(TryBlock& block, const TryShape& shape, __m512i after) {
  constexpr LcgJump back1 = LcgJump::Steps((std::uint64_t{1} << 32) - 1);
  constexpr LcgJump back2 = LcgJump::Steps((std::uint64_t{1} << 32) - 2);
  static_assert(back1.Apply(Random::kMultiplier * 12345u + Random::kIncrement) == 12345u);
  const __m512i b1a = _mm512_set1_epi32(static_cast<int>(back1.a));
  const __m512i b1c = _mm512_set1_epi32(static_cast<int>(back1.c));
  const __m512i b2a = _mm512_set1_epi32(static_cast<int>(back2.a));
  const __m512i b2c = _mm512_set1_epi32(static_cast<int>(back2.c));
  const __m512i n = _mm512_set1_epi64(shape.positions);
  Half<kRows> even, odd;
  {
    const __m512i ramp = _mm512_set1_epi64(0x0706050403020100LL);
    const __m512i eight = _mm512_set1_epi8(8);
    __m512i row = ramp;
    for (int r = 0; r < kRows; ++r) {
      even.rows[r] = row;
      odd.rows[r] = row;
      row = _mm512_add_epi8(row, eight);
    }
  }
  // s2: the state after the step's second call; s1: after its first.
  __m512i s2 = after;
  for (std::int32_t k = 0; k < shape.depth; ++k) {
    const __m512i s1 = _mm512_add_epi32(_mm512_mullo_epi32(s2, b1a), b1c);
    Swap(even, DrawEven(s1, n), DrawEven(s2, n));
    Swap(odd, DrawOdd(s1, n), DrawOdd(s2, n));
    s2 = _mm512_add_epi32(_mm512_mullo_epi32(s2, b2a), b2c);
  }
  Store(even, block.perm);
  Store(odd, block.perm + 64);
}

}  // namespace

void BuildTryBlockBitalg(TryBlock& block, const TryShape& shape, std::uint32_t seed) {
  // Each try's state before and after its transpositions, side by side.
  const __m512i seeds = _mm512_set1_epi32(static_cast<int>(seed));
  const __m512i triesA = _mm512_loadu_si512(shape.triesA);
  const __m512i start = _mm512_add_epi32(_mm512_mullo_epi32(triesA, seeds),
                                         _mm512_loadu_si512(shape.triesC));
  _mm512_storeu_si512(block.start, start);
  block.end = shape.triesA[kBlockTries] * seed + shape.triesC[kBlockTries];
  const __m512i after = _mm512_add_epi32(
      _mm512_mullo_epi32(start, _mm512_set1_epi32(static_cast<int>(shape.swaps.a))),
      _mm512_set1_epi32(static_cast<int>(shape.swaps.c)));
  // Positions that no draw reaches keep their places, so only the rows up
  // to the layout's length are traced.
  switch ((shape.positions + 7) / 8) {
    case 0:
    case 1: TraceBack<1>(block, shape, after); break;
    case 2: TraceBack<2>(block, shape, after); break;
    case 3: TraceBack<3>(block, shape, after); break;
    case 4: TraceBack<4>(block, shape, after); break;
    case 5: TraceBack<5>(block, shape, after); break;
    case 6: TraceBack<6>(block, shape, after); break;
    case 7: TraceBack<7>(block, shape, after); break;
    default: TraceBack<8>(block, shape, after); break;
  }
  alignas(64) std::uint32_t afterStates[kBlockTries];
  _mm512_store_si512(afterStates, after);
  WildcardDraws(block, shape, afterStates);
}

}  // namespace zlc
