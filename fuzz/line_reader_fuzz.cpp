// The line splitter that every file the calculator reads goes through, fed
// the same text in pieces of any sizes and with small limits: it must give
// exactly the lines a plain reading of the whole text gives, none longer
// than the limit, and never more of them than asked for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor_check.h"
#include "persist/line_reader.h"

namespace {

// The rules, read off the whole text at once.
std::vector<std::string> PlainLines(std::string_view text, const zlc::LineLimits& limits) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size() && lines.size() < limits.maxLines) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    lines.emplace_back(text.substr(at, std::min(end - at, limits.maxLine)));
    if (end == text.size()) break;
    at = end + 1;
    if (text[end] == '\r' && at < text.size() && text[at] == '\n') ++at;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  zlc::LineLimits limits;
  limits.maxLine = 1 + data[0] % 16;
  if (data[1] % 4 != 0) limits.maxLines = data[1] % 8;
  const unsigned pieceSeed = data[2];
  const std::string_view text{reinterpret_cast<const char*>(data) + 3, size - 3};

  std::vector<std::string> lines;
  zlc::LineSplitter splitter(limits, [&](std::string_view line) {
    zlc::fuzz::Require(line.size() <= limits.maxLine, "a line is never longer than the limit",
                       std::string(line));
    lines.emplace_back(line);
  });
  std::size_t at = 0;
  unsigned step = pieceSeed;
  while (at < text.size()) {
    step = step * 1103515245u + 12345u;
    const std::size_t piece = std::min<std::size_t>(1 + (step >> 16) % 7, text.size() - at);
    splitter.Feed(text.substr(at, piece));
    at += piece;
  }
  splitter.Finish();

  zlc::fuzz::Require(lines.size() <= limits.maxLines, "no more lines than asked for", "");
  zlc::fuzz::Require(lines == PlainLines(text, limits), "the pieces make the same lines",
                     std::string(text));
  return 0;
}
