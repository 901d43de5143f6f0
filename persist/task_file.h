// Task files: one line, the task text as the task field shows it.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// The first line of a file (ended by LF, CR LF or CR), without its line end
// and at most its first 64 KB; an empty file gives an empty text. Only a
// regular file is read. A line written by a UTF-8 editor (valid UTF-8 with
// non-ASCII letters) comes back in Windows-1251, as every other text of the
// core; any other line is taken as Windows-1251 already.
IoResult ReadFirstLine(const std::string& path, std::string& line);

// The same from a descriptor the caller opened (standard input), which stays
// open; no more than the 64 KB and the line end are taken from it.
IoResult ReadFirstLineFrom(int fd, std::string& line);

// The task text as one line, CR LF; an existing file is replaced.
IoResult WriteTaskFile(const std::string& path, std::string_view taskText);

}  // namespace zlc
