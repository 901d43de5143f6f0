// A result log opened for appending while a run or a step is on. Each block
// goes out in one write, so a block is either in the file or reported lost.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

#include "persist/io_error.h"

namespace zlc {

class LogFile {
 public:
  LogFile() = default;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  ~LogFile();

  IoResult Open(const std::string& path);  // appending; created when missing
  IoResult Close();  // writes what is gathered, then closes
  bool IsOpen() const { return fd_ >= 0; }

  // Gathers one block of lines, each to be ended by CR LF.
  void Add(const std::string* lines, int count);
  bool HasPending() const { return !blockEnds_.empty(); }
  std::size_t PendingBytes() const { return buffer_.size(); }
  // Writes the gathered blocks in one write. When the disk takes only part
  // of them, the log is cut back to the last whole block it took, so that it
  // keeps whole blocks and the next one does not start on a torn line; the
  // blocks that did not go out are dropped with the error.
  IoResult Flush();

  // Add and Flush.
  IoResult WriteLines(const std::string* lines, int count);

 private:
  IoResult ReopenIfGone();
  IoResult CloseDescriptor();
  void CutBackToWholeBlocks(off_t start);

  std::string path_;
  int fd_ = -1;
  std::string buffer_;
  std::vector<std::size_t> blockEnds_;  // offsets in buffer_ where blocks end
};

}  // namespace zlc
