#include "persist/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <array>

#include "persist/fd_io.h"
#include "persist/safe_open.h"

namespace zlc {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void LineSplitter::Deliver() {
  ++lines_;
  pending_ = false;
  onLine_(line_);
  line_.clear();
}

void LineSplitter::Feed(std::string_view bytes) {
  // A byte-order mark may arrive in pieces; it is taken off only whole.
  while (seen_ < kByteOrderMark.size() && !bytes.empty()) {
    if (bytes.front() != kByteOrderMark[seen_]) {
      const std::string_view partial = kByteOrderMark.substr(0, seen_);
      seen_ = kByteOrderMark.size();
      Feed(partial);
      break;
    }
    ++seen_;
    bytes.remove_prefix(1);
  }
  while (!bytes.empty() && !Done()) {
    if (afterCr_) {
      afterCr_ = false;
      if (bytes.front() == '\n') {
        bytes.remove_prefix(1);
        continue;
      }
    }
    const auto end = std::find_if(bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; });
    const auto length = static_cast<std::size_t>(end - bytes.begin());
    if (length > 0) {
      pending_ = true;
      if (line_.size() < limits_.maxLine) {
        line_.append(bytes.data(), std::min(length, limits_.maxLine - line_.size()));
      }
    }
    if (end == bytes.end()) return;
    afterCr_ = *end == '\r';
    bytes.remove_prefix(length + 1);
    Deliver();
  }
}

void LineSplitter::Finish() {
  if (seen_ > 0 && seen_ < kByteOrderMark.size()) {
    // A text shorter than the mark that began like it.
    const std::string_view partial = kByteOrderMark.substr(0, seen_);
    seen_ = kByteOrderMark.size();
    Feed(partial);
  }
  if (pending_ && !Done()) Deliver();
}

IoResult ReadLinesFrom(int fd, const std::function<void(std::string_view)>& onLine,
                       const LineLimits& limits) {
  LineSplitter splitter(limits, onLine);
  std::array<char, 64 * 1024> chunk;
  std::uint64_t left = limits.maxBytes;
  while (left > 0 && !splitter.Done()) {
    std::size_t got = 0;
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), left));
    if (IoResult failed = ReadSome(fd, chunk.data(), want, got)) return failed;
    if (got == 0) break;
    left -= got;
    splitter.Feed({chunk.data(), got});
  }
  splitter.Finish();
  return std::nullopt;
}

IoResult ReadLines(const std::string& path, const std::function<void(std::string_view)>& onLine,
                   const LineLimits& limits) {
  int fd = -1;
  if (IoResult refused = OpenRegularForReading(path, fd)) return refused;
  IoResult failed = ReadLinesFrom(fd, onLine, limits);
  // Nothing was written through this descriptor, so a failing close loses
  // nothing.
  ::close(fd);
  return failed;
}

}  // namespace zlc
