// zlc-search --replay: the collapses of a row of cards one by one, as the
// search's convergence test makes them, and the cards they leave.
#pragma once

#include "cards/notation.h"
#include "cli/options.h"
#include "cli/output.h"

namespace zlc::cli {

// Prints the replay of options.replay in the letters of `notation`. The
// exit status: done; a usage error for text that is no row of distinct
// cards (told); or a failed write.
int Replay(const Options& options, const NotationSet& notation, const Output& out);

}  // namespace zlc::cli
