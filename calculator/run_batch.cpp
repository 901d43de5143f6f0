// The batch: the search's unit of work between two timer ticks.
#include <chrono>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "calculator/calculator.h"
#include "engine/plain_try.h"
#include "filter/filter_test.h"
#include "persist/text_files.h"
#include "persist/variants_file.h"

namespace zlc {

bool Calculator::EnumerateVariants() {
  const std::string normalized = StripSpaces(editor.Text());
  if (normalized.empty()) return true;
  SplitTask(normalized, plan_);
  const std::int64_t count = CountVariants(plan_);
  if (count <= kMaxFileVariants) {
    if (Failed(zlc::EnumerateVariants(plan_, variantsPath, variantCount_, progress), variantsPath,
               FileUse::Writing)) {
      return false;
    }
  } else {
    // Too many to write: the variants are drawn by their number anyway, and
    // a stale file of another task must not stay behind.
    if (Failed(DeleteIfExists(variantsPath), variantsPath, FileUse::Writing)) return false;
    variantCount_ = count;
  }
  editor.SetVariantsReady(true);
  editor.ShowVariants(variantCount_);
  PickVariant(plan_, variantCount_, random);
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
  BeginStatistics();
  if (!editor.VariantsReady() && statistics.Tries() > 0) NoteLinesChanged(SetupChange::VariantDrawnAgain);
  const BatchOutcome outcome = SearchBatch();
  statisticsPace.Follow(SteadySeconds(), statistics);
  return outcome;
}

BatchOutcome Calculator::SearchBatch() {
  if (!editor.VariantsReady() && !EnumerateVariants()) return BatchOutcome::Failed;
  if (IsManyVariants(filter)) PickVariant(plan_, variantCount_, random);

  // The deck changes only with the notation: made anew only then.
  if (deckSource_ != notation.baseDeck) {
    deckSource_ = notation.baseDeck;
    deckText_ = StripSpaces(deckSource_);
  }
  BindLayout(layout_, deckText_.data(), deckText_.size());
  const std::int32_t depth = settings.shuffleDepth;
  const int drawsBeforeNext =
      !IsManyVariants(filter) ? 0 : variantCount_ <= static_cast<std::int64_t>(kOneDrawVariants) ? 1 : 2;
  if (auto fast = fastTries_.Run(layout_, plan_, notation, depth, random, kMaxTries,
                                 drawsBeforeNext)) {
    counters.cn += fast->tries;
    totals.tries += static_cast<std::uint64_t>(fast->tries);
    statistics.AddTries(static_cast<std::uint64_t>(fast->tries));
    if (!fast->converged) return BatchOutcome::NoResult;
    return MakeResult(fast->tries) ? BatchOutcome::Result : BatchOutcome::Failed;
  }
  for (int attempt = 1; attempt <= kMaxTries; ++attempt) {
    ++counters.cn;
    ++totals.tries;
    if (PlainTry(layout_, plan_, depth, random, workChain_)) {
      statistics.AddTries(static_cast<std::uint64_t>(attempt));
      return MakeResult(attempt) ? BatchOutcome::Result : BatchOutcome::Failed;
    }
  }
  statistics.AddTries(kMaxTries);
  return BatchOutcome::NoResult;
}

bool Calculator::MakeResult(std::int32_t tries) {
  ++counters.rn;
  ++totals.results;
  ClassifyElements(layout_, workChain_);
  RecordLayout(lastRecord_, layout_, notation);
  lastRecord_.number = totals.results;
  lastRecord_.rn = counters.rn;
  lastRecord_.tries = tries;
  const ResultFigures figures = FiguresOf(lastRecord_);
  AppendLayoutLine(lastBlock_.lines[0], lastRecord_, settings);
  AppendAnalysisLines(lastBlock_.lines[1], lastBlock_.lines[2], lastRecord_, figures);
  lastPassed_ = PassesFilter(filter, lastRecord_, figures.balancedLines);
  lastRecord_.passed = lastPassed_;
  statistics.AddResult(lastRecord_, figures);
  lists_.Add(lastBlock_, lastRecord_, lastPassed_);

  if (lastPassed_) {
    ++counters.filtered;
    ++totals.filtered;
    if (filteredLog_.IsOpen()) filteredLog_.Add(lastBlock_.lines, 3);
  }
  if (resultsLog_.IsOpen()) resultsLog_.Add(lastBlock_.lines, 3);
  // In a slice the blocks go out at its end; a slice that finds very many
  // results still writes them as they reach a megabyte.
  constexpr std::size_t kMostPending = 1 << 20;
  const bool due = !inSlice_ || filteredLog_.PendingBytes() >= kMostPending ||
                   resultsLog_.PendingBytes() >= kMostPending;
  const bool logsOk = !due || FlushLogs();

  if (settings.clearAtRn && counters.rn > settings.clearThreshold) ClearResults();
  return logsOk;
}

}  // namespace zlc
