// A row of cards written as text: cards of either notation, spaced or run
// together, or a result's first line pasted whole, its number and marks and
// all.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cards/notation.h"

namespace zlc {

// Why a text is no row of cards, and the part of it at fault.
struct CardRowFault {
  enum class Why {
    NoCard,            // nothing but white space and marks
    NumberExpected,    // the text up to the first "." is no result's number
    NotCardCharacter,  // neither a card letter, white space nor a mark
    NoSuchCard,        // a pair of letters that is no card of either notation
    Unpaired,          // a last letter without its partner
    RepeatedCard,      // a card written twice
  };
  Why why = Why::NoCard;
  std::string text;  // Windows-1251, as written
};

// The cards of `text` (Windows-1251) in the order written, two characters
// each in the letters of `into`; or nothing, and the first fault. Each card
// may be in either notation. White space and the marks of a result line
// ("<", ">", "[", "]", "!") go; a number and "." before the cards go too.
std::optional<std::string> ReadCardRow(std::string_view text, const NotationSet& into, CardRowFault& fault);

}  // namespace zlc
