// Whole numbers typed by the user into the options: an optional sign and
// decimal digits that fit a signed 32-bit integer. Nothing else is a number
// here: no spaces, no other bases, no fractions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zlc {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// A typed number against the range its setting takes. A whole number the
// range does not hold, however many digits it has, is out of range rather
// than no number at all: the user is told the range, not the syntax.
struct TypedNumber {
  enum class Verdict { Taken, NoWholeNumber, OutOfRange };
  Verdict verdict = Verdict::NoWholeNumber;
  std::int32_t value = 0;  // when taken
};
TypedNumber ReadTypedNumber(std::string_view text, std::int32_t least, std::int32_t most);

}  // namespace zlc
