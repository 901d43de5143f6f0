// The tool's exit statuses.
#pragma once

namespace zlc::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailure = 1;  // a file or the output failed
inline constexpr int kExitUsage = 2;    // a wrong option, setting or task
// Stopped by a signal before a limit was reached: 128 and the signal's
// number, as a shell reports a program the signal ended (130 for Ctrl-C),
// so that a script tells an interrupted search from a finished one.
inline constexpr int ExitOnSignal(int signal) { return 128 + signal; }

}  // namespace zlc::cli
