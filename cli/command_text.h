// Text typed on the command line (the task, --set values), into the core's
// Windows-1251.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zlc::cli {

// UTF-8 text is converted; a character Windows-1251 cannot hold becomes a
// byte the task and the settings drop or refuse, never a wildcard. Text that
// is not valid UTF-8 is refused with a message naming `what` (the option),
// unless the terminal is a Windows-1251 one, whose bytes are taken as they
// are.
std::optional<std::string> CoreTextOf(std::string_view typed, std::string_view what,
                                      bool terminalCp1251);

}  // namespace zlc::cli
