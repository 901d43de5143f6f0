// The task texts before each edit made by hand (a card appended, tokens
// deleted, the task cleared), newest last, so that the last edits can be
// undone one by one. A change of notation or a task read from a file starts
// it again: an older text in other letters would switch the notation back.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace zlc {

class TaskHistory {
 public:
  static constexpr std::size_t kMostKept = 100;

  // The text as it was before an edit that changed it into `after`; an edit
  // that changed nothing is not kept.
  void Keep(const std::string& before, const std::string& after);
  // The text before the last edit, taken off the history; none when empty.
  std::optional<std::string> Undo();
  void Clear() { texts_.clear(); }
  bool Empty() const { return texts_.empty(); }

 private:
  std::deque<std::string> texts_;
};

}  // namespace zlc
