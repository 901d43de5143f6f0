#include "analysis/run_figures.h"

namespace zlc {

void RateWindow::Sample(double now, const RunStatistics& stats) {
  samples_.push_back({now, stats.Tries(), stats.Results(), stats.Filtered()});
  DropOlderThanSpan(now);
}

void RateWindow::Follow(double now, const RunStatistics& stats) {
  if (!samples_.empty() && now - samples_.back().at > kSpan) samples_.clear();
  const Point point{now, stats.Tries(), stats.Results(), stats.Filtered()};
  const std::size_t n = samples_.size();
  if (n == 1 && now - samples_.front().at < kStep) return;  // too short a time to measure
  if (n >= 2 && samples_[n - 1].at - samples_[n - 2].at < kStep) {
    samples_.back() = point;
  } else {
    samples_.push_back(point);
  }
  DropOlderThanSpan(now);
}

void RateWindow::DropOlderThanSpan(double now) {
  // One sample at or before the window's start stays, as its baseline.
  while (samples_.size() > 2 && samples_[1].at <= now - kSpan) samples_.pop_front();
}

std::optional<double> RateWindow::Rate(std::uint64_t Point::*count) const {
  if (samples_.size() < 2) return std::nullopt;
  const Point& first = samples_.front();
  const Point& last = samples_.back();
  const double seconds = last.at - first.at;
  if (seconds <= 0) return std::nullopt;
  return static_cast<double>(last.*count - first.*count) / seconds;
}

RunFigures FiguresOfRun(const RunStatistics& stats, const RateWindow& rates) {
  RunFigures f;
  f.tries = stats.Tries();
  f.results = stats.Results();
  f.filtered = stats.Filtered();
  if (f.tries > 0) f.convergence = static_cast<double>(f.results) / static_cast<double>(f.tries);
  f.convergenceInterval = WilsonInterval(f.results, f.tries);
  if (f.results > 0) f.passRate = static_cast<double>(f.filtered) / static_cast<double>(f.results);
  f.passInterval = WilsonInterval(f.filtered, f.results);
  f.triesPerSecond = rates.TriesPerSecond();
  f.resultsPerSecond = rates.ResultsPerSecond();
  if (f.triesPerSecond && *f.triesPerSecond > 0 && f.tries > 0) {
    if (f.filtered > 0) {
      const double perTry = static_cast<double>(f.filtered) / static_cast<double>(f.tries);
      f.secondsToNextFiltered = 1 / (perTry * *f.triesPerSecond);
    } else {
      const double atMost = WilsonInterval(0, f.tries).high;
      f.secondsToNextFilteredAtLeast = 1 / (atMost * *f.triesPerSecond);
    }
  }
  return f;
}

}  // namespace zlc
