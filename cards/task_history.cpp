#include "cards/task_history.h"

namespace zlc {

void TaskHistory::Keep(const std::string& before, const std::string& after) {
  if (before == after) return;
  texts_.push_back(before);
  if (texts_.size() > kMostKept) texts_.pop_front();
}

std::optional<std::string> TaskHistory::Undo() {
  if (texts_.empty()) return std::nullopt;
  std::string text = std::move(texts_.back());
  texts_.pop_back();
  return text;
}

}  // namespace zlc
