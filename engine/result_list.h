// The result lists: text lines, newest block on top. The text of every line
// is kept once, in large chunks shared by both lists; a list holds only a
// view of each of its lines. A block goes on top in constant time however
// long the list grows, and a line costs its text and sixteen bytes a list.
#pragma once

#include <cstdint>
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
  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  // Line 0 is the newest block's first line.
  std::string_view Line(std::size_t index) const {
    const std::size_t at = size_ - 1 - index;  // in the order the lines came
    const LineSlot& slot = chunks_[at / kChunkLines][at % kChunkLines];
    return {slot.text, slot.size};
  }

  // The three lines of a block, kept in a LineStore that outlives them here.
  void AddBlockOnTop(const std::string_view (&block)[3]) {
    for (int j = 2; j >= 0; --j) Append(block[j]);
    ++added_;
  }
  void Clear() {
    chunks_.clear();
    chunks_.shrink_to_fit();
    size_ = 0;
    ++clears_;
  }
  // Counters a view compares to learn what changed since it last looked.
  std::uint64_t BlocksAdded() const { return added_; }
  std::uint64_t Clears() const { return clears_; }

  // The index of the first line of the block that holds line `index`: the
  // nearest line at or above it that starts with a digit. -1 when none.
  std::ptrdiff_t BlockStart(std::size_t index) const;

 private:
  // Lines are kept in the order they came, in chunks that never move: a list
  // of a hundred million lines grows by a fresh chunk, never by copying what
  // it holds (a moving index paused the window for tens of milliseconds).
  static constexpr std::size_t kChunkLines = 1 << 16;
  // A plain record, so a fresh chunk is not filled in advance: its pages are
  // first touched as lines arrive, not all in one go.
  struct LineSlot {
    const char* text;
    std::size_t size;
  };
  void Append(std::string_view line) {
    if (size_ % kChunkLines == 0 && size_ / kChunkLines == chunks_.size()) {
      chunks_.push_back(std::make_unique_for_overwrite<LineSlot[]>(kChunkLines));
    }
    chunks_[size_ / kChunkLines][size_ % kChunkLines] = {line.data(), line.size()};
    ++size_;
  }

  std::vector<std::unique_ptr<LineSlot[]>> chunks_;
  std::size_t size_ = 0;
  std::uint64_t added_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace zlc
