// The run loop: the one place that decides how batches follow each other,
// when the logs are written and when a failure ends the run. The window
// calls it from its timer, the tool from its loop.
#include "calculator/calculator.h"

namespace zlc {

bool Calculator::StartRun() {
  if (running_) return true;
  if (!OpenLogs()) return false;
  running_ = true;
  return true;
}

void Calculator::StopRun() {
  if (!running_) return;
  running_ = false;
  CloseLogs();
}

BatchOutcome Calculator::Step() {
  if (running_) return BatchOutcome::Busy;
  if (!OpenLogs()) return BatchOutcome::Failed;
  const BatchOutcome outcome = RunBatch();
  CloseLogs();
  return outcome;
}

Calculator::SliceReport Calculator::RunSlice(SliceClock::time_point deadline,
                                             const BatchFollower& afterBatch) {
  SliceReport report;
  if (inSlice_) return report;  // called again from inside a slice's message
  inSlice_ = true;
  bool more = true;
  do {
    const BatchOutcome outcome = RunBatch();
    if (outcome == BatchOutcome::Busy) break;
    ++report.batches;
    report.failed = outcome == BatchOutcome::Failed;
    more = !report.failed && (!afterBatch || afterBatch(outcome));
  } while (more && SliceClock::now() < deadline);
  inSlice_ = false;
  // The slice's results go to the logs in one write each; a file that
  // failed was reported once and the run stops, as "Stop" would stop it.
  if (!report.failed && !FlushLogs()) report.failed = true;
  if (report.failed) StopRun();
  return report;
}

}  // namespace zlc
