#include "cards/card_row.h"

#include <array>

namespace zlc {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsMark(char c) { return c == '<' || c == '>' || c == '[' || c == ']' || c == '!'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsCardLetter(char c) {
  for (std::string_view letters : {kRuRanks, kEnRanks, kRuSuits, kEnSuits}) {
    if (letters.find(c) != std::string_view::npos) return true;
  }
  return false;
}

// A result's number: digits, with white space around them.
bool IsNumber(std::string_view text) {
  bool digits = false;
  for (char c : text) {
    if (IsDigit(c)) {
      digits = true;
    } else if (!IsWhiteSpace(c)) {
      return false;
    }
  }
  return digits;
}

struct CardIndex {
  int rank = -1;
  int suit = -1;
};

// The card of a rank and a suit letter of one notation. The suit letters of
// the two notations differ, so at most one notation knows the pair.
CardIndex CardOf(char rank, char suit) {
  for (auto [ranks, suits] : {std::pair{kEnRanks, kEnSuits}, std::pair{kRuRanks, kRuSuits}}) {
    const auto r = ranks.find(rank);
    const auto s = suits.find(suit);
    if (r != std::string_view::npos && s != std::string_view::npos) {
      return {static_cast<int>(r), static_cast<int>(s)};
    }
  }
  return {};
}

}  // namespace

std::optional<std::string> ReadCardRow(std::string_view text, const NotationSet& into, CardRowFault& fault) {
  using Why = CardRowFault::Why;
  const auto failed = [&fault](Why why, std::string_view part) {
    fault = {why, std::string{part}};
    return std::nullopt;
  };
  // A result's line 1 begins with its number and ". ".
  if (const auto dot = text.find('.'); dot != std::string_view::npos) {
    if (!IsNumber(text.substr(0, dot))) return failed(Why::NumberExpected, text.substr(0, dot + 1));
    text.remove_prefix(dot + 1);
  }
  std::string letters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsWhiteSpace(c) || IsMark(c)) continue;
    if (!IsCardLetter(c)) return failed(Why::NotCardCharacter, text.substr(i, 1));
    letters.push_back(c);
  }
  if (letters.empty()) return failed(Why::NoCard, {});

  std::string cards;
  std::array<bool, kDeckSize> seen{};
  for (std::size_t i = 0; i + 1 < letters.size(); i += 2) {
    const std::string_view written{letters.data() + i, 2};
    const CardIndex card = CardOf(written[0], written[1]);
    if (card.rank < 0) return failed(Why::NoSuchCard, written);
    bool& named = seen[static_cast<std::size_t>(card.rank * kSuitCount + card.suit)];
    if (named) return failed(Why::RepeatedCard, written);
    named = true;
    cards += CardCode(into, card.rank, card.suit);
  }
  if (letters.size() % 2 == 1) return failed(Why::Unpaired, std::string_view{&letters.back(), 1});
  return cards;
}

}  // namespace zlc
