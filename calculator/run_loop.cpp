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
  if (inSlice_ || batchBusy_) return report;  // called again from inside a batch or a slice
  inSlice_ = true;
  batchBusy_ = true;
  const bool ok = SliceBatches(deadline, afterBatch, report);
  batchBusy_ = false;
  inSlice_ = false;
  // The slice's results go to the logs in one write each; a file that
  // failed was reported once and the run stops, as "Stop" would stop it.
  report.failed = !ok || !FlushLogs();
  if (report.failed) StopRun();
  return report;
}

// A result the analyst works on is followed by the next batch's tries at
// once (they depend on the generator alone); that batch counts only after
// the result, in order, and is undone when the follower stops at the
// result. The sequence of tries and results is the one a single thread
// makes, and a slice ends with nothing left out.
bool Calculator::SliceBatches(SliceClock::time_point deadline, const BatchFollower& afterBatch,
                              SliceReport& report) {
  // Between batches the calculator is free, unless a batch made ahead
  // waits to be counted.
  const auto follow = [&](BatchOutcome outcome, bool aheadWaits) {
    ++report.batches;
    if (outcome == BatchOutcome::Failed) return false;
    if (!afterBatch) return true;
    batchBusy_ = aheadWaits;
    const bool more = afterBatch(outcome);
    batchBusy_ = true;
    return more;
  };
  // The slice's own time per try, with results handed over and without,
  // decides whether they are handed over (only while no helper builds).
  // The clock is read once a batch, here; the deadline is checked against
  // that reading.
  auto now = SliceClock::now();
  auto measuredFrom = now;
  std::uint64_t triesFrom = totals_.tries;
  const auto measure = [&] {
    now = SliceClock::now();
    if (!search_.HelpersBuilding()) {
      analysisChoice_.Record(std::chrono::duration_cast<std::chrono::nanoseconds>(now - measuredFrom).count(),
                             static_cast<std::int64_t>(totals_.tries - triesFrom));
    }
    measuredFrom = now;
    triesFrom = totals_.tries;
  };
  bool failed = false;
  bool more = true;
  do {
    std::optional<BatchOutcome> outcome = Batch(now < deadline);
    while (!outcome) {
      const bool ahead = editor.VariantsReady() && now < deadline;
      SearchMark mark;
      BatchFound next;
      if (ahead) {
        mark = search_.Mark();
        next = search_.Batch(notation, settings.shuffleDepth, IsManyVariants(filter));
      }
      const bool written = FinishResult(!ahead);
      EndBatch();
      const BatchOutcome finished = written ? BatchOutcome::Result : BatchOutcome::Failed;
      if (!ahead) {
        outcome = finished;
        break;
      }
      failed = !written;
      more = follow(finished, true);
      measure();
      const ResultJob& result = analyst_.Job();
      if (!more) {
        search_.GoBack(mark, result.layout, result.chain);
        return !failed;
      }
      search_.KeepLeftovers(result.layout, result.chain, next.plain);
      BeginBatch(mark.seed);
      outcome = CountBatch(next, now < deadline);
      if (outcome) EndBatch();
    }
    failed = *outcome == BatchOutcome::Failed;
    more = follow(*outcome, false);
    measure();
  } while (!failed && more && now < deadline);
  return !failed;
}

}  // namespace zlc
