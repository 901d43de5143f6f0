#include "cards/notation.h"

namespace zlc {
void SetNotation(NotationSet& set, int kind) {
  if (kind == static_cast<int>(Notation::Ru)) {
    set.notationName = "Ru";
    set.rankLetters = kRuRanks;
    set.suitLetters = kRuSuits;
    set.baseDeck = kRuBaseDeck;
  } else if (kind == static_cast<int>(Notation::En)) {
    set.notationName = "En";
    set.rankLetters = kEnRanks;
    set.suitLetters = kEnSuits;
    set.baseDeck = kEnBaseDeck;
  }
}

void SelectNotationName(NotationSet& set, std::string_view name) {
  if (name == "Ru") SetNotation(set, static_cast<int>(Notation::Ru));
  if (name == "En") SetNotation(set, static_cast<int>(Notation::En));
}

std::string ConvertTaskNotation(const NotationSet& set, std::string_view taskText) {
  std::string out{taskText};
  std::string_view fromRanks, fromSuits;
  if (set.notationName == "Ru") {
    fromRanks = kEnRanks;
    fromSuits = kEnSuits;
  } else if (set.notationName == "En") {
    fromRanks = kRuRanks;
    fromSuits = kRuSuits;
  } else {
    return out;
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i % 3 == 0) {
      auto j = fromRanks.find(out[i]);
      if (j != std::string_view::npos) out[i] = set.rankLetters[j];
    } else if (i % 3 == 1) {
      auto j = fromSuits.find(out[i]);
      if (j != std::string_view::npos) out[i] = set.suitLetters[j];
    }
  }
  return out;
}

Notation DetectNotation(std::string_view filtered) {
  return DecidedNotation(filtered).value_or(Notation::Ru);
}

std::optional<Notation> DecidedNotation(std::string_view filtered) {
  auto in = [](std::string_view alphabet, char c) {
    return alphabet.find(c) != std::string_view::npos;
  };
  for (std::size_t i = 0; i + 1 < filtered.size(); i += 2) {
    bool ruRank = in(kRuRanks, filtered[i]);
    bool enRank = in(kEnRanks, filtered[i]);
    if (ruRank && !enRank) return Notation::Ru;
    if (enRank && !ruRank) return Notation::En;
    bool ruSuit = in(kRuSuits, filtered[i + 1]);
    bool enSuit = in(kEnSuits, filtered[i + 1]);
    if (ruSuit && !enSuit) return Notation::Ru;
    if (enSuit && !ruSuit) return Notation::En;
  }
  return std::nullopt;
}

std::string NotationLabelText(const NotationSet& set) {
  auto joined = [](const std::string& letters) {
    std::string s;
    for (std::size_t i = 0; i < letters.size(); ++i) {
      if (i > 0) s += ',';
      s += letters[i];
    }
    return s;
  };
  return "{" + joined(set.rankLetters) + "} && {" + joined(set.suitLetters) + "}";
}

std::string CardCode(const NotationSet& set, int rank, int suit) {
  return {set.rankLetters[static_cast<std::size_t>(rank)],
          set.suitLetters[static_cast<std::size_t>(suit)]};
}

}  // namespace zlc
