#include "persist/task_file.h"

#include <unistd.h>

#include "cards/cp1251.h"
#include "persist/line_reader.h"
#include "persist/safe_open.h"
#include "persist/text_files.h"

namespace zlc {
namespace {

// A task is at most 36 tokens; what a first line holds beyond 64 KB can be
// no part of one, and is not read.
constexpr std::size_t kMaxLine = 64 * 1024;

}  // namespace

IoResult ReadFirstLineFrom(int fd, std::string& line) {
  std::string first;
  IoResult failed = ReadLinesFrom(fd, [&first](std::string_view text) { first = text; },
                                  LineLimits{kMaxLine, kMaxLine + 3, 1});
  if (failed) return failed;
  line = FileTextToCp1251(first);
  return std::nullopt;
}

IoResult ReadFirstLine(const std::string& path, std::string& line) {
  int fd = -1;
  if (IoResult refused = OpenRegularForReading(path, fd)) return refused;
  IoResult failed = ReadFirstLineFrom(fd, line);
  ::close(fd);  // only read: a failing close loses nothing
  return failed;
}

IoResult WriteTaskFile(const std::string& path, std::string_view taskText) {
  return WriteTextFile(path, 1, [taskText](std::size_t) { return taskText; });
}

}  // namespace zlc
