// The tool's task: from --task, --task-file or standard input, loaded as the
// window loads a text. What the text held that the task could not take is
// told as warnings, or with --strict as an error.
#pragma once

#include "cli/options.h"
#include "calculator/calculator.h"

namespace zlc::cli {

// False when the tool must stop with a usage error (told on stderr).
bool LoadTask(Calculator& calc, const Options& options);

// The task fills the 36 positions; else told, and false.
bool TaskComplete(const Calculator& calc);

}  // namespace zlc::cli
