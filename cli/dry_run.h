// --dry-run: what a search would search for, and no search.
#pragma once

#include "cli/output.h"
#include "calculator/calculator.h"

namespace zlc::cli {

// The task text, its caption, its variants and the filter description, each
// line as the window shows it; the exit status.
int DryRun(Calculator& calc, const Output& out);

}  // namespace zlc::cli
