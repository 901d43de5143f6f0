// The filter's verdict on one result, read from its record.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/result_record.h"
#include "filter/filter_settings.h"

namespace zlc {

// True when the result meets every criterion that is switched on: L(F) not
// above the threshold, every grid card in its required state, every required
// hexagram line balanced. Grid cells name cards by rank and suit, looked up
// through the letters the record was made in, so a notation change keeps the
// same cards required. Stops at the first failure; allocates nothing.
bool PassesFilter(const FilterSettings& filter, const ResultRecord& record,
                  const std::array<std::uint8_t, 6>& balancedLines);

}  // namespace zlc
