// Plain text files in the working directory: lines of Windows-1251 bytes,
// written with CR LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

bool FileExists(const std::string& path);

// Creates an empty file when none exists; an existing file is left as it is.
// The rules of a log apply (OpenForAppending): no link of another user is
// followed, nothing is made through a dangling link, only a regular file.
IoResult CreateIfMissing(const std::string& path);

// Deletes the file when a regular file of that name exists; a link or
// anything else of that name is left alone.
IoResult DeleteIfExists(const std::string& path);

// Writes `count` lines, each ended by CR LF, in place of the file's old
// contents, all or nothing: a failure at any moment (a full disk, a kill)
// leaves the old file as it was. `line(i)` gives line i.
IoResult WriteTextFile(const std::string& path, std::size_t count,
                       const std::function<std::string_view(std::size_t)>& line);

}  // namespace zlc
