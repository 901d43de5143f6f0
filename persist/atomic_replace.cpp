#include "persist/atomic_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

#include "persist/fd_io.h"
#include "persist/safe_open.h"

namespace zlc {
namespace {

constexpr std::string_view kTempInfix = ".tmp";

// Creates a file no one else uses, in the target's directory so that the
// rename stays on one file system: "<target>.tmp<pid>-<n>".
int CreateTemporary(const std::string& path, std::string& tempPath) {
  const std::string stem = path + std::string(kTempInfix) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    tempPath = stem + std::to_string(attempt);
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is EEXIST
}

std::string BaseOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A file the user made read-only keeps its contents. A file on a read-only
// file system is told as that (EROFS), not as a permission.
IoResult RefuseReadOnly(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return std::nullopt;
  if ((st.st_mode & 0222) == 0) return IoError{EACCES};
  if (::access(target.c_str(), W_OK) != 0) return LastIoError();
  return std::nullopt;
}

// Temporaries that a killed writer left: ours by name and owner, their
// writer no longer running.
void RemoveStaleTemporaries(const std::string& target) {
  const std::string dir = DirectoryOf(target);
  const std::string prefix = BaseOf(target) + std::string(kTempInfix);
  DIR* folder = ::opendir(dir.c_str());
  if (!folder) return;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const std::string_view rest = name.substr(prefix.size());
    int pid = 0;
    const auto [dash, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc{} || dash == rest.data() + rest.size() || *dash != '-' || pid <= 0) continue;
    unsigned attempt = 0;
    const auto [end, ec2] = std::from_chars(dash + 1, rest.data() + rest.size(), attempt);
    if (ec2 != std::errc{} || end != rest.data() + rest.size()) continue;
    if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    const std::string stale = dir + "/" + std::string(name);
    struct stat st {};
    if (::lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
      (void)::unlink(stale.c_str());
    }
  }
  ::closedir(folder);
}

}  // namespace

IoResult FollowOwnLinks(const std::string& path, std::string& target) {
  target = path;
  for (int depth = 0; depth < 8; ++depth) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      return errno == ENOENT ? std::nullopt : IoResult(LastIoError());
    }
    if (!S_ISLNK(st.st_mode)) {
      // A folder, a FIFO or a device is nothing to put a file in place of.
      if (!S_ISREG(st.st_mode)) return IoError{S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
      return std::nullopt;
    }
    if (IoResult refused = MayFollowLink(target, st.st_uid)) return refused;
    std::string link(4096, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return LastIoError();
    link.resize(static_cast<std::size_t>(n));
    target = link.starts_with('/') ? link : DirectoryOf(target) + "/" + link;
  }
  return IoError{ELOOP};
}

FileReplacement::~FileReplacement() { Abandon(); }

void FileReplacement::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

IoResult FileReplacement::Begin(const std::string& path) {
  Abandon();
  durable_ = true;
  if (IoResult refused = FollowOwnLinks(path, target_)) return refused;
  if (IoResult refused = RefuseReadOnly(target_)) return refused;
  return CreateBeside();
}

IoResult FileReplacement::BeginScratch(const std::string& path) {
  Abandon();
  durable_ = false;
  target_ = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return IoError{EISDIR};
  return CreateBeside();
}

IoResult FileReplacement::CreateBeside() {
  RemoveStaleTemporaries(target_);
  fd_ = CreateTemporary(target_, temporary_);
  if (fd_ < 0) {
    const IoError error = LastIoError();
    temporary_.clear();
    return error;
  }
  // Keep the permissions the user gave the old file. Failing to copy them
  // loses no data, so it is not an error.
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    (void)::fchmod(fd_, old.st_mode & 07777);
  }
  return std::nullopt;
}

IoResult FileReplacement::Write(std::string_view bytes) {
  if (fd_ < 0) return IoError{EBADF};
  if (IoResult failed = WriteAll(fd_, bytes)) {
    Abandon();
    return failed;
  }
  return std::nullopt;
}

IoResult FileReplacement::Commit() {
  if (fd_ < 0) return IoError{EBADF};
  IoResult error;
  if (durable_ && ::fsync(fd_) != 0) error = LastIoError();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && !error) error = LastIoError();
  if (!error && ::rename(temporary_.c_str(), target_.c_str()) != 0) error = LastIoError();
  if (error) {
    Abandon();
    return error;
  }
  temporary_.clear();

  if (!durable_) return std::nullopt;
  // Makes the rename itself durable. The new file is already in place, so a
  // failure here is not reported.
  int dir = ::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

IoResult ReplaceFileContents(const std::string& path, std::string_view bytes) {
  FileReplacement file;
  if (IoResult failed = file.Begin(path)) return failed;
  if (IoResult failed = file.Write(bytes)) return failed;
  return file.Commit();
}

}  // namespace zlc
