// Conversion between the program's 8-bit Windows-1251 text and UTF-8.
// The core keeps every text as Windows-1251 bytes; these two functions are
// called only where text leaves or enters the core (widgets, command line).
#pragma once

#include <string>
#include <string_view>

namespace zlc {

// Every byte has a meaning in Windows-1251 except 0x98, which maps to U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);
// The same appended to `out`: once `out` has grown to a line's size, a
// conversion allocates nothing.
void AppendCp1251AsUtf8(std::string& out, std::string_view bytes);

// Characters that Windows-1251 cannot hold become '?'. Malformed UTF-8
// sequences are read byte by byte and also become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace zlc
