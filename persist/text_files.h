// Plain text files in the working directory: lines of Windows-1251 bytes,
// written with CR LF.
#pragma once

#include <string>

#include "persist/io_error.h"

namespace zlc {

bool FileExists(const std::string& path);

// Creates an empty file when none exists; an existing file is left as it is.
IoResult CreateIfMissing(const std::string& path);

// Deletes the file when it exists.
IoResult DeleteIfExists(const std::string& path);

}  // namespace zlc
