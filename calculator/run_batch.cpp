// The batch: the search's unit of work between two timer ticks.
#include <chrono>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "calculator/calculator.h"
#include "filter/filter_test.h"
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

  FollowSetup();
  statistics_.Begin(InForce(), search_.Generator().Seed(), !editor.VariantsReady() && counters_.rn == 0);
  if (!editor.VariantsReady() && statistics_.Counts().Tries() > 0) {
    statistics_.NoteLinesChanged(SetupChange::VariantDrawnAgain);
  }
  const BatchOutcome outcome = SearchBatch();
  statistics_.FollowPace(SteadySeconds());
  return outcome;
}

void Calculator::FollowSetup() { statistics_.Follow(InForce(), counters_.rn); }

void Calculator::ResetStatistics() { statistics_.Reset(); }

BatchOutcome Calculator::SearchBatch() {
  if (!editor.VariantsReady() && !EnumerateVariants()) return BatchOutcome::Failed;
  const BatchFound found = search_.Batch(notation, settings.shuffleDepth, IsManyVariants(filter));
  counters_.cn += found.tries;
  totals_.tries += static_cast<std::uint64_t>(found.tries);
  statistics_.AddTries(static_cast<std::uint64_t>(found.tries));
  if (!found.converged) return BatchOutcome::NoResult;
  return MakeResult(found.tries) ? BatchOutcome::Result : BatchOutcome::Failed;
}

bool Calculator::MakeResult(std::int32_t tries) {
  ++counters_.rn;
  ++totals_.results;
  Layout& layout = search_.LastLayout();
  ClassifyElements(layout, search_.LastChain());
  RecordLayout(lastRecord_, layout, notation);
  lastRecord_.number = totals_.results;
  lastRecord_.rn = counters_.rn;
  lastRecord_.tries = tries;
  const ResultFigures figures = FiguresOf(lastRecord_);
  AppendLayoutLine(lastBlock_.lines[0], lastRecord_, settings);
  AppendAnalysisLines(lastBlock_.lines[1], lastBlock_.lines[2], lastRecord_, figures);
  lastPassed_ = PassesFilter(filter, lastRecord_, figures.balancedLines);
  lastRecord_.passed = lastPassed_;
  statistics_.AddResult(lastRecord_, figures);
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
