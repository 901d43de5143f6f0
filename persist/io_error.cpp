#include "persist/io_error.h"

#include <cerrno>

namespace zlc {

std::string IoError::Message() const {
  if (code == ENOENT) return "File not found";
  return "I/O error " + std::to_string(code);
}

IoError LastIoError() { return IoError{errno != 0 ? errno : EIO}; }

std::string InvalidIntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

}  // namespace zlc
