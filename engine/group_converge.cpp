#include "engine/group_converge.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zlc {
namespace {

// Cards are numbered 4 x rank + suit. kMatch[a] has bit b set when cards a
// and b share a suit or a rank.
constexpr std::array<std::uint64_t, kDeckSize> MakeMatchTable() {
  std::array<std::uint64_t, kDeckSize> table{};
  for (int a = 0; a < kDeckSize; ++a) {
    for (int b = 0; b < kDeckSize; ++b) {
      if (a / 4 == b / 4 || a % 4 == b % 4) table[a] |= std::uint64_t{1} << b;
    }
  }
  return table;
}
constexpr auto kMatch = MakeMatchTable();

// The same for indexes up to 63; those past the deck match nothing.
constexpr std::array<std::uint64_t, 64> MakeSentinelTable() {
  std::array<std::uint64_t, 64> table{};
  for (int a = 0; a < kDeckSize; ++a) table[a] = kMatch[a];
  return table;
}
constexpr auto kMatchSentinel = MakeSentinelTable();

// The collapse test of a group of layouts at once. Each chain is a linked
// list over the dealt positions, and `triples` has bit i set while the
// triple that starts at the card dealt at i matches, so the leftmost match
// is the lowest set bit. A collapse changes only the two triples that began
// before the card that left; the rest of the mask stays true. One collapse
// is a short chain of dependent loads, so the group's chains advance in
// lock step and their work overlaps. Index 36 ends each list and matches
// nothing; index 63 absorbs the steps of a chain that has finished. Both
// keep the loop free of branches.
struct ChainState {
  std::uint8_t card[64];
  std::uint8_t next[64];
  std::uint8_t prev[64];
};

struct InitialLinks {
  std::uint8_t next[64];
  std::uint8_t prev[64];
};
constexpr InitialLinks MakeInitialLinks() {
  constexpr std::uint8_t kEnd = kDeckSize;
  InitialLinks links{};
  for (int i = 0; i < 64; ++i) {
    links.next[i] = static_cast<std::uint8_t>(i < kDeckSize ? i + 1 : (i == 63 ? 63 : kEnd));
    links.prev[i] = static_cast<std::uint8_t>(i > 0 && i < kDeckSize ? i - 1 : (i == 63 ? 63 : kEnd));
  }
  return links;
}
constexpr InitialLinks kInitialLinks = MakeInitialLinks();

// Bit i set when the cards at i and i + 2 share a suit or a rank. `cards`
// holds 64 bytes; those past the deck are zero and are masked off.
std::uint64_t MatchingTriples(const std::uint8_t* cards) {
#if defined(__SSE2__)
  std::uint64_t bits = 0;
  const __m128i suitBits = _mm_set1_epi8(3);
  const __m128i rankBits = _mm_set1_epi8(static_cast<char>(0xFC));
  const __m128i zero = _mm_setzero_si128();
  for (int chunk = 0; chunk < 3; ++chunk) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cards + 16 * chunk));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cards + 16 * chunk + 2));
    const __m128i x = _mm_xor_si128(a, b);
    const __m128i same = _mm_or_si128(_mm_cmpeq_epi8(_mm_and_si128(x, suitBits), zero),
                                      _mm_cmpeq_epi8(_mm_and_si128(x, rankBits), zero));
    bits |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(same)))
            << (16 * chunk);
  }
  return bits & ((std::uint64_t{1} << (kDeckSize - 2)) - 1);
#else
  std::uint64_t bits = 0;
  for (int i = 0; i + 2 < kDeckSize; ++i) {
    bits |= ((kMatchSentinel[cards[i]] >> cards[i + 2]) & 1) << i;
  }
  return bits;
#endif
}

void StartChain(ChainState& c, std::uint64_t& triples, const std::uint8_t* cards) {
  std::memcpy(c.card, cards, 64);
  std::memset(c.card + kDeckSize, kDeckSize, 64 - kDeckSize);
  std::memcpy(c.next, kInitialLinks.next, 64);
  std::memcpy(c.prev, kInitialLinks.prev, 64);
  triples = MatchingTriples(cards);
}

// Eight chains in lock step, a group taken eight at a time: their loads
// overlap enough already, and sixteen at once were measured a little slower.
constexpr int kPortableChains = 8;

unsigned ConvergingChainsPortable(const std::uint8_t (*layouts)[64], int members) {
  ChainState chains[kPortableChains];
  std::uint64_t triples[kPortableChains];
  int count[kPortableChains];
  for (int g = 0; g < members; ++g) {
    StartChain(chains[g], triples[g], layouts[g]);
    count[g] = kDeckSize;
  }
  constexpr std::uint64_t kLive = (std::uint64_t{1} << kDeckSize) - 1;
  for (;;) {
    std::uint64_t any = 0;
    for (int g = 0; g < members; ++g) {
      ChainState& c = chains[g];
      std::uint64_t t = triples[g];
      const int x = std::countr_zero(t | (std::uint64_t{1} << 63));
      const std::uint8_t before = c.prev[x];
      const std::uint8_t after = c.next[x];
      c.prev[after] = before;
      c.next[before] = after;
      count[g] -= t != 0;
      t &= t - 1;
      auto recheck = [&](std::uint8_t y) {
        const std::uint8_t z = c.next[c.next[y]];
        const std::uint64_t match = (kMatchSentinel[c.card[y]] >> c.card[z]) & 1;
        t = (t & ~(std::uint64_t{1} << y)) | (match << y);
      };
      recheck(before);
      recheck(c.prev[before]);
      t &= kLive;
      triples[g] = t;
      any |= t;
    }
    if (any == 0) break;
  }
  unsigned converged = 0;
  for (int g = 0; g < members; ++g) converged |= unsigned{count[g] == 2} << g;
  return converged;
}

}  // namespace

unsigned ConvergingMembersPortable(const std::uint8_t (*layouts)[64], int members) {
  return TestInParts(layouts, members, kPortableChains, ConvergingChainsPortable);
}

void PermuteLayoutPortable(const std::uint8_t* previous, const std::uint8_t* perm,
                           std::uint8_t* out) {
  // The padding past the deck is zero in both layouts and stays so.
  for (int k = 0; k < kDeckSize; ++k) out[k] = previous[perm[k]];
}

namespace {

bool HasByteVectors() {
#if defined(__x86_64__)
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("bmi2");
#else
  return false;
#endif
}

bool HasAvx2() {
#if defined(__x86_64__)
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
         __builtin_cpu_supports("bmi2");
#else
  return false;
#endif
}

}  // namespace

GroupTest SelectGroupTest(bool allowWide) {
#if defined(__x86_64__)
  if (allowWide && HasByteVectors()) return &ConvergingMembersAvx512;
  if (allowWide && HasAvx2()) return &ConvergingMembersAvx2;
#endif
  return &ConvergingMembersPortable;
}

PermuteLayout SelectPermuteLayout(bool allowWide) {
#if defined(__x86_64__)
  if (allowWide && HasByteVectors()) return &PermuteLayoutAvx512;
#endif
  return &PermuteLayoutPortable;
}

}  // namespace zlc
