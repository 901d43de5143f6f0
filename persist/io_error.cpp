#include "persist/io_error.h"

#include <cerrno>

namespace zlc {

std::string IoError::Message() const {
  if (code == ENOENT) return "File not found";
  return "I/O error " + std::to_string(code);
}

IoError LastIoError() { return IoError{errno != 0 ? errno : EIO}; }

std::string InvalidIntegerMessage(const std::string& text) {
  // A long value is quoted by its start: the message must stay readable.
  constexpr std::size_t kQuoted = 80;
  const std::string shown = text.size() > kQuoted ? text.substr(0, kQuoted) + "..." : text;
  return "'" + shown + "' is not a valid integer value";
}

}  // namespace zlc
