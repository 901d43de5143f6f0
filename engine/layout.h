// The layout the search works on: 36 cards in a chain, the analysis of the
// latest result, and the task's tokens with their target positions.
#pragma once

#include <array>
#include <cstdint>

#include "engine/chain.h"

namespace zlc {

struct Layout {
  Chain chain;  // entry k always has position k here
  std::array<std::uint8_t, kDeckSize> mobility{};   // 0 = static element
  std::array<std::uint8_t, kDeckSize> isTransit{};  // 0 or 1
  std::uint8_t transitCount = 0;                    // L(F)
};

inline constexpr int kMaxTaskItems = 100;

// One token of the task other than a gap.
struct TaskItem {
  char text[2];         // card code, rank wildcard, suit wildcard or "??"
  std::int32_t run;     // number of gaps before the token
  std::int32_t offset;  // place within its run
  std::int32_t target;  // layout position in the current variant
};

}  // namespace zlc

namespace zlc {

class Random;

// Fills the layout from a card text without spaces, two characters a card;
// clears the analysis fields.
void BindLayout(Layout& layout, const char* text, std::size_t length);

// `depth` random transpositions of the whole layout, then the analysis
// fields cleared. Only the letters move; entry k keeps position k.
void ShuffleLayout(Layout& layout, std::int32_t depth, Random& random);

// Puts the task's cards on their targets: card codes first, then each rank
// or suit wildcard draws one of the cards still free for it. A wildcard that
// finds no free card still makes its draw, so every try uses the same count
// of random numbers, and is skipped for that try.
void PlaceTaskItems(Layout& layout, const TaskItem* items, int count, Random& random);

}  // namespace zlc
