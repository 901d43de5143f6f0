// Whole numbers typed by the user into the options: an optional sign and
// decimal digits that fit a signed 32-bit integer. Nothing else is a number
// here: no spaces, no other bases, no fractions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zlc {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

}  // namespace zlc
