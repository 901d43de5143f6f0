// The tries of a batch, made fast but exactly as the plain sequence would make
// them (transpositions, task cards, convergence test): the random part of
// sixteen consecutive tries is built ahead as permutations, and each try then
// costs one gather, the placement and a convergence test on one-byte cards.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "cards/notation.h"
#include "engine/block_source.h"
#include "engine/chain.h"
#include "engine/group_converge.h"
#include "engine/layout.h"
#include "engine/random.h"
#include "engine/test_crew.h"
#include "engine/try_block.h"
#include "engine/try_block_helper_choice.h"
#include "engine/variants.h"

namespace zlc {

struct TriesOutcome {
  int tries = 0;           // tries made, the last one included
  bool converged = false;  // the last try converged
};

// Measured: the helpers build blocks where that makes the search faster
// (they are switched on and off in turns and timed); Always: they always
// build blocks; Testing: they test the layouts the caller walks instead.
enum class HelperUse { Measured, Always, Testing };

struct TaskCards;

class FastTries {
 public:
  // `allowWide` false keeps to the portable code; `helpers` threads build
  // blocks ahead or test layouts on other cores.
  explicit FastTries(bool allowWide = true, int helpers = SearchThreads() - 1,
                     HelperUse use = HelperUse::Measured);

  int Helpers() const { return crew_ ? crew_->Helpers() : source_.Helpers(); }
  bool HelpersOn() const { return source_.HelpersOn(); }
  void HoldHelper(bool hold) {
    source_.HoldHelper(hold);
    if (crew_) crew_->Hold(hold);
  }
  std::uint64_t RunsTestedByHelpers() const { return crew_ ? crew_->HelperTested() : 0; }
  BlockSource& Source() { return source_; }

  // Up to `maxTries` tries on the bound layout. Leaves the layout and the
  // generator exactly as the plain tries would (no work chain: a result's
  // classification replays the collapse once, from the layout). Empty when
  // the layout is not a full deck in the notation's letters; the caller
  // then makes the tries the plain way.
  // `drawsBeforeNext` is the count of generator calls the caller makes
  // between a result and the next call (a "Many" variant draw): the blocks
  // of the next batch can then be started at once.
  std::optional<TriesOutcome> Run(Layout& layout, const TaskPlan& plan,
                                  const NotationSet& notation, std::int32_t depth, Random& random,
                                  int maxTries, int drawsBeforeNext = 0);

 private:
  std::optional<TriesOutcome> MakeTries(Layout& layout, const TaskPlan& plan,
                                        const NotationSet& notation, std::int32_t depth,
                                        Random& random, int maxTries, int drawsBeforeNext);

  void NextBlock();
  std::uint32_t SeedAfter(int lane) const;  // the generator after the block's try `lane`
  void WalkTry(const std::uint8_t* previous, std::uint8_t* out, const TaskCards& task);
  TriesOutcome SerialTries(std::uint8_t* cards, const TaskCards& task, Random& random, int maxTries);
  TriesOutcome CrewTries(std::uint8_t* cards, const TaskCards& task, Random& random, int maxTries);

  GroupTest test_;
  PermuteLayout permute_;
  BlockSource source_;
  HelperUse use_;
  HelperChoice choice_;
  std::unique_ptr<TryBlock> block_;
  TryShape shape_{};
  bool blockValid_ = false;
  int nextTry_ = 0;  // the first try of the block not used yet
  bool predicted_ = false;     // the source already runs from predictedSeed_
  std::uint32_t predictedSeed_ = 0;
  std::uint64_t blockSerial_ = 0;  // blocks taken so far
  std::unique_ptr<TestCrew> crew_;
  int lookahead_ = 4;  // runs the caller walks ahead of the first verdict it has not read
};

}  // namespace zlc
