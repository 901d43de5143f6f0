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
#include "engine/try_block.h"
#include "engine/variants.h"

namespace zlc {

struct TriesOutcome {
  int tries = 0;           // tries made, the last one included
  bool converged = false;  // the last try converged
};

class FastTries {
 public:
  // `allowWide` false keeps to the portable code; `helperThread` builds
  // blocks ahead on another core.
  explicit FastTries(bool allowWide = true,
                     bool helperThread = BlockSource::MachineHasSpareCore())
      : test_(SelectGroupTest(allowWide)),
        permute_(SelectPermuteLayout(allowWide)),
        source_(SelectBlockBuilder(allowWide), helperThread),
        block_(std::make_unique<TryBlock>()) {}

  bool HasHelperThread() const { return source_.HasHelperThread(); }
  void HoldHelper(bool hold) { source_.HoldHelper(hold); }

  // Up to `maxTries` tries on the bound layout. Leaves the layout, the work
  // chain and the generator exactly as the plain tries would. Empty when the
  // layout is not a full deck in the notation's letters; the caller then
  // makes the tries the plain way.
  // `drawsBeforeNext` is the count of generator calls the caller makes
  // between a result and the next call (a "Many" variant draw): the blocks
  // of the next batch can then be started at once.
  std::optional<TriesOutcome> Run(Layout& layout, Chain& work, const TaskPlan& plan,
                                  const NotationSet& notation, std::int32_t depth, Random& random,
                                  int maxTries, int drawsBeforeNext = 0);

 private:
  GroupTest test_;
  PermuteLayout permute_;
  BlockSource source_;
  std::unique_ptr<TryBlock> block_;
  TryShape shape_{};
  bool blockValid_ = false;
  int nextTry_ = 0;  // the first try of the block not used yet
  bool predicted_ = false;     // the source already runs from predictedSeed_
  std::uint32_t predictedSeed_ = 0;
};

}  // namespace zlc
