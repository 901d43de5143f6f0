// The task: a row of two-character tokens held as the task text, and the
// state of the 51 card-grid buttons that compose it. Every state here is
// derived from the text and the order in which its tokens were added.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards/notation.h"
#include "cards/skipped_text.h"

namespace zlc {

inline constexpr int kCardButtonCount = 51;
inline constexpr int kLastCardButton = 50;
inline constexpr int kGapButton = 0;
inline constexpr int kCardWildcardButton = 50;
inline constexpr std::string_view kGapToken = "**";

inline constexpr int CardButtonIndex(int rank, int suit) { return 1 + 4 * rank + suit; }
inline constexpr int RankWildcardButton(int rank) { return 37 + rank; }
inline constexpr int SuitWildcardButton(int suit) { return 46 + suit; }

std::string StripSpaces(std::string_view text);

class TaskEditor {
 public:
  explicit TaskEditor(NotationSet& notation);

  // Captions of the grid in the active notation; enabled states are kept.
  void BuildCardGrid();

  const std::string& Text() const { return text_; }
  const std::string& Caption(int button) const { return captions_[button]; }
  bool Enabled(int button) const { return enabled_[button]; }
  int FindCardButton(std::string_view token) const;

  int TaskLength() const { return taskLength_; }
  bool TaskComplete() const { return taskComplete_; }
  std::string TaskCaption() const;  // "Task (L=n/36)"

  // The variants prepared for the current text, and their count as shown
  // under the task (-1: nothing shown); every change of the text clears
  // them and the count.
  bool VariantsReady() const { return variantsReady_; }
  void SetVariantsReady(bool ready) { variantsReady_ = ready; }
  std::int64_t ShownVariants() const { return shownVariants_; }
  void ShowVariants(std::int64_t count) { shownVariants_ = count; }

  // Appends the button's token when the button is enabled; false otherwise.
  bool CardButtonClick(int button);
  void RefreshTask();
  void ClearTask();
  // A text with no token that tells the notation is read as Ru, unless
  // `keepUndecidedNotation` asks to keep the notation in force. Returns what
  // the text held that the task did not take.
  SkippedTexts LoadTaskText(std::string_view anyText, bool keepUndecidedNotation = false);
  // Removes every token with a character in the selection [start, start+length).
  void DeleteSelected(int selStart, int selLength);
  // Rewrites the text's letters into the active notation in place.
  void ConvertTaskNotation();

 private:
  void SetText(std::string text);  // the task field's change event
  void DisableAll();
  bool DisableMatching(int position, char letter);
  SkippedText::Why WhyRefused(std::string_view token) const;

  NotationSet& notation_;
  // Button of every two-byte token, -1 for none: loading a long text looks
  // each pair up in constant time.
  std::array<std::int8_t, 1 << 16> buttonOfToken_{};
  std::string text_;
  std::array<std::string, kCardButtonCount> captions_;
  std::array<bool, kCardButtonCount> enabled_{};
  int taskLength_ = 0;
  bool taskComplete_ = false;
  bool variantsReady_ = false;
  std::int64_t shownVariants_ = -1;
};

}  // namespace zlc
