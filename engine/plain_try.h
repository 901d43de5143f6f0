// One try made the plain way, one step after the other: the layout stirred
// `depth` transpositions deep, the task's cards put on their targets, the
// convergence test. The fast tries must match it try for try, so the
// fallback loop, the benchmarks and the tests all make it here.
#pragma once

#include <cstdint>

#include "engine/chain.h"
#include "engine/layout.h"
#include "engine/variants.h"

namespace zlc {

class Random;

// True when the layout converged; `work` then holds its last two cards.
inline bool PlainTry(Layout& layout, const TaskPlan& plan, std::int32_t depth, Random& random,
                     Chain& work) {
  ShuffleLayout(layout, depth, random);
  PlaceTaskItems(layout, plan.items.data(), plan.itemCount, random);
  TestConvergence(layout.chain, work);
  return work.lastIndex == 1;
}

}  // namespace zlc
