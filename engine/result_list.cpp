#include "engine/result_list.h"

#include <algorithm>
#include <cstring>

namespace zlc {

std::string_view LineStore::Keep(std::string_view line) {
  if (capacity_ - used_ < line.size()) {
    capacity_ = std::max(kChunk, line.size());
    // Not zeroed: the pages are then first touched a line at a time, not a
    // megabyte at once (a fresh page can take a tenth of a millisecond).
    chunks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
    used_ = 0;
  }
  char* at = chunks_.back().get() + used_;
  std::memcpy(at, line.data(), line.size());
  used_ += line.size();
  return {at, line.size()};
}

void LineStore::Clear() {
  chunks_.clear();
  used_ = 0;
  capacity_ = 0;
}

std::ptrdiff_t ResultList::BlockStart(std::size_t index) const {
  if (index >= size_) return -1;
  for (auto i = static_cast<std::ptrdiff_t>(index); i >= 0; --i) {
    const std::string_view line = Line(static_cast<std::size_t>(i));
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') return i;
  }
  return -1;
}

}  // namespace zlc
