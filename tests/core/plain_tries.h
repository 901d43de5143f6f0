// The fast tries and the plain ones side by side on the same batches: the
// same layouts, verdicts, try counts and generator states, batch after batch.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "analysis/classify.h"
#include "cards/task_editor.h"
#include "engine/fast_tries.h"
#include "engine/plain_try.h"

namespace zlc::testing_support {

// The plain tries of one batch, kept here as the yardstick.
inline TriesOutcome PlainTries(Layout& layout, Chain& work, TaskPlan& plan, std::int32_t depth,
                               Random& random, int maxTries) {
  TriesOutcome out;
  while (out.tries < maxTries) {
    ++out.tries;
    if (PlainTry(layout, plan, depth, random, work)) {
      out.converged = true;
      break;
    }
  }
  return out;
}

// A task with the targets of one of its variants.
struct TaskSetup {
  NotationSet notation;
  TaskPlan plan;
  std::string deck;
  std::string text;
  TaskSetup(const char* task, int kind, std::uint32_t targetsSeed) : text(task) {
    SetNotation(notation, kind);
    deck = StripSpaces(notation.baseDeck);
    SplitTask(StripSpaces(task), plan);
    // Runs packed left, the last run pinned, the free positions spread over
    // the gaps at random.
    std::int32_t start[kMaxRuns] = {};
    std::int32_t sum = 0;
    for (std::int32_t r = 0; r <= plan.gapCount; ++r) {
      start[r] = sum;
      sum += plan.runLength[r];
    }
    std::mt19937 rng(targetsSeed);
    for (std::int32_t free = kDeckSize - sum; free > 0 && plan.gapCount > 0; --free) {
      const std::int32_t gap = 1 + static_cast<std::int32_t>(rng() % plan.gapCount);
      for (std::int32_t r = gap; r <= plan.gapCount; ++r) ++start[r];
    }
    for (std::int32_t i = 0; i < plan.itemCount; ++i) {
      plan.items[i].target = start[plan.items[i].run] + plan.items[i].offset;
    }
  }
};

class SideBySide {
 public:
  SideBySide(bool wide, int helpers, std::uint32_t seed, HelperUse use = HelperUse::Always)
      : fast(wide, helpers, use), plainRandom_(seed), fastRandom_(seed) {}

  // `drawsBefore` generator calls (a "Many" variant draw) on both sides,
  // then one batch; `drawsAfter` is what the fast side is told comes before
  // the next one. A difference fails the test (fatally).
  void Batch(TaskSetup& s, std::int32_t depth, int maxTries, int drawsBefore, int drawsAfter,
             const std::string& where) {
    for (int d = 0; d < drawsBefore; ++d) {
      plainRandom_.Next(7);
      fastRandom_.Next(7);
    }
    BindLayout(plainLayout_, s.deck.data(), s.deck.size());
    BindLayout(fastLayout_, s.deck.data(), s.deck.size());
    const TriesOutcome want = PlainTries(plainLayout_, plainWork_, s.plan, depth, plainRandom_, maxTries);
    const auto got = fast.Run(fastLayout_, s.plan, s.notation, depth, fastRandom_,
                              maxTries, drawsAfter);
    ASSERT_TRUE(got.has_value()) << where;
    ASSERT_EQ(got->tries, want.tries) << where;
    ASSERT_EQ(got->converged, want.converged) << where;
    ASSERT_EQ(fastRandom_.Seed(), plainRandom_.Seed()) << where;
    tries += want.tries;
    results += want.converged;
    for (int k = 0; k < kDeckSize; ++k) {
      ASSERT_EQ(fastLayout_.chain.cards[k].rankLetter, plainLayout_.chain.cards[k].rankLetter) << where;
      ASSERT_EQ(fastLayout_.chain.cards[k].suitLetter, plainLayout_.chain.cards[k].suitLetter) << where;
      ASSERT_EQ(fastLayout_.chain.cards[k].position, k) << where;
    }
    // A result is classified from its layout, as the batch does: the same
    // elements, transits and last two cards as after the plain tries.
    if (want.converged) {
      Layout fastResult = fastLayout_;
      ClassifyElements(fastResult, fastWork_);
      Layout plainResult = plainLayout_;
      Chain plainClassified;
      ClassifyElements(plainResult, plainClassified);
      ASSERT_EQ(fastWork_.lastIndex, 1) << where;
      for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(fastWork_.cards[k].rankLetter, plainWork_.cards[k].rankLetter) << where;
        ASSERT_EQ(fastWork_.cards[k].suitLetter, plainWork_.cards[k].suitLetter) << where;
        ASSERT_EQ(fastWork_.cards[k].position, plainWork_.cards[k].position) << where;
      }
      ASSERT_EQ(fastResult.mobility, plainResult.mobility) << where;
      ASSERT_EQ(fastResult.isTransit, plainResult.isTransit) << where;
    }
  }

  // Both generators reseeded, as the window's seed field does.
  void Reseed(std::uint32_t seed) {
    plainRandom_.SetSeed(seed);
    fastRandom_.SetSeed(seed);
  }

  FastTries fast;
  long tries = 0;
  long results = 0;

 private:
  Random plainRandom_, fastRandom_;
  Layout plainLayout_, fastLayout_;
  Chain plainWork_, fastWork_;
};

}  // namespace zlc::testing_support
