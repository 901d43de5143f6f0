// The questions a user may ask the program without opening its window:
// "zlc --help" and "zlc --version" answer on standard output and end, before
// the window, the display or any file is touched.
#pragma once

#include <cstdio>
#include <optional>

namespace zlc::app {

// The exit status when the arguments ask for help or the version (after the
// answer is written to `out`); empty when the window should open.
std::optional<int> AnswerInfoOptions(int argc, const char* const* argv, std::FILE* out);

}  // namespace zlc::app
