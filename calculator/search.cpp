#include "calculator/search.h"

#include "cards/task_editor.h"
#include "engine/plain_try.h"

namespace zlc {

const TaskPlan& Search::SetTask(std::string_view normalizedTask) {
  SplitTask(normalizedTask, plan_);
  return plan_;
}

BatchFound Search::Batch(const NotationSet& notation, std::int32_t depth, bool newVariantEachBatch) {
  if (newVariantEachBatch) DrawVariant();
  // The deck changes only with the notation: made anew only then.
  if (deckSource_ != notation.baseDeck) {
    deckSource_ = notation.baseDeck;
    deckText_ = StripSpaces(deckSource_);
  }
  BindLayout(layout_, deckText_.data(), deckText_.size());
  const int drawsBeforeNext =
      !newVariantEachBatch ? 0 : variantCount_ <= static_cast<std::int64_t>(kOneDrawVariants) ? 1 : 2;
  if (auto fast = fastTries_.Run(layout_, plan_, notation, depth, random_, kMaxTries, drawsBeforeNext)) {
    return {fast->tries, fast->converged};
  }
  for (int attempt = 1; attempt <= kMaxTries; ++attempt) {
    if (PlainTry(layout_, plan_, depth, random_, workChain_)) return {attempt, true};
  }
  return {kMaxTries, false};
}

}  // namespace zlc
