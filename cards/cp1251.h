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

// The one byte Windows-1251 leaves unassigned. A character it cannot hold
// becomes this byte, never '?' or another character that means something to
// the core (a task's wildcard), and it shows as U+FFFD on the way back.
inline constexpr char kUnconvertible = '\x98';

// Characters that Windows-1251 cannot hold become kUnconvertible. Bytes that
// are no part of a well-formed UTF-8 sequence become kUnconvertible one by
// one.
std::string Utf8ToCp1251(std::string_view utf8);

// Well-formed UTF-8: no stray continuation bytes, no cut sequences, no
// overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Text read from a file: valid UTF-8 that holds any non-ASCII byte is
// converted (Windows-1251 text with Cyrillic letters is practically never
// valid UTF-8); anything else is taken as Windows-1251 already.
std::string FileTextToCp1251(std::string_view bytes);

// Text for a message on a terminal or in a message box, where a control
// character would act (move the cursor, retitle the terminal, ring) instead
// of showing: every C0 control but the tab, DEL and every C1 control comes
// out as a visible escape, "\x1b" or "\u009b". Of UTF-8 text (or bytes of
// unknown encoding, a path) a byte of no well-formed sequence is escaped
// too, as "\xff": a terminal in an 8-bit mode would take 0x9b for a control.
std::string EscapeControlsUtf8(std::string_view text);
// The same for Windows-1251 text, in which 0x80..0x9f are letters.
std::string EscapeControlsCp1251(std::string_view text);

}  // namespace zlc
