// The filter settings described as a few lines of text, shown in the main
// window's "Filtering Settings" box and by the headless tool's dry run.
#pragma once

#include <string>
#include <vector>

#include "cards/notation.h"
#include "filter/filter_settings.h"

namespace zlc {

// At most six lines: the settings line, one line per suit with set cells
// (when the grid criterion is on), and the hex balance line (when it is on).
std::vector<std::string> BuildFilterDescription(const FilterSettings& filter,
                                                const NotationSet& notation);

}  // namespace zlc
