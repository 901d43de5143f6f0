// Result line 1: the cards of a result with their marks, read from its record.
#pragma once

#include <string>

#include "analysis/result_record.h"
#include "engine/settings.h"

namespace zlc {

// RN, ". " and the cards with the marks the settings ask for. `out` is
// cleared first; once it has capacity nothing is allocated.
void AppendLayoutLine(std::string& out, const ResultRecord& record, const Settings& settings);

}  // namespace zlc
