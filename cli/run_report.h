// The statistics of a search, asked for with --stats (a table on stderr at
// the end) and --stats-json FILE (the counts and figures for scripts).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/run_figures.h"
#include "cli/options.h"
#include "calculator/calculator.h"

namespace zlc::cli {

// Samples the pace during the search, a few times a second, for the last
// minute's rates; reads the clock only when the statistics were asked for.
class PaceSampler {
 public:
  explicit PaceSampler(bool on) : on_(on), start_(Clock::now()) {}
  void Sample(const Calculator& calc, bool force = false);
  const RateWindow& Rates() const { return rates_; }
  double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

 private:
  using Clock = std::chrono::steady_clock;
  bool on_;
  Clock::time_point start_;
  Clock::time_point last_{};
  RateWindow rates_;
};

// Why the file of --stats-json cannot take the statistics at the end of the
// search, told before it starts (the message); nothing when it can. Its
// name is followed as the final write follows it (the user's own links
// only): its folder must be there and take a new file, and what the name
// stands for, when it is there, must be a regular file that may be written
// and that is not the tool's own standard output or error, which it would
// take the place of. Nothing is made or changed.
std::optional<std::string> StatsJsonProblem(const std::string& path);

// Prints the table and writes the file that the options ask for, with the
// seed the search started from; false when the table could not be written
// or the file not made (told).
bool ReportStatistics(const Calculator& calc, const Options& options, const PaceSampler& pace,
                      std::uint32_t seed);

}  // namespace zlc::cli
