// The warnings about a task text: which of the parts the task left out a
// user should hear of, and in what words.
#pragma once

#include <optional>
#include <string>

#include "cards/notation.h"
#include "cards/skipped_text.h"

namespace zlc::cli {

// The message for a part worth a warning (in the terminal's encoding);
// nothing for one left out as a matter of course: the marks and spaces of a
// result line, a result's number, a gap repeated.
std::optional<std::string> TaskWarning(const SkippedText& skipped, const NotationSet& notation);

}  // namespace zlc::cli
