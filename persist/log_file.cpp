#include "persist/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persist/fd_io.h"
#include "persist/safe_open.h"

namespace zlc {

LogFile::~LogFile() { Close(); }

IoResult LogFile::Open(const std::string& path) {
  Close();
  path_ = path;
  int fd = -1;
  if (IoResult failed = OpenForAppending(path, fd)) return failed;
  fd_ = fd;
  return std::nullopt;
}

IoResult LogFile::ReopenIfGone() {
  // Writes to a file that was deleted or replaced meanwhile would vanish
  // without an error: such a log is created again under its name.
  struct stat open {};
  struct stat named {};
  if (::fstat(fd_, &open) != 0) return LastIoError();
  const bool gone = open.st_nlink == 0 || ::stat(path_.c_str(), &named) != 0 ||
                    named.st_ino != open.st_ino || named.st_dev != open.st_dev;
  if (!gone) return std::nullopt;
  const std::string path = path_;
  Close();
  return Open(path);
}

IoResult LogFile::Close() {
  if (fd_ < 0) return std::nullopt;
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

IoResult LogFile::WriteLines(const std::string* lines, int count) {
  if (fd_ < 0) return IoError{EBADF};
  if (IoResult failed = ReopenIfGone()) return failed;
  buffer_.clear();
  for (int i = 0; i < count; ++i) {
    buffer_ += lines[i];
    buffer_ += "\r\n";
  }
  // A block that does not go out whole (a full disk takes part of it) is
  // cut off again, so that the log keeps whole blocks and the next result
  // does not start on a torn line.
  const off_t before = ::lseek(fd_, 0, SEEK_END);
  IoResult failed = WriteAll(fd_, buffer_);
  if (failed && before >= 0) (void)::ftruncate(fd_, before);
  return failed;
}

IoResult WriteTextFile(const std::string& path, std::size_t count,
                       const std::function<std::string_view(std::size_t)>& line) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return LastIoError();
  std::string chunk;
  for (std::size_t i = 0; i < count; ++i) {
    chunk += line(i);
    chunk += "\r\n";
    if (chunk.size() >= (1 << 16) || i + 1 == count) {
      if (IoResult failed = WriteAll(fd, chunk)) {
        ::close(fd);
        return failed;
      }
      chunk.clear();
    }
  }
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

}  // namespace zlc
