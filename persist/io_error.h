// File failures are reported with the runtime's standard wording:
// "File not found" or "I/O error N" with the system's error number.
#pragma once

#include <optional>
#include <string>

namespace zlc {

struct IoError {
  int code = 0;  // errno of the failed operation
  std::string Message() const;
};

using IoResult = std::optional<IoError>;  // empty on success

IoError LastIoError();  // from errno

// "'text' is not a valid integer value"; of a text over 80 characters the
// first 80 and "..." are quoted.
std::string InvalidIntegerMessage(const std::string& text);

}  // namespace zlc
