#include "persist/task_file.h"

#include "persist/line_reader.h"
#include "persist/log_file.h"

namespace zlc {

IoResult ReadFirstLine(const std::string& path, std::string& line) {
  // A task is at most 36 tokens; what a first line holds beyond 64 KB can
  // be no part of one, and is not read.
  constexpr std::size_t kMaxLine = 64 * 1024;
  std::string first;
  IoResult failed = ReadLines(path, [&first](std::string_view text) { first = text; },
                              LineLimits{kMaxLine, kMaxLine + 3, 1});
  if (failed) return failed;
  line = std::move(first);
  return std::nullopt;
}

IoResult WriteTaskFile(const std::string& path, std::string_view taskText) {
  return WriteTextFile(path, 1, [taskText](std::size_t) { return taskText; });
}

}  // namespace zlc
