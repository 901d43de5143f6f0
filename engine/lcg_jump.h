// Jumping the generator ahead: m steps of seed -> a * seed + c are again one
// affine map, so the state at the start of any later try is known at once.
#pragma once

#include <cstdint>

#include "engine/random.h"

namespace zlc {

struct LcgJump {
  std::uint32_t a = 1;
  std::uint32_t c = 0;

  constexpr std::uint32_t Apply(std::uint32_t seed) const { return a * seed + c; }

  // This map followed by `then`.
  constexpr LcgJump Then(LcgJump then) const { return {then.a * a, then.a * c + then.c}; }

  // The map of `steps` generator calls.
  static constexpr LcgJump Steps(std::uint64_t steps) {
    LcgJump result;
    LcgJump power{Random::kMultiplier, Random::kIncrement};
    while (steps != 0) {
      if (steps & 1) result = result.Then(power);
      power = power.Then(power);
      steps >>= 1;
    }
    return result;
  }
};

}  // namespace zlc
