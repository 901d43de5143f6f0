#include "calculator/run_setup.h"

namespace zlc {
namespace {

bool SameLetters(const NotationSet& a, const NotationSet& b) {
  return a.rankLetters == b.rankLetters && a.suitLetters == b.suitLetters;
}

// The same cards in the same places, each text in its own letters (tokens
// of rank, suit and a space; what is no letter stands as it is).
bool SameTask(std::string_view was, const NotationSet& wasLetters, std::string_view now,
              const NotationSet& nowLetters) {
  if (SameLetters(wasLetters, nowLetters)) return was == now;
  if (was.size() != now.size()) return false;
  for (std::size_t i = 0; i < was.size(); ++i) {
    const std::string& from = i % 3 == 0 ? wasLetters.rankLetters : wasLetters.suitLetters;
    const std::string& to = i % 3 == 0 ? nowLetters.rankLetters : nowLetters.suitLetters;
    const std::size_t letter = i % 3 == 2 ? std::string::npos : from.find(was[i]);
    const char expected = letter < to.size() ? to[letter] : was[i];
    if (now[i] != expected) return false;
  }
  return true;
}

}  // namespace

bool RestartsCounting(SetupChange change) {
  switch (change) {
    case SetupChange::Task:
    case SetupChange::Filter:
    case SetupChange::Variants:
    case SetupChange::ShuffleDepth:
      return true;
    case SetupChange::None:
    case SetupChange::Notation:
    case SetupChange::Marks:
    case SetupChange::Clearing:
    case SetupChange::VariantDrawnAgain:
      break;
  }
  return false;
}

SetupChange ChangeOf(const RunSetup& was, std::string_view task, const NotationSet& notation,
                     const Settings& settings, const FilterSettings& filter) {
  if (!SameTask(was.task, was.notation, task, notation)) return SetupChange::Task;
  if (filter.resultVariants != was.filter.resultVariants) return SetupChange::Variants;
  if (filter != was.filter) return SetupChange::Filter;
  const Settings& s = was.settings;
  if (settings.shuffleDepth != s.shuffleDepth) return SetupChange::ShuffleDepth;
  if (!SameLetters(notation, was.notation)) return SetupChange::Notation;
  if (settings.markTransits != s.markTransits || settings.staticMarkMode != s.staticMarkMode ||
      settings.deleteSpaces != s.deleteSpaces) {
    return SetupChange::Marks;
  }
  // The threshold of an unticked box clears nothing.
  if (settings.clearAtRn != s.clearAtRn || (s.clearAtRn && settings.clearThreshold != s.clearThreshold)) {
    return SetupChange::Clearing;
  }
  return SetupChange::None;
}

}  // namespace zlc
