#include "cli/command_text.h"

#include <algorithm>

#include "cards/cp1251.h"
#include "cli/messages.h"

namespace zlc::cli {

std::optional<std::string> CoreTextOf(std::string_view typed, std::string_view what,
                                      bool terminalCp1251) {
  const bool ascii = std::all_of(typed.begin(), typed.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (terminalCp1251) {
    // Cyrillic in Windows-1251 is practically never valid UTF-8: text that is
    // was most likely typed on a UTF-8 terminal, and would read as other
    // letters here.
    if (!ascii && IsValidUtf8(typed)) {
      Say(std::string{what} + " looks like UTF-8 text, but --encoding cp1251 reads it as Windows-1251");
    }
    return std::string{typed};
  }
  if (!IsValidUtf8(typed)) {
    Say(std::string{what} +
        " is not valid UTF-8 text (give --encoding cp1251 for a Windows-1251 terminal)");
    return std::nullopt;
  }
  return Utf8ToCp1251(typed);
}

}  // namespace zlc::cli
