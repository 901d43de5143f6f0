// The filter's settings record: criteria switches, the static/mobile grid,
// the required balanced lines, and the two generation settings shown beside
// them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zlc {

enum class ElementState : std::uint8_t { Any = 0, Static = 1, Mobile = 2 };

// How batches are made: one mode only, random layouts.
enum class GenerationMode : std::uint8_t { Random };
// One variant of the task for the whole run, or a new one every batch.
enum class ResultVariants : std::uint8_t { One, Many };

// The words the files and the description use: "Random", "One", "Many".
std::string_view NameOf(GenerationMode mode);
std::string_view NameOf(ResultVariants variants);

struct FilterSettings {
  GenerationMode generationMode = GenerationMode::Random;
  ResultVariants resultVariants = ResultVariants::One;
  std::uint8_t lfEnabled = 0;
  std::uint8_t lfThreshold = 8;
  std::uint8_t smEnabled = 1;
  // Row = suit index 0..3, column = rank index 0..8.
  std::array<std::array<ElementState, 9>, 4> elementGrid{};
  std::uint8_t hbEnabled = 0;
  // Index 0..5 = hexagram line 1..6.
  std::array<std::uint8_t, 6> hbRequired{};

  bool operator==(const FilterSettings&) const = default;
};

void ResetFilterSettings(FilterSettings& settings);

bool IsManyVariants(const FilterSettings& settings);

}  // namespace zlc
