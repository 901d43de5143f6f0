#include "cli/run_report.h"

#include <cstdio>

#include "cli/messages.h"
#include "persist/atomic_replace.h"
#include "persist/statistics_report.h"

namespace zlc::cli {

void PaceSampler::Sample(const Calculator& calc, bool force) {
  if (!on_) return;
  const auto now = Clock::now();
  if (!force && now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  rates_.Sample(std::chrono::duration<double>(now - start_).count(), calc.statistics);
}

bool ReportStatistics(const Calculator& calc, const Options& options, const PaceSampler& pace,
                      std::uint32_t seed) {
  if (!options.stats && !options.statsJson) return true;
  const RunFigures figures = FiguresOfRun(calc.statistics, pace.Rates());
  // The seed given, also when a limit of 0 let no batch start the counts.
  const RunReport report{calc.statistics, figures, calc.notation, seed, pace.Seconds()};
  if (options.stats) {
    const std::string table = StatisticsTable(report);
    std::fwrite(table.data(), 1, table.size(), stderr);
  }
  if (options.statsJson) {
    if (IoResult failed = ReplaceFileContents(*options.statsJson, StatisticsJson(report))) {
      Say("cannot write " + *options.statsJson + ": " + failed->Message());
      return false;
    }
  }
  return true;
}

}  // namespace zlc::cli
