// A result log opened for appending while a run or a step is on. Each block
// goes out in one write, so a block is either in the file or reported lost.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

class LogFile {
 public:
  LogFile() = default;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  ~LogFile();

  IoResult Open(const std::string& path);  // appending; created when missing
  IoResult Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Writes the lines, each ended by CR LF.
  IoResult WriteLines(const std::string* lines, int count);

 private:
  IoResult ReopenIfGone();

  std::string path_;
  int fd_ = -1;
  std::string buffer_;
};

// Writes `count` lines, each ended by CR LF, to a new file that replaces any
// old one; `line(i)` gives line i.
IoResult WriteTextFile(const std::string& path, std::size_t count,
                       const std::function<std::string_view(std::size_t)>& line);

}  // namespace zlc
