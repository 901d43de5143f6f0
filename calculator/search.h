// The search itself: the generator, the task's plan and its variant count,
// the layout every try leaves behind and the collapse of the last converged
// one. It makes the tries of a batch and says what they found; what a
// result means is the calculator's to work out.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards/notation.h"
#include "engine/chain.h"
#include "engine/fast_tries.h"
#include "engine/layout.h"
#include "engine/random.h"
#include "engine/variants.h"

namespace zlc {

inline constexpr int kMaxTries = 1000;

struct BatchFound {
  std::int32_t tries = 0;  // made, the converging one included
  bool converged = false;
  bool plain = false;  // made the plain way: the work chain is this batch's
};

// Where the search stood before a batch: enough to make that batch again.
struct SearchMark {
  std::uint32_t seed = 0;
  std::array<std::int32_t, kMaxTaskItems> targets{};
};

class Search {
 public:
  const Random& Generator() const { return random_; }
  void SetSeed(std::uint32_t seed) { random_.SetSeed(seed); }
  // The helper threads leave their cores while held; the tries stay the same.
  void HoldHelper(bool hold) { fastTries_.HoldHelper(hold); }
  // Helper threads build the tries' blocks now (their cores are taken).
  bool HelpersBuilding() const { return fastTries_.Helpers() > 0 && fastTries_.HelpersOn(); }

  // A batch made ahead, while the result before it was still being
  // analysed, is undone by going back to the mark taken before it and to
  // that result's layout and collapse.
  SearchMark Mark() const;
  void GoBack(const SearchMark& mark, const Layout& resultLayout, const Chain& resultChain);
  // A result's layout with its marks and its collapse, worked out elsewhere.
  void PutResult(const Layout& layout, const Chain& chain) {
    layout_ = layout;
    workChain_ = chain;
  }
  // What the result's analysis leaves behind that later tries do not
  // overwrite: its transit count on the layout and, unless the tries were
  // made the plain way (they leave their own), its collapse.
  void KeepLeftovers(const Layout& result, const Chain& chain, bool plainTries) {
    layout_.transitCount = result.transitCount;
    if (!plainTries) workChain_ = chain;
  }

  // A task (without spaces) split into the plan the tries place; its
  // variants are counted by whoever enumerates them and told back.
  const TaskPlan& SetTask(std::string_view normalizedTask);
  void SetVariantCount(std::int64_t count) { variantCount_ = count; }
  void DrawVariant() { PickVariant(plan_, variantCount_, random_); }

  // Up to kMaxTries tries on the notation's deck `depth` transpositions
  // deep; with `newVariantEachBatch` one of the task's variants drawn first.
  BatchFound Batch(const NotationSet& notation, std::int32_t depth, bool newVariantEachBatch);

  // The layout of the last try (after a converging batch, the result's),
  // its collapse, the task's plan and its variant count.
  const Layout& LastLayout() const { return layout_; }
  Layout& LastLayout() { return layout_; }  // the result's marks go on it
  const Chain& LastChain() const { return workChain_; }
  Chain& LastChain() { return workChain_; }
  const TaskPlan& Plan() const { return plan_; }
  std::int64_t VariantCount() const { return variantCount_; }

 private:
  Random random_;
  FastTries fastTries_;
  Layout layout_;
  Chain workChain_;
  TaskPlan plan_;
  std::int64_t variantCount_ = 0;
  std::string deckText_;    // the base deck without spaces
  std::string deckSource_;  // the base deck it was made from
};

}  // namespace zlc
