// The search itself: the generator, the task's plan and its variant count,
// the layout every try leaves behind and the collapse of the last converged
// one. It makes the tries of a batch and says what they found; what a
// result means is the calculator's to work out.
#pragma once

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
};

class Search {
 public:
  const Random& Generator() const { return random_; }
  void SetSeed(std::uint32_t seed) { random_.SetSeed(seed); }
  // The helper threads leave their cores while held; the tries stay the same.
  void HoldHelper(bool hold) { fastTries_.HoldHelper(hold); }

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
