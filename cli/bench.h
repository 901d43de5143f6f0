// zlc-search --bench: tries per second of the plain tries and of the fast
// engine on each processor path, measured side by side in one run.
#pragma once

#include <optional>
#include <string>

#include "calculator/calculator.h"

namespace zlc::cli {

// Uses the calculator's task (its variants ready) and shuffle depth. The
// report's text, or nothing when a signal cut the measurement short.
std::optional<std::string> RunBench(Calculator& calc, double secondsEach);

}  // namespace zlc::cli
