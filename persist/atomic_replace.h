// Writes a file so that a crash, a full disk or a kill never leaves it
// truncated: the new contents go to a fresh file beside it, which then takes
// the old one's place in one rename.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// On failure the old file, if any, is untouched, no temporary file is left,
// and the error of the failing call is returned. A name that is the user's
// own link is written through, beside the file it leads to; another user's
// link is refused (EACCES), and so is a file without write permission
// (EACCES) and anything that is no regular file. Temporaries left by a
// writer that was killed are removed.
IoResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace zlc
