// Writes a file so that a crash, a full disk or a kill never leaves it
// truncated: the new contents go to a fresh file beside it, which then takes
// the old one's place in one rename.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// On failure the old file, if any, is untouched, no temporary file is left,
// and the error of the failing call is returned.
IoResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace zlc
