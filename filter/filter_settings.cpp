#include "filter/filter_settings.h"

namespace zlc {

void ResetFilterSettings(FilterSettings& settings) { settings = FilterSettings{}; }

bool IsManyVariants(const FilterSettings& settings) {
  return settings.resultVariants == ResultVariants::Many;
}

std::string_view NameOf(GenerationMode) { return "Random"; }

std::string_view NameOf(ResultVariants variants) {
  return variants == ResultVariants::Many ? "Many" : "One";
}

}  // namespace zlc
