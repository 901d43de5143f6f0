#include "engine/random.h"

#include <chrono>

namespace zlc {

std::uint32_t TimeOfDaySeed() {
  using namespace std::chrono;
  auto now = system_clock::now();
  auto sinceMidnight = now - floor<days>(now);
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

}  // namespace zlc
