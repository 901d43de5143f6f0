// A small disk of a test's own, to fill up or to make read-only: a tmpfs
// mounted over a folder inside a mount namespace that only the calling
// process sees. Meant for a death test's child (EXPECT_EXIT), so that the
// namespace goes with it.
#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zlc::testing_disk {

// Mounts a tmpfs of `bytes` over `folder` (made when missing). False when
// this process may not make mount namespaces (neither root nor a user
// namespace allowed).
inline bool MountPrivateDisk(const std::string& folder, std::size_t bytes) {
  if (::unshare(CLONE_NEWNS) != 0) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    auto put = [](const char* file, const std::string& text) {
      const int fd = ::open(file, O_WRONLY | O_CLOEXEC);
      if (fd < 0) return false;
      const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
      ::close(fd);
      return ok;
    };
    put("/proc/self/setgroups", "deny");
    if (!put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
      return false;
    }
  }
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  ::mkdir(folder.c_str(), 0755);
  const std::string options = "size=" + std::to_string(bytes);
  return ::mount("zlc-test", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

inline bool RemountReadOnly(const std::string& folder) {
  return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

// Whether MountPrivateDisk works here, tried in a child of its own.
inline bool PrivateDisksAvailable() {
  const pid_t child = ::fork();
  if (child == 0) _exit(MountPrivateDisk("/tmp", 4096) ? 0 : 1);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace zlc::testing_disk
