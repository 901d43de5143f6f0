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
  (void)Close();
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
  (void)CloseDescriptor();
  int fd = -1;
  if (IoResult failed = OpenForAppending(path_, fd)) return failed;
  fd_ = fd;
  return std::nullopt;
}

IoResult LogFile::Close() {
  // What was gathered goes out first; the first error is the one told.
  IoResult flushed = Flush();
  IoResult closed = CloseDescriptor();
  return flushed ? flushed : closed;
}

IoResult LogFile::CloseDescriptor() {
  if (fd_ < 0) return std::nullopt;
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

void LogFile::Add(const std::string* lines, int count) {
  for (int i = 0; i < count; ++i) {
    buffer_ += lines[i];
    buffer_ += "\r\n";
  }
  blockEnds_.push_back(buffer_.size());
}

IoResult LogFile::Flush() {
  if (!HasPending()) return std::nullopt;
  IoResult failed;
  if (fd_ < 0) {
    failed = IoError{EBADF};
  } else if (!(failed = ReopenIfGone())) {
    const off_t start = ::lseek(fd_, 0, SEEK_END);
    failed = WriteAll(fd_, buffer_);
    if (failed && start >= 0) CutBackToWholeBlocks(start);
  }
  buffer_.clear();
  blockEnds_.clear();
  return failed;
}

void LogFile::CutBackToWholeBlocks(off_t start) {
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || st.st_size < start) return;
  const auto written = static_cast<std::size_t>(st.st_size - start);
  std::size_t keep = 0;
  for (std::size_t end : blockEnds_) {
    if (end <= written) keep = end;
  }
  if (keep < written) (void)::ftruncate(fd_, start + static_cast<off_t>(keep));
}

IoResult LogFile::WriteLines(const std::string* lines, int count) {
  Add(lines, count);
  return Flush();
}

}  // namespace zlc
