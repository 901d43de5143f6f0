// How a signal ends the tool. The first SIGINT, SIGTERM or SIGHUP asks the
// search to stop after its batch, so that what it found goes out whole; a
// second one ends the program at once, after the last wish (removing the
// scratch folder). SIGPIPE is ignored: a reader that went away makes a
// write fail, and the tool reports that and stops like any failed write.
#pragma once

#include <signal.h>

#include <atomic>

namespace zlc::cli {

namespace stop_signals_detail {

// Atomic: the handler may run on the search's helper thread. 0 until the
// first stop signal, then its number.
inline std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "used in a signal handler");
// Only async-signal-safe calls in here.
inline void (*lastWish)() = nullptr;

inline void OnStopSignal(int number) {
  int none = 0;
  if (stopSignal.compare_exchange_strong(none, number)) return;
  if (lastWish) lastWish();
  ::signal(number, SIG_DFL);
  ::raise(number);  // delivered as this handler returns
}

}  // namespace stop_signals_detail

// A signal that was ignored when the tool started (nohup, a background job
// of a script) stays ignored. SA_RESTART: a system call the signal meets
// goes on, in the core as in the writes here.
inline void InstallStopSignals(void (*lastWish)()) {
  stop_signals_detail::lastWish = lastWish;
  struct sigaction stop {};
  stop.sa_handler = stop_signals_detail::OnStopSignal;
  stop.sa_flags = SA_RESTART;
  sigemptyset(&stop.sa_mask);
  for (int number : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(number, &stop, nullptr);
  }
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, nullptr);
}

inline bool StopRequested() { return stop_signals_detail::stopSignal != 0; }

// The number of the signal that asked to stop; 0 when none did.
inline int StopSignal() { return stop_signals_detail::stopSignal; }

}  // namespace zlc::cli
