// The summary on stderr after a search: the window's two captions as they
// are, then the totals since the start, which no "Clear at RN >" resets:
// "Totals: results R, tries T, filtered F, seconds S, tries per second X".
#pragma once

#include "calculator/calculator.h"

namespace zlc::cli {

void PrintSummary(const Calculator& calc, double seconds);

}  // namespace zlc::cli
