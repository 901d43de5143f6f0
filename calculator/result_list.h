// The result lists: text lines, newest block on top. The text of a list's
// lines is kept in large chunks of its own store; the list holds a view of
// each line. A block goes on top in constant time however long the list
// grows, and a line costs its text and sixteen bytes. A list can forget its
// oldest lines a chunk at a time, which is how a night-long search stays
// within its memory.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/result_record.h"

namespace zlc {

struct ResultBlock {
  std::string lines[3];
};

// Where a list's lines' text lives, in the order the lines came.
class LineStore {
 public:
  std::string_view Keep(std::string_view line);
  void Clear();

  std::size_t Bytes() const { return bytes_; }
  std::size_t Chunks() const { return chunks_.size(); }
  std::uint64_t Lines() const { return lines_; }  // whose text is kept
  // Frees the oldest chunk, never the one being filled; the number of lines
  // whose text it held. 0 when there is only the chunk being filled.
  std::uint64_t DropOldestChunk();

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  struct Chunk {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0;
    std::uint64_t lines = 0;
  };
  std::deque<Chunk> chunks_;
  std::size_t used_ = 0;   // of the last chunk
  std::size_t bytes_ = 0;  // of all chunks
  std::uint64_t lines_ = 0;
};

class ResultList {
 public:
  std::size_t Size() const { return static_cast<std::size_t>(arrived_ - first_); }
  bool Empty() const { return arrived_ == first_; }
  // Line 0 is the newest block's first line.
  std::string_view Line(std::size_t index) const {
    const LineSlot& slot = SlotOf(arrived_ - 1 - index);
    return {slot.text, slot.size};
  }

  // The three lines of a block, kept in a LineStore that outlives them here,
  // and the facts of its result.
  void AddBlockOnTop(const std::string_view (&block)[3], const ResultRecord& record) {
    const std::uint64_t blockArrival = arrived_ / 3;
    if (blockArrival % kChunkBlocks == 0 &&
        blockArrival / kChunkBlocks - firstRecordChunk_ == records_.size()) {
      records_.push_back(std::make_unique_for_overwrite<ResultRecord[]>(kChunkBlocks));
    }
    records_.back()[blockArrival % kChunkBlocks] = record;
    for (int j = 2; j >= 0; --j) Append(block[j]);
    ++added_;
  }
  // A block of no result (its record's number is 0).
  void AddBlockOnTop(const std::string_view (&block)[3]) { AddBlockOnTop(block, ResultRecord{}); }
  // The record of the block that holds line `index`.
  const ResultRecord& RecordOfLine(std::size_t index) const {
    const std::uint64_t block = (arrived_ - 1 - index) / 3;
    return records_[static_cast<std::size_t>(block / kChunkBlocks - firstRecordChunk_)][block % kChunkBlocks];
  }
  void Clear() {
    records_.clear();
    firstRecordChunk_ = 0;
    chunks_.clear();
    arrived_ = 0;
    first_ = 0;
    firstChunk_ = 0;
    ++clears_;
  }

  // Forgets at least `lines` of the oldest lines, and the rest of the block
  // the last of them belongs to, so that the list still holds whole blocks.
  // Returns how many it forgot.
  std::uint64_t DropOldest(std::uint64_t lines);

  // Counters a view compares to learn what changed since it last looked:
  // lines since the last clearing, and the first of them still kept.
  std::uint64_t Arrived() const { return arrived_; }
  std::uint64_t FirstKept() const { return first_; }
  std::uint64_t BlocksAdded() const { return added_; }
  std::uint64_t Clears() const { return clears_; }
  std::size_t Bytes() const {
    return chunks_.size() * kChunkLines * sizeof(LineSlot) + records_.size() * kChunkBlocks * sizeof(ResultRecord);
  }

  // The index of the first line of the block that holds line `index`, -1
  // past the end. Blocks come three lines at a time and a list forgets whole
  // blocks, so a block starts at every third line from the top.
  std::ptrdiff_t BlockStart(std::size_t index) const {
    return index < Size() ? static_cast<std::ptrdiff_t>(index - index % 3) : -1;
  }
  // The three lines of the block that holds line `index`; false past the end.
  bool BlockAt(std::size_t index, ResultBlock& block) const;

 private:
  // Lines are kept in the order they came, in chunks that never move: a list
  // of a hundred million lines grows by a fresh chunk, never by copying what
  // it holds (a moving index paused the window for tens of milliseconds).
  // 256 KB of slots a chunk: small beside any list's budget, so that the
  // chunks not yet freed, with the blocks' records, never hold a list past
  // its share while its text is down to the chunk being filled.
  static constexpr std::size_t kChunkLines = 1 << 14;
  static constexpr std::size_t kChunkBlocks = 1 << 10;  // 128 KB of records
  // A plain record, so a fresh chunk is not filled in advance: its pages are
  // first touched as lines arrive, not all in one go.
  struct LineSlot {
    const char* text;
    std::size_t size;
  };
  const LineSlot& SlotOf(std::uint64_t arrival) const {
    return chunks_[static_cast<std::size_t>(arrival / kChunkLines - firstChunk_)][arrival % kChunkLines];
  }
  void Append(std::string_view line) {
    if (arrived_ % kChunkLines == 0 && arrived_ / kChunkLines - firstChunk_ == chunks_.size()) {
      chunks_.push_back(std::make_unique_for_overwrite<LineSlot[]>(kChunkLines));
    }
    chunks_.back()[arrived_ % kChunkLines] = {line.data(), line.size()};
    ++arrived_;
  }

  std::deque<std::unique_ptr<LineSlot[]>> chunks_;
  std::deque<std::unique_ptr<ResultRecord[]>> records_;  // one per block, by arrival
  std::uint64_t firstRecordChunk_ = 0;
  std::uint64_t arrived_ = 0;     // lines added since the last clearing
  std::uint64_t first_ = 0;       // the oldest line still kept, by arrival
  std::uint64_t firstChunk_ = 0;  // the chunk that chunks_.front() is
  std::uint64_t added_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace zlc
