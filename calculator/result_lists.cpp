#include "calculator/result_lists.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace zlc {

std::size_t ResultLists::DefaultBudget() {
  constexpr std::size_t kMost = std::size_t{2} << 30;
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kMost;
  return std::min(kMost, static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) / 4);
}

void ResultLists::Add(const ResultBlock& block, const ResultRecord& record, bool passed) {
  if (!kept_) return;
  Put(all_, block, record);
  // A copy of its own, so that each list forgets independently.
  if (passed) Put(filtered_, block, record);
}

void ResultLists::Put(Held& held, const ResultBlock& block, const ResultRecord& record) {
  std::string_view kept[3];
  for (int j = 0; j < 3; ++j) kept[j] = held.text.Keep(block.lines[j]);
  held.list.AddBlockOnTop(kept, record);

  const std::size_t share = budget_ / 2;
  while (held.Bytes() > share && held.text.Chunks() > 1) {
    std::uint64_t lines = held.text.DropOldestChunk();
    const std::uint64_t gone = std::min(lines, held.droppedAhead);
    held.droppedAhead -= gone;
    lines -= gone;
    if (lines == 0) continue;
    const std::uint64_t dropped = held.list.DropOldest(lines);
    held.droppedAhead += dropped - lines;
    droppedLines_ += dropped;
  }
}

void ResultLists::Clear() {
  for (Held* held : {&all_, &filtered_}) {
    held->list.Clear();
    held->text.Clear();
    held->droppedAhead = 0;
  }
}

}  // namespace zlc
