#include "persist/fd_io.h"

#include <unistd.h>

#include <cerrno>

namespace zlc {

IoResult WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return LastIoError();
    }
    if (put == 0) return IoError{EIO};
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return std::nullopt;
}

IoResult ReadSome(int fd, char* buffer, std::size_t size, std::size_t& got) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0) {
      got = static_cast<std::size_t>(n);
      return std::nullopt;
    }
    if (errno != EINTR) return LastIoError();
  }
}

}  // namespace zlc
