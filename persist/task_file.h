// Task files: one line, the task text as the task field shows it.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// The first line of a file (ended by LF, CR LF or CR), without its line end
// and at most its first 64 KB; an empty file gives an empty text. Only a
// regular file is read.
IoResult ReadFirstLine(const std::string& path, std::string& line);

// The task text as one line, CR LF; an existing file is replaced.
IoResult WriteTaskFile(const std::string& path, std::string_view taskText);

}  // namespace zlc
