#include "engine/result_list.h"

namespace zlc {

std::ptrdiff_t ResultList::BlockStart(std::size_t index) const {
  if (index >= lines_.size()) return -1;
  for (auto i = static_cast<std::ptrdiff_t>(index); i >= 0; --i) {
    const std::string& line = lines_[static_cast<std::size_t>(i)];
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') return i;
  }
  return -1;
}

}  // namespace zlc
