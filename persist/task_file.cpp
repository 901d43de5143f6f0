#include "persist/task_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "persist/log_file.h"

namespace zlc {

IoResult ReadFirstLine(const std::string& path, std::string& line) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LastIoError();
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      IoError e = LastIoError();
      ::close(fd);
      return e;
    }
    if (got == 0) break;
    const void* nl = std::memchr(buffer, '\n', static_cast<std::size_t>(got));
    if (nl) {
      text.append(buffer, static_cast<std::size_t>(static_cast<const char*>(nl) - buffer));
      break;
    }
    text.append(buffer, static_cast<std::size_t>(got));
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
