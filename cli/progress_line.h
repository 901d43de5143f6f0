// The progress line on stderr: tries per second and the counters, rewritten
// in place about twice a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "calculator/calculator.h"

namespace zlc::cli {

class ProgressLine {
 public:
  explicit ProgressLine(bool on) : on_(on), last_(Clock::now()) {}
  void Update(const Calculator& calc, bool force = false) {
    if (!on_) return;
    auto now = Clock::now();
    double seconds = std::chrono::duration<double>(now - last_).count();
    if (seconds < 0.5 && !force) return;
    double rate = seconds > 0 ? static_cast<double>(calc.Totals().tries - lastTries_) / seconds : 0;
    std::fprintf(stderr, "\r%10.0f tries/s   RN %llu   filtered %llu   ", rate,
                 static_cast<unsigned long long>(calc.Totals().results),
                 static_cast<unsigned long long>(calc.Totals().filtered));
    last_ = now;
    lastTries_ = calc.Totals().tries;
    shown_ = true;
  }
  void Finish() {
    if (shown_) std::fputc('\n', stderr);
  }

 private:
  using Clock = std::chrono::steady_clock;
  bool on_;
  Clock::time_point last_;
  std::uint64_t lastTries_ = 0;
  bool shown_ = false;
};

}  // namespace zlc::cli
