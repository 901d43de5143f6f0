#include "persist/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "persist/atomic_replace.h"
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

IoResult WriteTextFile(const std::string& path, std::size_t count,
                       const std::function<std::string_view(std::size_t)>& line) {
  FileReplacement file;
  if (IoResult failed = file.Begin(path)) return failed;
  // Pieces of about 64 KB: a list of millions of lines is never held whole
  // a second time.
  std::string chunk;
  for (std::size_t i = 0; i < count; ++i) {
    chunk += line(i);
    chunk += "\r\n";
    if (chunk.size() >= (1 << 16) || i + 1 == count) {
      if (IoResult failed = file.Write(chunk)) return failed;
      chunk.clear();
    }
  }
  return file.Commit();
}

}  // namespace zlc
