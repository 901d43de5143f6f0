// The batch: the search's unit of work between two timer ticks.
#include <chrono>

#include "calculator/calculator.h"
#include "persist/text_files.h"
#include "persist/variants_file.h"

namespace zlc {

bool Calculator::EnumerateVariants() {
  const std::string normalized = StripSpaces(editor.Text());
  if (normalized.empty()) return true;
  const TaskPlan& plan = search_.SetTask(normalized);
  std::int64_t count = CountVariants(plan);
  const std::string& path = paths_.variants;
  if (count <= kMaxFileVariants) {
    if (Failed(zlc::EnumerateVariants(plan, path, count, progress_), path, FileUse::Writing)) return false;
  } else {
    // Too many to write: the variants are drawn by their number anyway, and
    // a stale file of another task must not stay behind.
    if (Failed(DeleteIfExists(path), path, FileUse::Writing)) return false;
  }
  search_.SetVariantCount(count);
  editor.SetVariantsReady(true);
  editor.ShowVariants(count);
  search_.DrawVariant();
  return true;
}

namespace {

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

BatchOutcome Calculator::RunBatch() {
  if (batchBusy_) return BatchOutcome::Busy;
  batchBusy_ = true;
  struct Release {
    bool& busy;
    ~Release() { busy = false; }
  } release{batchBusy_};
  return *Batch(false);
}

std::optional<BatchOutcome> Calculator::Batch(bool mayPost) {
  BeginBatch(search_.Generator().Seed());
  const std::optional<BatchOutcome> outcome = SearchBatch(mayPost);
  if (outcome) EndBatch();
  return outcome;
}

void Calculator::EndBatch() { statistics_.FollowPace(SteadySeconds()); }

void Calculator::BeginBatch(std::uint32_t seed) {
  FollowSetup();
  statistics_.Begin(InForce(), seed, !editor.VariantsReady() && counters_.rn == 0);
  if (!editor.VariantsReady() && statistics_.Counts().Tries() > 0) {
    statistics_.NoteLinesChanged(SetupChange::VariantDrawnAgain);
  }
}

void Calculator::FollowSetup() { statistics_.Follow(InForce(), counters_.rn); }

void Calculator::ResetStatistics() { statistics_.Reset(); }

std::optional<BatchOutcome> Calculator::SearchBatch(bool mayPost) {
  if (!editor.VariantsReady() && !EnumerateVariants()) return BatchOutcome::Failed;
  return CountBatch(search_.Batch(notation, settings.shuffleDepth, IsManyVariants(filter)), mayPost);
}

std::optional<BatchOutcome> Calculator::CountBatch(const BatchFound& found, bool mayPost) {
  counters_.cn += found.tries;
  totals_.tries += static_cast<std::uint64_t>(found.tries);
  statistics_.AddTries(static_cast<std::uint64_t>(found.tries));
  if (!found.converged) return BatchOutcome::NoResult;
  // Building helpers hold the other cores: the analysis would only wait
  // for one of them, so the caller does it at once. Otherwise it goes to the
  // helper where that was measured to pay: the caller then reads what
  // another core wrote, which costs about as much as the analysis itself
  // where a cache line takes a few hundred nanoseconds from core to core.
  const bool handOver = mayPost && analyst_.HasHelper() &&
                        (analysisUse_ == AnalysisUse::Always ||
                         (analysisUse_ == AnalysisUse::Measured && !search_.HelpersBuilding() &&
                          analysisChoice_.On()));
  PostResult(found.tries, handOver);
  if (handOver) return std::nullopt;
  return FinishResult(true) ? BatchOutcome::Result : BatchOutcome::Failed;
}

void Calculator::PostResult(std::int32_t tries, bool handOver) {
  ResultJob& job = analyst_.Job();
  job.layout = search_.LastLayout();
  job.number = totals_.results + 1;
  job.rn = counters_.rn + 1;
  job.tries = tries;
  analyst_.Post({&notation, &settings, &filter}, handOver);
}

bool Calculator::FinishResult(bool putBack) {
  ResultJob& job = analyst_.Take();
  // The search keeps the result's marked layout and its collapse, unless
  // it has gone on with the next batch.
  if (putBack) search_.PutResult(job.layout, job.chain);
  ++counters_.rn;
  ++totals_.results;
  lastRecord_ = job.record;
  // The lines trade places with the job's: nothing is copied, and the
  // analysis writes the next result's lines over the buffers given back.
  for (int line = 0; line < 3; ++line) lastBlock_.lines[line].swap(job.block.lines[line]);
  lastPassed_ = job.passed;
  statistics_.AddResult(lastRecord_, job.figures);
  lists_.Add(lastBlock_, lastRecord_, lastPassed_);

  if (lastPassed_) {
    ++counters_.filtered;
    ++totals_.filtered;
    if (filteredLog_.IsOpen()) filteredLog_.Add(lastBlock_.lines, 3);
  }
  if (resultsLog_.IsOpen()) resultsLog_.Add(lastBlock_.lines, 3);
  // In a slice the blocks go out at its end; a slice that finds very many
  // results still writes them as they reach a megabyte.
  constexpr std::size_t kMostPending = 1 << 20;
  const bool due = !inSlice_ || filteredLog_.PendingBytes() >= kMostPending ||
                   resultsLog_.PendingBytes() >= kMostPending;
  const bool logsOk = !due || FlushLogs();

  if (settings.clearAtRn && counters_.rn > settings.clearThreshold) ClearResults();
  return logsOk;
}

}  // namespace zlc
