#include "calculator/result_list.h"

#include <algorithm>
#include <cstring>

namespace zlc {

std::string_view LineStore::Keep(std::string_view line) {
  if (chunks_.empty() || chunks_.back().capacity - used_ < line.size()) {
    const std::size_t capacity = std::max(kChunk, line.size());
    // Not zeroed: the pages are then first touched a line at a time, not a
    // megabyte at once (a fresh page can take a tenth of a millisecond).
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), capacity, 0});
    bytes_ += capacity;
    used_ = 0;
  }
  Chunk& chunk = chunks_.back();
  char* at = chunk.bytes.get() + used_;
  std::memcpy(at, line.data(), line.size());
  used_ += line.size();
  ++chunk.lines;
  ++lines_;
  return {at, line.size()};
}

void LineStore::Clear() {
  chunks_.clear();
  used_ = 0;
  bytes_ = 0;
  lines_ = 0;
}

std::uint64_t LineStore::DropOldestChunk() {
  if (chunks_.size() < 2) return 0;
  const std::uint64_t lines = chunks_.front().lines;
  bytes_ -= chunks_.front().capacity;
  lines_ -= lines;
  chunks_.pop_front();
  return lines;
}

std::uint64_t ResultList::DropOldest(std::uint64_t lines) {
  // Blocks come three lines at a time, so whole blocks end at multiples of
  // three. (Within a block the lines arrive last line first: the text of a
  // block's first line is stored before its other lines, so it is never
  // read here, where its chunk may just have been freed.)
  const std::uint64_t before = first_;
  first_ = std::min(arrived_, (first_ + lines + 2) / 3 * 3);
  while (!chunks_.empty() && first_ / kChunkLines > firstChunk_) {
    chunks_.pop_front();
    ++firstChunk_;
  }
  while (!records_.empty() && first_ / 3 / kChunkBlocks > firstRecordChunk_) {
    records_.pop_front();
    ++firstRecordChunk_;
  }
  return first_ - before;
}

bool ResultList::BlockAt(std::size_t index, ResultBlock& block) const {
  const std::ptrdiff_t start = BlockStart(index);
  if (start < 0) return false;
  for (std::size_t j = 0; j < 3; ++j) block.lines[j] = Line(static_cast<std::size_t>(start) + j);
  return true;
}

}  // namespace zlc
