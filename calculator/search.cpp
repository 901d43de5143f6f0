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
    return {fast->tries, fast->converged, false};
  }
  for (int attempt = 1; attempt <= kMaxTries; ++attempt) {
    if (PlainTry(layout_, plan_, depth, random_, workChain_)) return {attempt, true, true};
  }
  return {kMaxTries, false, true};
}

SearchMark Search::Mark() const {
  SearchMark mark;
  mark.seed = random_.Seed();
  for (std::int32_t i = 0; i < plan_.itemCount; ++i) mark.targets[i] = plan_.items[i].target;
  return mark;
}

void Search::GoBack(const SearchMark& mark, const Layout& resultLayout, const Chain& resultChain) {
  // The fast tries' blocks follow from the generator's state alone: they
  // see the state go back and start their blocks from it again.
  random_.SetSeed(mark.seed);
  for (std::int32_t i = 0; i < plan_.itemCount; ++i) plan_.items[i].target = mark.targets[i];
  PutResult(resultLayout, resultChain);
}

}  // namespace zlc
