#include "persist/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persist/safe_open.h"

namespace zlc {

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

IoResult CreateIfMissing(const std::string& path) {
  int fd = -1;
  if (IoResult failed = OpenForAppending(path, fd)) return failed;
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

IoResult DeleteIfExists(const std::string& path) {
  // Only a file of that name: a link planted there is no file of ours.
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return LastIoError();
  return std::nullopt;
}

}  // namespace zlc
