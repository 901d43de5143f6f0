// The result lists: text lines, newest block on top. The text of every line
// is kept once, in large chunks shared by both lists; a list holds only a
// view of each of its lines. A block goes on top in constant time however
// long the list grows, and a line costs its text and sixteen bytes a list.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zlc {

struct ResultBlock {
  std::string lines[3];
};

// Where the lines' text lives until both lists are emptied.
class LineStore {
 public:
  std::string_view Keep(std::string_view line);
  void Clear();

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t used_ = 0;      // of the last chunk
  std::size_t capacity_ = 0;  // of the last chunk
};

class ResultList {
 public:
  std::size_t Size() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }
  std::string_view Line(std::size_t index) const { return lines_[index]; }

  // The three lines of a block, kept in a LineStore that outlives them here.
  void AddBlockOnTop(const std::string_view (&block)[3]) {
    for (int j = 2; j >= 0; --j) lines_.push_front(block[j]);
    ++added_;
  }
  void Clear() {
    lines_.clear();
    lines_.shrink_to_fit();
    ++clears_;
  }
  // Counters a view compares to learn what changed since it last looked.
  std::uint64_t BlocksAdded() const { return added_; }
  std::uint64_t Clears() const { return clears_; }

  // The index of the first line of the block that holds line `index`: the
  // nearest line at or above it that starts with a digit. -1 when none.
  std::ptrdiff_t BlockStart(std::size_t index) const;

 private:
  std::deque<std::string_view> lines_;
  std::uint64_t added_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace zlc
