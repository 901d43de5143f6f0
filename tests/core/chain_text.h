// Chains written as card text in the tests: "6s 7d 8s" into a chain whose
// entry k has position k, and a chain back into spaced text.
#pragma once

#include <string>

#include "cards/task_editor.h"
#include "engine/chain.h"

namespace zlc::test {

inline Chain ChainOf(const std::string& spaced) {
  Chain chain{};
  const std::string text = StripSpaces(spaced);
  BindChain(chain, text.data(), text.size());
  return chain;
}

// Each card followed by one space.
inline std::string CardsOf(const Chain& chain) {
  std::string out;
  for (std::int32_t i = 0; i <= chain.lastIndex; ++i) {
    out += chain.cards[i].rankLetter;
    out += chain.cards[i].suitLetter;
    out += ' ';
  }
  return out;
}

}  // namespace zlc::test
