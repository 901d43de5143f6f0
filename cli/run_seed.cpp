#include "cli/run_seed.h"

#include <unistd.h>

#include "engine/random.h"

namespace zlc::cli {

std::uint32_t ClockSeed() {
  // The id times an odd number is a bijection: for one millisecond, no two
  // processes get the same seed; 2^32 over the golden ratio spreads
  // neighbouring ids far apart.
  const auto process = static_cast<std::uint32_t>(::getpid());
  return TimeOfDaySeed() ^ (process * 0x9E3779B1u);
}

}  // namespace zlc::cli
