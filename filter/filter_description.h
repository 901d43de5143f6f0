// The filter settings described as a few lines of text, shown in the main
// window's "Filtering Settings" box and by the headless tool's dry run.
#pragma once

#include <string>
#include <vector>

#include "cards/notation.h"
#include "filter/filter_settings.h"

namespace zlc {

// The words that name the generation mode and the result variants, as the
// settings keep them; a window in another language shows its own words.
struct ModeWords {
  std::string random = "Random";
  std::string one = "One";
  std::string many = "Many";
  const std::string& Of(GenerationMode) const { return random; }
  const std::string& Of(ResultVariants variants) const {
    return variants == ResultVariants::Many ? many : one;
  }
};

// At most six lines: the settings line, one line per suit with set cells
// (when the grid criterion is on), and the hex balance line (when it is on).
std::vector<std::string> BuildFilterDescription(const FilterSettings& filter,
                                                const NotationSet& notation,
                                                const ModeWords& words = {});

}  // namespace zlc
