#include "persist/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zlc {

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

IoResult CreateIfMissing(const std::string& path) {
  if (FileExists(path)) return std::nullopt;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return LastIoError();
  if (::close(fd) != 0) return LastIoError();
  return std::nullopt;
}

IoResult DeleteIfExists(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  if (std::remove(path.c_str()) != 0) return LastIoError();
  return std::nullopt;
}

}  // namespace zlc
