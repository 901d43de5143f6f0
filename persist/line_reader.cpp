#include "persist/line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include "persist/fd_io.h"

namespace zlc {
namespace {

void Deliver(std::string& line, const std::function<void(std::string_view)>& onLine) {
  std::string_view view{line};
  if (!view.empty() && view.back() == '\r') view.remove_suffix(1);
  onLine(view);
  line.clear();
}

}  // namespace

IoResult ReadLines(const std::string& path, const std::function<void(std::string_view)>& onLine) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return LastIoError();
  std::array<char, 64 * 1024> chunk;
  std::string line;
  bool pending = false;  // bytes of a line without its LF yet
  for (;;) {
    std::size_t got = 0;
    if (IoResult failed = ReadSome(fd, chunk.data(), chunk.size(), got)) {
      ::close(fd);
      return failed;
    }
    if (got == 0) break;
    const char* at = chunk.data();
    const char* end = at + got;
    while (at < end) {
      const char* lf = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
      if (lf == nullptr) {
        line.append(at, end);
        pending = true;
        break;
      }
      line.append(at, lf);
      Deliver(line, onLine);
      pending = false;
      at = lf + 1;
    }
  }
  // Nothing was written through this descriptor, so a failing close loses
  // nothing.
  ::close(fd);
  if (pending) Deliver(line, onLine);
  return std::nullopt;
}

}  // namespace zlc
