#include "engine/layout.h"

#include <utility>

#include "engine/random.h"

namespace zlc {
namespace {

void SwapLetters(ChainEntry& a, ChainEntry& b) {
  std::swap(a.rankLetter, b.rankLetter);
  std::swap(a.suitLetter, b.suitLetter);
}

}  // namespace

void BindLayout(Layout& layout, const char* text, std::size_t length) {
  BindChain(layout.chain, text, length);
  layout.mobility.fill(0);
  layout.isTransit.fill(0);
}

void ShuffleLayout(Layout& layout, std::int32_t depth, Random& random) {
  ChainEntry* cards = layout.chain.cards;
  const auto n = static_cast<std::uint32_t>(layout.chain.lastIndex + 1);
  for (std::int32_t i = 0; i < depth; ++i) {
    std::uint32_t p = random.Next(n);
    std::uint32_t q = random.Next(n);
    SwapLetters(cards[p], cards[q]);
  }
  for (std::int32_t k = 0; k <= layout.chain.lastIndex; ++k) {
    layout.mobility[k] = 0;
    layout.isTransit[k] = 0;
  }
}

void PlaceTaskItems(Layout& layout, const TaskItem* items, int count, Random& random) {
  ChainEntry* cards = layout.chain.cards;
  bool placed[kDeckSize] = {};

  for (int i = 0; i < count; ++i) {
    const TaskItem& item = items[i];
    if (item.text[0] == '?' || item.text[1] == '?') continue;
    for (int k = 0; k < kDeckSize; ++k) {
      if (cards[k].rankLetter == item.text[0] && cards[k].suitLetter == item.text[1]) {
        if (!placed[k]) {
          SwapLetters(cards[k], cards[item.target]);
          placed[item.target] = true;
        }
        break;
      }
    }
  }

  for (int i = 0; i < count; ++i) {
    const TaskItem& item = items[i];
    const bool rankWildcard = item.text[0] != '?' && item.text[1] == '?';
    const bool suitWildcard = item.text[0] == '?' && item.text[1] != '?';
    if (!rankWildcard && !suitWildcard) continue;
    int free[kDeckSize];
    int n = 0;
    for (int k = 0; k < kDeckSize; ++k) {
      if (placed[k]) continue;
      if (rankWildcard ? cards[k].rankLetter == item.text[0] : cards[k].suitLetter == item.text[1]) {
        free[n++] = k;
      }
    }
    const std::uint32_t c = random.Next(static_cast<std::uint32_t>(n));
    if (n == 0) continue;
    SwapLetters(cards[free[c]], cards[item.target]);
    placed[item.target] = true;
  }
}

}  // namespace zlc
