// The filter's verdict on one classified result.
#pragma once

#include <array>
#include <cstdint>

#include "cards/notation.h"
#include "engine/layout.h"
#include "filter/filter_settings.h"

namespace zlc {

// True when the result meets every criterion that is switched on: L(F) not
// above the threshold, every grid card in its required state, every required
// hexagram line balanced. Stops at the first failure; allocates nothing.
bool PassesFilter(const FilterSettings& filter, const Layout& layout, const NotationSet& notation,
                  const std::array<std::uint8_t, 6>& balancedLines);

}  // namespace zlc
