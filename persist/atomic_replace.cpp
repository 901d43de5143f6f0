#include "persist/atomic_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "persist/fd_io.h"

namespace zlc {
namespace {

// Creates a file no one else uses, in the target's directory so that the
// rename stays on one file system.
int CreateTemporary(const std::string& path, std::string& tempPath) {
  const std::string stem = path + ".tmp" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    tempPath = stem + std::to_string(attempt);
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is EEXIST
}

std::string DirectoryOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

IoResult ReplaceFileContents(const std::string& path, std::string_view bytes) {
  std::string tempPath;
  int fd = CreateTemporary(path, tempPath);
  if (fd < 0) return LastIoError();

  // Keep the permissions the user gave the old file. Failing to copy them
  // loses no data, so it is not an error.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    (void)::fchmod(fd, old.st_mode & 07777);
  }

  IoResult error = WriteAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = LastIoError();
  if (::close(fd) != 0 && !error) error = LastIoError();
  if (!error && ::rename(tempPath.c_str(), path.c_str()) != 0) error = LastIoError();
  if (error) {
    ::unlink(tempPath.c_str());
    return error;
  }

  // Makes the rename itself durable. The new file is already in place, so a
  // failure here is not reported.
  int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

}  // namespace zlc
