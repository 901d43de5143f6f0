// The search: batches until a limit, a signal or a failure, each result
// written as it is found, then the summary. Also the measurement (--bench),
// which runs in the same scratch folder.
#pragma once

#include "cli/options.h"
#include "cli/output.h"
#include "calculator/calculator.h"

namespace zlc::cli {

// The exit status: done at a limit, a failure, or stopped by a signal.
int RunSearchCommand(Calculator& calc, const Options& options, const Output& out);

}  // namespace zlc::cli
