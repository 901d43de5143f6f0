#include "filter/filter_settings.h"

namespace zlc {

void ResetFilterSettings(FilterSettings& settings) { settings = FilterSettings{}; }

bool IsManyVariants(const FilterSettings& settings) { return settings.resultVariants == "Many"; }

}  // namespace zlc
