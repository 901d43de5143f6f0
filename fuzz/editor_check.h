// What must hold for the task editor after any operation, worked out from the
// task text alone. Shared by the fuzz targets; a broken rule aborts.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cards/notation.h"
#include "cards/task_editor.h"

namespace zlc::fuzz {

inline void Require(bool ok, const char* rule, const std::string& text) {
  if (ok) return;
  std::fprintf(stderr, "editor rule broken: %s\ntask text (%zu bytes):", rule, text.size());
  for (unsigned char c : text) std::fprintf(stderr, " %02x", c);
  std::fprintf(stderr, "\n");
  std::abort();
}

// The buttons that must be disabled for `text`: the card codes it names, and
// whatever the rank and suit wildcards use up, repeated until nothing more
// goes; everything when all 36 tokens are there or every card is taken; the
// gap button after a trailing gap.
inline std::array<bool, kCardButtonCount> ExpectedDisabled(const std::string& text,
                                                           const NotationSet& n, bool& wellFormed) {
  std::array<bool, kCardButtonCount> off{};
  std::array<int, kRankCount> rankWild{};
  std::array<int, kSuitCount> suitWild{};
  int count = 0;
  bool lastGap = false;
  wellFormed = text.size() % 3 == 0;
  for (std::size_t i = 0; wellFormed && i < text.size(); i += 3) {
    const char a = text[i], b = text[i + 1];
    const auto r = n.rankLetters.find(a), s = n.suitLetters.find(b);
    lastGap = a == '*' && b == '*';
    if (text[i + 2] != ' ') wellFormed = false;
    if (lastGap) continue;
    ++count;
    if (a == '?' && b == '?') continue;
    if (b == '?' && r != std::string::npos) {
      ++rankWild[r];
    } else if (a == '?' && s != std::string::npos) {
      ++suitWild[s];
    } else if (r != std::string::npos && s != std::string::npos) {
      off[CardButtonIndex(int(r), int(s))] = true;
    } else {
      wellFormed = false;  // not a token of the active notation
    }
  }
  for (bool changed = true; changed;) {
    changed = false;
    for (int r = 0; r < kRankCount; ++r) {
      int free = 0;
      for (int s = 0; s < kSuitCount; ++s) free += off[CardButtonIndex(r, s)] ? 0 : 1;
      if (rankWild[r] < free || off[RankWildcardButton(r)]) continue;
      off[RankWildcardButton(r)] = changed = true;
      for (int s = 0; s < kSuitCount; ++s) off[CardButtonIndex(r, s)] = true;
    }
    for (int s = 0; s < kSuitCount; ++s) {
      int free = 0;
      for (int r = 0; r < kRankCount; ++r) free += off[CardButtonIndex(r, s)] ? 0 : 1;
      if (suitWild[s] < free || off[SuitWildcardButton(s)]) continue;
      off[SuitWildcardButton(s)] = changed = true;
      for (int r = 0; r < kRankCount; ++r) off[CardButtonIndex(r, s)] = true;
    }
  }
  bool allCards = true;
  for (int i = 1; i <= kDeckSize; ++i) allCards = allCards && off[i];
  if (count >= kDeckSize || allCards) off.fill(true);
  if (lastGap) off[kGapButton] = true;
  return off;
}

inline void CheckEditor(const TaskEditor& e, const NotationSet& n) {
  const std::string& t = e.Text();
  Require(n.rankLetters.size() == kRankCount && n.suitLetters.size() == kSuitCount,
          "alphabets of the active notation", t);
  bool wellFormed = false;
  const auto off = ExpectedDisabled(t, n, wellFormed);
  Require(wellFormed, "text is whole tokens of the active notation, each followed by one space", t);

  std::array<bool, kDeckSize> seen{};
  int count = 0;
  bool hasGap = false, prevGap = false;
  for (std::size_t i = 0; i < t.size(); i += 3) {
    const bool gap = t[i] == '*' && t[i + 1] == '*';
    Require(!(gap && prevGap), "no two gaps next to each other", t);
    prevGap = gap;
    hasGap = hasGap || gap;
    if (gap) continue;
    ++count;
    const auto r = n.rankLetters.find(t[i]), s = n.suitLetters.find(t[i + 1]);
    if (r == std::string::npos || s == std::string::npos) continue;
    Require(!seen[r * kSuitCount + s], "no card code twice", t);
    seen[r * kSuitCount + s] = true;
  }
  Require(count <= kDeckSize, "at most 36 tokens other than gaps", t);
  const int length = hasGap ? kDeckSize : count;
  Require(e.TaskLength() == length, "task length", t);
  Require(e.TaskComplete() == (length == kDeckSize), "complete exactly at L=36", t);
  Require(e.TaskCaption() == "Task (L=" + std::to_string(length) + "/36)", "caption", t);

  for (int i = 0; i < kCardButtonCount; ++i) {
    Require(e.FindCardButton(e.Caption(i)) == i, "captions are distinct", t);
    // The grid is captioned in the active notation.
    if (i >= 1 && i <= kDeckSize)
      Require(e.Caption(i) == CardCode(n, (i - 1) / kSuitCount, (i - 1) % kSuitCount),
              "card caption in the active notation", t);
    if (!e.Enabled(i)) Require(off[i], "a disabled button has a reason", t);
    if (e.Enabled(i)) Require(!off[i], "a button without a reason to be disabled is enabled", t);
  }
}

}  // namespace zlc::fuzz
