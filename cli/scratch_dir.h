// The private folder for the scratch file of variants, made in $TMPDIR and
// removed when its owner goes, or by a signal handler on the way out.
#pragma once

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace zlc::cli {

class ScratchDir {
 public:
  ScratchDir() = default;
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir() {
    RemoveNow();
    folder_[0] = '\0';
  }

  // False with errno set when the folder could not be made. One at a time.
  bool Make() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zlc-search.XXXXXX";
    const std::string variants = pattern + "/variants";
    if (variants.size() >= sizeof variantsPath_) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(folder_, pattern.c_str(), pattern.size() + 1);
    if (!::mkdtemp(folder_)) {
      folder_[0] = '\0';
      return false;
    }
    std::memcpy(variantsPath_, folder_, pattern.size());
    std::memcpy(variantsPath_ + pattern.size(), "/variants", sizeof "/variants");
    return true;
  }

  std::string VariantsPath() const { return variantsPath_; }

  // unlink and rmdir only, on paths fixed by Make: safe in a signal handler.
  static void RemoveNow() {
    if (folder_[0] == '\0') return;
    ::unlink(variantsPath_);
    ::rmdir(folder_);
  }

 private:
  static inline char folder_[PATH_MAX] = {};
  static inline char variantsPath_[PATH_MAX] = {};
};

}  // namespace zlc::cli
