#include "persist/io_error.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zlc {
namespace {

std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The first folder on the way to `path` that is not there, or empty when
// every folder is.
std::string MissingFolder(const std::string& path) {
  std::string missing;
  for (std::string folder = ParentOf(path); !IsFolder(folder); folder = ParentOf(folder)) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) == 0) break;  // there, but no folder: that is another error
    missing = folder;
    if (folder == "." || folder == "/") break;
  }
  return missing;
}

// What stands under the name instead of a regular file.
const char* NotAFileWords(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return nullptr;
  if (S_ISFIFO(st.st_mode)) return "Not a regular file: a FIFO";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "Not a regular file: a device";
  if (S_ISSOCK(st.st_mode)) return "Not a regular file: a socket";
  if (S_ISDIR(st.st_mode)) return "Is a directory";
  return nullptr;
}

bool IsOthersLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_uid != ::geteuid();
}

}  // namespace

std::string IoError::Message() const { return IoErrorMessage(code).text; }

RuntimeMessage IoErrorMessage(int code) {
  if (code == ENOENT) return {"File not found", {}, {}, MessageKind::FileNotFound, {}};
  const std::string number = std::to_string(code);
  return {"I/O error " + number, {}, {}, MessageKind::IoError, {number, {}}};
}

IoError LastIoError() { return IoError{errno != 0 ? errno : EIO}; }

std::string ReasonWords(int code) {
  // glibc's own English words, whatever the locale.
  if (const char* words = ::strerrordesc_np(code)) return words;
  return "Unknown error " + std::to_string(code);
}

RuntimeMessage DescribeFailure(const IoError& error, const std::string& path, FileUse use) {
  RuntimeMessage message = IoErrorMessage(error.code);
  message.file = path;
  message.reason = ReasonWords(error.code);
  if (error.code == ENOENT && use == FileUse::Writing) {
    // Nothing to find when writing: what is missing is a folder.
    const std::string number = std::to_string(error.code);
    message.text = "I/O error " + number;
    message.kind = MessageKind::IoError;
    message.values[0] = number;
    if (std::string folder = MissingFolder(path); !folder.empty()) {
      message.file = folder;
      message.reason = "No such folder";
    }
  } else if (error.code == EINVAL || error.code == EISDIR) {
    if (const char* words = NotAFileWords(path)) message.reason = words;
  } else if (error.code == EACCES && IsOthersLink(path)) {
    message.reason = "A link of another user, not followed";
  }
  return message;
}

std::string QuotableValue(const std::string& text) {
  constexpr std::size_t kQuoted = 80;
  return text.size() > kQuoted ? text.substr(0, kQuoted) + "..." : text;
}

RuntimeMessage InvalidIntegerMessage(const std::string& text) {
  const std::string quoted = QuotableValue(text);
  return {"'" + quoted + "' is not a valid integer value", {}, {}, MessageKind::InvalidInteger, {quoted, {}}};
}

RuntimeMessage BadValuesSkippedMessage(std::size_t count, const std::string& fileName) {
  const std::string number = std::to_string(count);
  return {number + " more bad values in " + fileName + " were skipped", {}, {},
          MessageKind::BadValuesSkipped, {number, fileName}};
}

}  // namespace zlc
