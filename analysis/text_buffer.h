// A line or a record built in a buffer on the stack and handed over once:
// the result path writes several for every result, tens of thousands a
// second, and a string grown a character at a time costs far more.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zlc {

template <std::size_t Size>
class TextBuffer {
 public:
  void Put(char c) { *at_++ = c; }
  void Put(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void Spaces(std::size_t count) {
    std::memset(at_, ' ', count);
    at_ += count;
  }
  // Integers in decimal; a double as the shortest text that reads back as
  // the same double.
  template <typename Number>
  void Decimal(Number value) {
    at_ = std::to_chars(at_, End(), value).ptr;
  }

  // For a writer of its own: where the text ends, and a new end.
  char* At() { return at_; }
  void MoveTo(char* at) { at_ = at; }

  void AssignTo(std::string& out) const { out.assign(buffer_, Length()); }
  void AppendTo(std::string& out) const { out.append(buffer_, Length()); }

 private:
  char* End() { return buffer_ + Size; }
  std::size_t Length() const { return static_cast<std::size_t>(at_ - buffer_); }

  char buffer_[Size];
  char* at_ = buffer_;
};

}  // namespace zlc
