#include "persist/task_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "persist/fd_io.h"
#include "persist/log_file.h"

namespace zlc {

IoResult ReadFirstLine(const std::string& path, std::string& line) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LastIoError();
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    std::size_t got = 0;
    if (IoResult failed = ReadSome(fd, buffer, sizeof buffer, got)) {
      ::close(fd);
      return failed;
    }
    if (got == 0) break;
    const void* nl = std::memchr(buffer, '\n', got);
    if (nl) {
      text.append(buffer, static_cast<std::size_t>(static_cast<const char*>(nl) - buffer));
      break;
    }
    text.append(buffer, got);
  }
  ::close(fd);
  if (!text.empty() && text.back() == '\r') text.pop_back();
  line = std::move(text);
  return std::nullopt;
}

IoResult WriteTaskFile(const std::string& path, std::string_view taskText) {
  return WriteTextFile(path, 1, [taskText](std::size_t) { return taskText; });
}

}  // namespace zlc
