// Figures that answer a searcher's questions, worked out from the counts:
// how often a try converges and a result passes the filter (with 95 %
// intervals), how fast the search goes over the last minute, and how long
// the next filtered result should take at that pace.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "analysis/run_statistics.h"

namespace zlc {

// The totals at moments of the run, kept for the last minute; the caller
// gives the time (seconds on any steady clock), so no clock is read here.
class RateWindow {
 public:
  static constexpr double kSpan = 60;

  static constexpr double kStep = 0.25;

  void Sample(double now, const RunStatistics& stats);
  // After every batch: the latest totals are always the window's end, and
  // kept samples stand at least kStep apart, so a window of very many
  // short batches stays small. A pause longer than the span (a stopped
  // run) starts the window afresh; the pace is that of the last minute of
  // batches, however long ago they ran.
  void Follow(double now, const RunStatistics& stats);
  void Reset() { samples_.clear(); }

  // Per second over the last minute (or since the first sample, when the
  // run is younger); empty before two samples a moment apart.
  std::optional<double> TriesPerSecond() const { return Rate(&Point::tries); }
  std::optional<double> ResultsPerSecond() const { return Rate(&Point::results); }
  std::optional<double> FilteredPerSecond() const { return Rate(&Point::filtered); }

 private:
  struct Point {
    double at;
    std::uint64_t tries, results, filtered;
  };
  std::optional<double> Rate(std::uint64_t Point::*count) const;
  void DropOlderThanSpan(double now);
  std::deque<Point> samples_;
};

struct RunFigures {
  std::uint64_t tries = 0, results = 0, filtered = 0;
  double convergence = 0;  // results per try
  Interval convergenceInterval;
  double passRate = 0;     // filtered per result
  Interval passInterval;
  std::optional<double> triesPerSecond, resultsPerSecond;
  // Seconds to the next filtered result at the current pace: the run's
  // share of filtered tries at the last minute's tries per second. With no
  // filtered result yet there is only a lower bound, from the interval.
  std::optional<double> secondsToNextFiltered;
  std::optional<double> secondsToNextFilteredAtLeast;
};

RunFigures FiguresOfRun(const RunStatistics& stats, const RateWindow& rates);

}  // namespace zlc
