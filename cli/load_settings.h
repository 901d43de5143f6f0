// The tool's settings: the settings file read as the window reads it, then
// the --set options, each of which must name a key and a value it takes.
#pragma once

#include "cli/options.h"
#include "calculator/calculator.h"

namespace zlc::cli {

// False when the tool must stop with a usage error (told on stderr).
bool LoadSettings(Calculator& calc, const Options& options);

}  // namespace zlc::cli
