// Opening the files the calculator reads and writes in a folder it may share
// with others (a world-writable one among them). Nothing is read from or
// written into what is not a plain file (a FIFO would block for ever, a
// device would never end), and no file is written through a symbolic link
// that another user planted.
#pragma once

#include <string>

#include "persist/io_error.h"

namespace zlc {

// A regular file for reading. A FIFO, a device, a socket or a folder is
// refused at once, without blocking: EISDIR for a folder, EINVAL otherwise.
IoResult OpenRegularForReading(const std::string& path, int& fd);

// Whether a symbolic link may be followed to write: only one of the user's
// own, or of the owner of the folder that holds it (who could put anything
// there anyway). Links of anybody else are refused with EACCES, as the
// kernel's protected-symlink rule does in shared folders.
IoResult MayFollowLink(const std::string& path, unsigned linkOwner);

// A log for appending. A missing file is created (never through a link);
// the user's own link to a log of theirs is followed, but a dangling link
// creates nothing (ENOENT) and another user's link is refused (EACCES).
IoResult OpenForAppending(const std::string& path, int& fd);

std::string DirectoryOf(const std::string& path);

}  // namespace zlc
