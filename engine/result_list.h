// A result list: text lines, newest block on top. Blocks are added at the top
// in constant time however long the list grows.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace zlc {

struct ResultBlock {
  std::string lines[3];
};

class ResultList {
 public:
  std::size_t Size() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }
  const std::string& Line(std::size_t index) const { return lines_[index]; }

  void AddBlockOnTop(const ResultBlock& block) {
    for (int j = 2; j >= 0; --j) lines_.push_front(block.lines[j]);
    ++added_;
  }
  void Clear() {
    lines_.clear();
    ++clears_;
  }
  // Counters a view compares to learn what changed since it last looked.
  std::uint64_t BlocksAdded() const { return added_; }
  std::uint64_t Clears() const { return clears_; }

  // The index of the first line of the block that holds line `index`: the
  // nearest line at or above it that starts with a digit. -1 when none.
  std::ptrdiff_t BlockStart(std::size_t index) const;

 private:
  std::deque<std::string> lines_;
  std::uint64_t added_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace zlc
