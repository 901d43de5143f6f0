// Writes a file so that a crash, a full disk or a kill never leaves it
// truncated: the new contents go to a fresh file beside it, which then takes
// the old one's place in one rename.
#pragma once

#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

// One replacement, written piece by piece (a list of many megabytes need
// not be held whole). Until Commit succeeds the old file, if any, is
// untouched; a replacement dropped unfinished, or failing, takes its
// temporary file with it. A name that is the user's own link is written
// through, beside the file it leads to; another user's link is refused
// (EACCES), and so is a file without write permission (EACCES) and anything
// that is no regular file, at once and without opening it (a FIFO would
// block). Temporaries left by a writer that was killed are removed.
class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  IoResult Begin(const std::string& path);
  // A scratch file of the program's own: the name itself is replaced,
  // whatever stands there (a link, a FIFO), never written through, and it
  // is not flushed to the disk, since it is made anew at every start.
  IoResult BeginScratch(const std::string& path);
  IoResult Write(std::string_view bytes);
  // Flushed to the disk, then renamed over the target.
  IoResult Commit();

 private:
  void Abandon();
  IoResult CreateBeside();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  bool durable_ = true;
};

// The file a replacement of `path` writes: the name itself, or where the
// user's own links lead; a name that is not there yet is no error. Refused
// as Begin refuses: another user's link (EACCES, and `target` is that
// link), what is no regular file (EISDIR, EINVAL), too many links (ELOOP).
IoResult FollowOwnLinks(const std::string& path, std::string& target);

// The whole contents at once.
IoResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace zlc
