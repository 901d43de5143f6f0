#include "cards/number_text.h"

#include <algorithm>
#include <limits>

namespace zlc {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;

  // The magnitude is gathered in 64 bits and checked at every digit, so a
  // long run of digits cannot overflow before it is refused.
  const std::int64_t limit =
      negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
               : std::int64_t{std::numeric_limits<std::int32_t>::max()};
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

TypedNumber ReadTypedNumber(std::string_view text, std::int32_t least, std::int32_t most) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  const bool whole = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
  if (!whole) return {TypedNumber::Verdict::NoWholeNumber, 0};
  const auto value = ParseWholeNumber(text);
  if (!value || *value < least || *value > most) return {TypedNumber::Verdict::OutOfRange, 0};
  return {TypedNumber::Verdict::Taken, *value};
}

}  // namespace zlc
