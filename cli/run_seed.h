// The seed of a run when none is given.
#pragma once

#include <cstdint>

namespace zlc::cli {

// The clock's seed (milliseconds since midnight), mixed with the process id:
// copies started in the same millisecond search different runs. The number
// is told on stderr, so that `--seed` repeats the run.
std::uint32_t ClockSeed();

}  // namespace zlc::cli
