#include "cli/search.h"

#include <unistd.h>

#include <chrono>

#include "cli/bench.h"
#include "cli/exit_status.h"
#include "cli/messages.h"
#include "cli/progress_line.h"
#include "cli/run_seed.h"
#include "cli/scratch_dir.h"
#include "cli/stop_signals.h"
#include "cli/summary.h"
#include "cli/result_output.h"
#include "cli/run_report.h"

namespace zlc::cli {
namespace {

bool AtLimit(const Options& options, const RunTotals& totals) {
  return (options.results && totals.results >= *options.results) ||
         (options.filtered && totals.filtered >= *options.filtered) ||
         (options.tries && totals.tries >= *options.tries);
}

int Bench(Calculator& calc, double secondsEach, const Output& out) {
  calc.SetSeed(1);
  if (calc.RunBatch() == BatchOutcome::Failed) return kExitFailure;  // variants ready, targets drawn
  const auto report = RunBench(calc, secondsEach);
  if (!report) {
    Say("the measurement was interrupted");
    return ExitOnSignal(StopSignal());
  }
  out.Text(*report);
  return Finish(out.writer);
}

// The batches until a limit, a signal, a failure or a failed write; the
// exit status, before the write's.
int SearchLoop(Calculator& calc, const Options& options, const Output& out, PaceSampler& pace) {
  ProgressLine progress(options.progress.value_or(!options.quiet && ::isatty(STDERR_FILENO) != 0));
  const std::unique_ptr<ResultOutput> results = MakeResultOutput(options.format);
  results->Begin(out);
  out.writer.EndBlock();  // a header goes out even when no result follows
  int status = kExitDone;
  if (!AtLimit(options, calc.Totals())) {
    const auto report = calc.RunSlice(Calculator::SliceClock::time_point::max(), [&](BatchOutcome outcome) {
      if (outcome == BatchOutcome::Result && (!options.onlyFiltered || calc.LastPassed())) {
        results->Write(out, calc);
        if (!out.writer.EndBlock()) return false;
      }
      const bool stop = AtLimit(options, calc.Totals()) || StopRequested();
      if (!stop) progress.Update(calc);
      pace.Sample(calc);
      return !stop;
    });
    if (report.failed) status = kExitFailure;
  }
  pace.Sample(calc, true);
  progress.Update(calc, true);
  progress.Finish();
  // A signal that came with the last batch of a limit stopped nothing.
  if (status == kExitDone && !AtLimit(options, calc.Totals()) && StopRequested()) {
    status = ExitOnSignal(StopSignal());
  }
  return status;
}

}  // namespace

// It owns the scratch folder, so that every way out of here removes it.
int RunSearchCommand(Calculator& calc, const Options& options, const Output& out) {
  InstallStopSignals(&ScratchDir::RemoveNow);
  ScratchDir scratch;
  if (!scratch.Make()) {
    Say("cannot make a scratch folder: " + FailureText(LastIoError()));
    return kExitFailure;
  }
  FilePaths paths = calc.Paths();
  paths.variants = scratch.VariantsPath();
  calc.SetPaths(paths);
  calc.Lists().SetKept(false);  // nothing shows the lists here
  if (options.bench) return Bench(calc, *options.bench, out);

  const std::uint32_t seed = options.seed.value_or(ClockSeed());
  calc.SetSeed(seed);
  if (!options.quiet) Say("Seed: " + std::to_string(seed));
  const auto started = std::chrono::steady_clock::now();
  PaceSampler pace(options.stats || options.statsJson);
  pace.Sample(calc, true);
  int status = SearchLoop(calc, options, out, pace);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  if (!out.writer.Flush()) return WriteFailed(out.writer);
  if (!options.quiet) PrintSummary(calc, seconds);
  if (!ReportStatistics(calc, options, pace, seed) && status == kExitDone) status = kExitFailure;
  return status;
}

}  // namespace zlc::cli
