#include "cli/run_report.h"

#include <unistd.h>

#include "cli/messages.h"
#include "persist/atomic_replace.h"
#include "persist/fd_io.h"
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
  bool delivered = true;
  if (options.stats) {
    // A table asked for and not delivered (stderr full or closed) is a failure.
    if (IoResult failed = WriteAll(STDERR_FILENO, StatisticsTable(report))) {
      Say("cannot write the statistics table: " + failed->Message());
      delivered = false;
    }
  }
  if (options.statsJson) {
    if (IoResult failed = ReplaceFileContents(*options.statsJson, StatisticsJson(report))) {
      Say("cannot write " + *options.statsJson + ": " + failed->Message());
      delivered = false;
    }
  }
  return delivered;
}

}  // namespace zlc::cli
