// Reading and writing file descriptors whole: a write goes on after a
// signal or a short count, a read is made again when a signal cut it off.
#pragma once

#include <cstddef>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// Writes every byte; a write that makes no progress is an I/O error.
IoResult WriteAll(int fd, std::string_view bytes);

// Reads up to `size` bytes into `buffer`; `got` is 0 at the end of the file.
IoResult ReadSome(int fd, char* buffer, std::size_t size, std::size_t& got);

}  // namespace zlc
