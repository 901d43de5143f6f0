// The collapse test of a group of layouts made one after another, run side
// by side: each chain's test is a short chain of dependent steps, so tests of
// several layouts overlap their work.
#pragma once

#include <cstdint>

#include "cards/notation.h"

namespace zlc {

inline constexpr int kGroupTries = 16;

// `layouts` holds `members` (at most kGroupTries) layouts of 36 cards
// numbered 4 x rank + suit, each padded to 64 bytes with zeros. Returns the
// mask of the members that collapse to two cards.
using GroupTest = unsigned (*)(const std::uint8_t (*layouts)[64], int members);

unsigned ConvergingMembersPortable(const std::uint8_t (*layouts)[64], int members);
#if defined(__x86_64__)
unsigned ConvergingMembersAvx512(const std::uint8_t (*layouts)[64], int members);
unsigned ConvergingMembersAvx2(const std::uint8_t (*layouts)[64], int members);
#endif

GroupTest SelectGroupTest(bool allowWide = true);

// The wide tests' verdicts: a chain converged when no triple is left to it.
inline unsigned ConvergedMembers(const std::uint64_t* triplesLeft, int members) {
  unsigned converged = 0;
  for (int g = 0; g < members; ++g) converged |= unsigned{triplesLeft[g] == 0} << g;
  return converged;
}

// A group tested `part` layouts at a time, the verdicts put side by side.
template <typename PartTest>
unsigned TestInParts(const std::uint8_t (*layouts)[64], int members, int part, PartTest test) {
  unsigned converged = 0;
  for (int first = 0; first < members; first += part) {
    const int count = members - first < part ? members - first : part;
    converged |= test(layouts + first, count) << first;
  }
  return converged;
}

// out[k] = previous[perm[k]] for the 36 cards: a try's transpositions,
// worked out ahead as a permutation, applied to the layout before it. Both
// layouts are padded with zeros to 64 bytes, and the padding stays zero.
using PermuteLayout = void (*)(const std::uint8_t* previous, const std::uint8_t* perm,
                               std::uint8_t* out);

void PermuteLayoutPortable(const std::uint8_t* previous, const std::uint8_t* perm,
                           std::uint8_t* out);
#if defined(__x86_64__)
void PermuteLayoutAvx512(const std::uint8_t* previous, const std::uint8_t* perm,
                         std::uint8_t* out);
#endif

PermuteLayout SelectPermuteLayout(bool allowWide = true);

}  // namespace zlc
