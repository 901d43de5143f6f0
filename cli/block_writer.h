// The tool's standard output, written by the tool itself so that no failed
// write goes unseen (stdio drops a failure and, on a signal, its buffer).
// Text is gathered in whole blocks and handed to the descriptor with
// WriteAll; when a full disk cuts a flush short, the torn block is taken
// off the end of the file again, so that the output always ends with a
// build file.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "persist/fd_io.h"

namespace zlc::cli {

class BlockWriter {
 public:
  static constexpr std::size_t kFlushSize = 64 * 1024;

  explicit BlockWriter(int fd) : fd_(fd), terminal_(::isatty(fd) != 0) {
    struct stat st {};
    regularFile_ = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const int flags = ::fcntl(fd, F_GETFL);
    appending_ = flags >= 0 && (flags & O_APPEND) != 0;
  }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  void Write(std::string_view bytes) { buffer_ += bytes; }
  // The text gathered so far, for a writer that converts as it appends.
  std::string& Gathered() { return buffer_; }

  // Ends a block: it goes out now on a terminal, or with the others once
  // the buffer has grown large. False once a write has failed.
  bool EndBlock() {
    blockEnds_.push_back(buffer_.size());
    if (terminal_ || buffer_.size() >= kFlushSize) return Flush();
    return !Failed();
  }

  // Writes every whole block gathered; text after the last block's end
  // waits for EndBlock. False once a write has failed.
  bool Flush() {
    if (Failed()) return false;
    const std::size_t whole = blockEnds_.empty() ? 0 : blockEnds_.back();
    if (whole == 0) return true;
    const off_t start = StartOffset();
    if (IoResult failed = WriteAll(fd_, std::string_view(buffer_).substr(0, whole))) {
      error_ = failed->code;
      DropTornBlock(start);
    }
    buffer_.erase(0, whole);
    blockEnds_.clear();
    return !Failed();
  }

  bool Failed() const { return error_ != 0; }
  const char* Reason() const { return std::strerror(error_); }

 private:
  // Where in the file this flush starts; -1 when it is no regular file.
  off_t StartOffset() const {
    if (!regularFile_) return -1;
    if (!appending_) return ::lseek(fd_, 0, SEEK_CUR);
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? st.st_size : -1;
  }

  // A write that failed part way left the start of a block at the end of
  // the file: cut the file back to the last whole block, unless something
  // follows it that the tool did not write.
  void DropTornBlock(off_t start) {
    if (start < 0) return;
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    struct stat st {};
    if (end < start || ::fstat(fd_, &st) != 0 || st.st_size != end) return;
    const auto written = static_cast<std::size_t>(end - start);
    std::size_t keep = 0;
    for (std::size_t blockEnd : blockEnds_) {
      if (blockEnd <= written) keep = blockEnd;
    }
    if (keep < written) (void)!::ftruncate(fd_, start + static_cast<off_t>(keep));
  }

  int fd_;
  bool terminal_;
  bool regularFile_ = false;
  bool appending_ = false;
  int error_ = 0;
  std::string buffer_;
  std::vector<std::size_t> blockEnds_;  // offsets in buffer_ where blocks end
};

}  // namespace zlc::cli
