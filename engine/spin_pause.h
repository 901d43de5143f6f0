// A pause inside a loop that waits for another thread: the core backs off
// (and leaves a sibling hardware thread its share) without giving up the
// processor.
#pragma once

#include <thread>

namespace zlc {

inline void SpinPause() {
#if defined(__x86_64__)
  __builtin_ia32_pause();
#else
  std::this_thread::yield();
#endif
}

}  // namespace zlc
