// Reads a text file line by line without holding more than one line.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// Lines end at LF; a CR before it is dropped, and a last line without a line
// end counts. The view passed on is valid only during the call. Returns the
// error of the open or of a read; lines before a failed read were delivered.
IoResult ReadLines(const std::string& path, const std::function<void(std::string_view)>& onLine);

}  // namespace zlc
