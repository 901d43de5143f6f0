#include "cards/task_editor.h"

#include <algorithm>

namespace zlc {
namespace {

bool IsGap(std::string_view token) { return token == kGapToken; }

std::size_t TokenKey(std::string_view token) {
  return static_cast<std::size_t>(static_cast<unsigned char>(token[0])) << 8 |
         static_cast<unsigned char>(token[1]);
}

bool InAlphabets(char c) {
  for (std::string_view a : {kRuRanks, kEnRanks, kRuSuits, kEnSuits}) {
    if (a.find(c) != std::string_view::npos) return true;
  }
  return c == '*' || c == '?';
}

}  // namespace

std::string StripSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ') out.push_back(c);
  }
  return out;
}

TaskEditor::TaskEditor(NotationSet& notation) : notation_(notation) {
  enabled_.fill(true);
  BuildCardGrid();
}

void TaskEditor::BuildCardGrid() {
  const std::string& ranks = notation_.rankLetters;
  const std::string& suits = notation_.suitLetters;
  for (int r = 0; r < kRankCount; ++r) {
    for (int s = 0; s < kSuitCount; ++s) captions_[CardButtonIndex(r, s)] = CardCode(notation_, r, s);
    captions_[RankWildcardButton(r)] = std::string{ranks[r], '?'};
  }
  for (int s = 0; s < kSuitCount; ++s) captions_[SuitWildcardButton(s)] = std::string{'?', suits[s]};
  captions_[kCardWildcardButton] = "??";
  captions_[kGapButton] = std::string{kGapToken};
  buttonOfToken_.fill(-1);
  for (int i = kLastCardButton; i >= 0; --i) buttonOfToken_[TokenKey(captions_[i])] = static_cast<std::int8_t>(i);
}

int TaskEditor::FindCardButton(std::string_view token) const {
  return token.size() == 2 ? buttonOfToken_[TokenKey(token)] : -1;
}

std::string TaskEditor::TaskCaption() const {
  return "Task (L=" + std::to_string(taskLength_) + "/36)";
}

void TaskEditor::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  variantsReady_ = false;
  shownVariants_ = -1;
}

bool TaskEditor::CardButtonClick(int button) {
  if (button < 0 || button > kLastCardButton || !enabled_[button]) return false;
  SetText(text_ + captions_[button] + ' ');
  RefreshTask();
  return true;
}

void TaskEditor::DisableAll() { enabled_.fill(false); }

// Disables the enabled buttons 1..50 whose caption has `letter` at
// `position`; true when any changed.
bool TaskEditor::DisableMatching(int position, char letter) {
  bool changed = false;
  for (int i = 1; i <= kLastCardButton; ++i) {
    if (enabled_[i] && captions_[i][position] == letter) {
      enabled_[i] = false;
      changed = true;
    }
  }
  return changed;
}

void TaskEditor::RefreshTask() {
  const std::string n = StripSpaces(text_);
  if (!n.empty()) enabled_[kGapButton] = n.back() != '*';

  bool hasGap = false;
  int count = 0;
  std::array<int, kRankCount> rankWildcards{};
  std::array<int, kSuitCount> suitWildcards{};
  for (std::size_t i = 0; i + 1 < n.size(); i += 2) {
    std::string_view token{n.data() + i, 2};
    if (IsGap(token)) {
      hasGap = true;
      continue;
    }
    ++count;
    if (token.find('?') == std::string_view::npos) {
      int b = FindCardButton(token);
      if (b >= 0) enabled_[b] = false;
    } else if (token[1] == '?') {
      auto r = notation_.rankLetters.find(token[0]);
      if (r != std::string::npos) ++rankWildcards[r];
    } else if (token[0] == '?') {
      auto s = notation_.suitLetters.find(token[1]);
      if (s != std::string::npos) ++suitWildcards[s];
    }
  }

  taskLength_ = hasGap ? kDeckSize : count;
  taskComplete_ = taskLength_ == kDeckSize;
  if (count == kDeckSize) DisableAll();

  bool changed = true;
  while (changed) {
    changed = false;
    bool allUsed = true;
    for (int i = 1; i <= kDeckSize; ++i) allUsed = allUsed && !enabled_[i];
    if (allUsed || count >= kDeckSize) DisableAll();

    for (int r = 0; r < kRankCount; ++r) {
      int available = 4;
      for (int s = 0; s < kSuitCount; ++s) available -= enabled_[CardButtonIndex(r, s)] ? 0 : 1;
      if (rankWildcards[r] >= available) changed |= DisableMatching(0, notation_.rankLetters[r]);
    }
    for (int s = 0; s < kSuitCount; ++s) {
      int available = 9;
      for (int r = 0; r < kRankCount; ++r) available -= enabled_[CardButtonIndex(r, s)] ? 0 : 1;
      if (suitWildcards[s] >= available) changed |= DisableMatching(1, notation_.suitLetters[s]);
    }
  }
}

