// Reads a text file line by line in bounded time and memory, whatever the
// file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

#include "persist/io_error.h"

namespace zlc {

struct LineLimits {
  // Of a longer line the first this many bytes are delivered, the rest is
  // skipped.
  std::size_t maxLine = 64 * 1024;
  // Reading stops after this many bytes; a line cut off there is delivered.
  std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max();
  // Reading stops after this many lines.
  std::uint64_t maxLines = std::numeric_limits<std::uint64_t>::max();
};

// Lines end at LF, CR LF or a lone CR, and a last line without a line end
// counts. A UTF-8 byte-order mark opening the file is skipped. Only a
// regular file is read (OpenRegularForReading). The view passed on is valid
// only during the call. Returns the error of the open or of a read; lines
// before a failed read were delivered.
IoResult ReadLines(const std::string& path, const std::function<void(std::string_view)>& onLine,
                   const LineLimits& limits = {});

// The same from a descriptor the caller opened (standard input); it stays
// open. Reading may block for as long as the descriptor does.
IoResult ReadLinesFrom(int fd, const std::function<void(std::string_view)>& onLine,
                       const LineLimits& limits = {});

// The line machine itself, for text already in memory: `Feed` may be called
// with any pieces of the text, `Finish` delivers a last line without a line
// end. `Done` tells when the line limit is reached.
class LineSplitter {
 public:
  LineSplitter(const LineLimits& limits, std::function<void(std::string_view)> onLine)
      : limits_(limits), onLine_(std::move(onLine)) {}
  void Feed(std::string_view bytes);
  void Finish();
  bool Done() const { return lines_ >= limits_.maxLines; }

 private:
  void Deliver();

  LineLimits limits_;
  std::function<void(std::string_view)> onLine_;
  std::string line_;
  std::uint64_t lines_ = 0;
  std::size_t seen_ = 0;   // bytes fed so far, up to the byte-order mark's length
  bool pending_ = false;   // bytes of a line without its end yet
  bool afterCr_ = false;   // the last byte was a CR: an LF now ends nothing
};

}  // namespace zlc
