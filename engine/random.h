// The program-wide pseudo-random generator: a 32-bit linear congruential
// generator. A seed reproduces a whole run, so its arithmetic is fixed.
#pragma once

#include <cstdint>

namespace zlc {

class Random {
 public:
  static constexpr std::uint32_t kMultiplier = 134775813u;
  static constexpr std::uint32_t kIncrement = 1u;

  explicit Random(std::uint32_t seed = 0) : seed_(seed) {}

  void SetSeed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t Seed() const { return seed_; }

  // Uniform integer in 0..n-1, and 0 when n is 0: advance the seed, then take
  // the upper half of the 64-bit product of the new seed and n.
  std::uint32_t Next(std::uint32_t n) {
    seed_ = seed_ * kMultiplier + kIncrement;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
  }
  std::uint32_t operator()(std::uint32_t n) { return Next(n); }

 private:
  std::uint32_t seed_;
};

// Milliseconds since midnight UTC, the seed the calculator starts from.
std::uint32_t TimeOfDaySeed();

}  // namespace zlc
