#include "engine/chain.h"

#include <cstring>

namespace zlc {

void RemoveEntry(Chain& chain, std::int32_t a) {
  std::memmove(&chain.cards[a], &chain.cards[a + 1],
               sizeof(ChainEntry) * static_cast<std::size_t>(chain.lastIndex - a));
  --chain.lastIndex;
}

std::int32_t FindCollapse(const Chain& chain, std::int32_t from) {
  for (std::int32_t a = from; a + 2 <= chain.lastIndex; ++a) {
    if (Matches(chain.cards[a], chain.cards[a + 2])) return a;
  }
  return -1;
}

void TestConvergence(const Chain& layout, Chain& work) {
  work.lastIndex = layout.lastIndex;
  if (layout.lastIndex >= 0) {
    std::memcpy(work.cards, layout.cards,
                sizeof(ChainEntry) * static_cast<std::size_t>(layout.lastIndex + 1));
  }
  std::int32_t from = 0;
  while (work.lastIndex >= 2) {
    std::int32_t a = FindCollapse(work, from);
    if (a < 0) break;
    RemoveEntry(work, a);
    from = a >= 2 ? a - 2 : 0;
  }
}

void BindChain(Chain& chain, const char* text, std::size_t length) {
  std::size_t pairs = length / 2;
  if (pairs > static_cast<std::size_t>(kDeckSize)) pairs = kDeckSize;
  for (std::size_t k = 0; k < pairs; ++k) {
    chain.cards[k] = ChainEntry{text[2 * k], text[2 * k + 1], static_cast<std::uint16_t>(k)};
  }
  chain.lastIndex = static_cast<std::int32_t>(pairs) - 1;
}

}  // namespace zlc
