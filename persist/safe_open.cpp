#include "persist/safe_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zlc {
namespace {

// The descriptor is a regular file: it may block no more, so the
// non-blocking mode asked for at the open goes.
IoResult KeepIfRegular(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const IoError error = LastIoError();
    ::close(fd);
    return error;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return IoError{S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return std::nullopt;
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

IoResult OpenRegularForReading(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return LastIoError();
  if (IoResult refused = KeepIfRegular(fd)) {
    fd = -1;
    return refused;
  }
  return std::nullopt;
}

IoResult MayFollowLink(const std::string& path, unsigned linkOwner) {
  if (linkOwner == ::geteuid()) return std::nullopt;
  struct stat folder {};
  if (::stat(DirectoryOf(path).c_str(), &folder) == 0 && folder.st_uid == linkOwner) {
    return std::nullopt;
  }
  return IoError{EACCES};
}

IoResult OpenForAppending(const std::string& path, int& fd) {
  constexpr int kFlags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC;
  // Two rounds at most: a name that appears between the look and the
  // creation is looked at again.
  for (int round = 0; round < 2; ++round) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno != ENOENT) return LastIoError();
      fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
      if (fd < 0 && errno == EEXIST) continue;
    } else if (S_ISLNK(st.st_mode)) {
      if (IoResult refused = MayFollowLink(path, st.st_uid)) return refused;
      fd = ::open(path.c_str(), kFlags);  // no O_CREAT: a dangling link makes nothing
    } else {
      fd = ::open(path.c_str(), kFlags | O_NOFOLLOW);
    }
    // A FIFO without a reader answers ENXIO to a non-blocking open.
    if (fd < 0) return IoError{errno == ENXIO ? EINVAL : errno};
    if (IoResult refused = KeepIfRegular(fd)) {
      fd = -1;
      return refused;
    }
    return std::nullopt;
  }
  return IoError{EEXIST};
}

}  // namespace zlc