void TaskEditor::ClearTask() {
  SetText({});
  enabled_.fill(true);
  taskLength_ = 0;
  variantsReady_ = false;
  taskComplete_ = false;
}

// Why the button of a token is disabled at its turn.
SkippedText::Why TaskEditor::WhyRefused(std::string_view token) const {
  int count = 0;
  bool named = false;
  for (std::size_t i = 0; i + 1 < text_.size(); i += 3) {
    const std::string_view held{text_.data() + i, 2};
    if (!IsGap(held)) ++count;
    named = named || held == token;
  }
  if (count >= kDeckSize) return SkippedText::Why::TaskFull;
  if (IsGap(token)) return SkippedText::Why::RepeatedGap;
  if (named && token.find('?') == std::string_view::npos) return SkippedText::Why::AlreadyInTask;
  return SkippedText::Why::NoCardLeft;
}

SkippedTexts TaskEditor::LoadTaskText(std::string_view anyText, bool keepUndecidedNotation) {
  using Why = SkippedText::Why;
  SkippedTexts skipped;
  ClearTask();
  if (auto dot = anyText.find('.'); dot != std::string_view::npos) {
    skipped.Add(Why::BeforeDot, anyText.substr(0, dot + 1));
    anyText.remove_prefix(dot + 1);
  }
  // Dropped characters are told in runs: a space or a kept character ends one.
  std::string kept;
  std::size_t runStart = 0;
  for (std::size_t i = 0; i <= anyText.size(); ++i) {
    const bool dropped = i < anyText.size() && anyText[i] != ' ' && !InAlphabets(anyText[i]);
    if (dropped) continue;
    if (runStart < i) skipped.Add(Why::NotCardCharacter, anyText.substr(runStart, i - runStart));
    runStart = i + 1;
    if (i < anyText.size() && anyText[i] != ' ') kept.push_back(anyText[i]);
  }

  std::optional<Notation> decided = DecidedNotation(kept);
  const Notation detected = decided.value_or(Notation::Ru);
  const char* wanted = detected == Notation::Ru ? "Ru" : "En";
  if ((decided || !keepUndecidedNotation) && notation_.notationName != wanted) {
    SetNotation(notation_, static_cast<int>(detected));
    BuildCardGrid();
  }

  for (std::size_t i = 0; i + 1 < kept.size(); i += 2) {
    const std::string_view token{kept.data() + i, 2};
    const int b = FindCardButton(token);
    if (b < 0) {
      skipped.Add(Why::NoSuchToken, token);
      continue;
    }
    if (!enabled_[b]) {
      // Why is worked out only for a part that is kept.
      if (skipped.Full()) {
        ++skipped.more;
      } else {
        skipped.Add(WhyRefused(token), token);
      }
      continue;
    }
    CardButtonClick(b);
    // Once nothing can be added, the rest of a long text is skipped at once.
    if (std::none_of(enabled_.begin(), enabled_.end(), [](bool e) { return e; })) {
      if (i + 2 < kept.size()) skipped.Add(Why::TaskFull, std::string_view{kept}.substr(i + 2));
      return skipped;
    }
  }
  if (kept.size() % 2 == 1) skipped.Add(Why::Unpaired, std::string_view{kept}.substr(kept.size() - 1));
  return skipped;
}

void TaskEditor::DeleteSelected(int selStart, int selLength) {
  const std::string& t = text_;
  const int n = static_cast<int>(t.size());
  if (selLength <= 0 || selStart < 0 || selStart >= n) return;
  selLength = std::min(selLength, n - selStart);

  int start = 3 * (selStart / 3);
  if (selStart % 3 == 2) start += 3;
  auto isSpace = [&](int i) { return i >= 0 && t[i] == ' '; };
  int end = selStart + selLength;
  while (end != n && (isSpace(end - 2) || !isSpace(end - 1))) ++end;

  std::string rest = t.substr(0, static_cast<std::size_t>(std::max(start - 1, 0))) +
                     t.substr(static_cast<std::size_t>(end));
  rest = StripSpaces(rest);

  std::string merged;
  bool lastWasGap = false;
  for (std::size_t i = 0; i + 1 < rest.size(); i += 2) {
    std::string_view token{rest.data() + i, 2};
    bool gap = IsGap(token);
    if (!(gap && lastWasGap)) merged.append(token);
    lastWasGap = gap;
  }
  // What is left was written in the notation in force; a remainder with no
  // telling letter (gaps, digits, wildcards) must not switch it.
  LoadTaskText(merged, true);
}

void TaskEditor::ConvertTaskNotation() { SetText(zlc::ConvertTaskNotation(notation_, text_)); }

}  // namespace zlc
