// The fast tries against the plain ones, on both processor paths: the same
// layouts, verdicts, try counts and generator states, batch after batch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "cards/task_editor.h"
#include "engine/fast_tries.h"
#include "engine/group_converge.h"
#include "engine/try_block.h"

namespace zlc {
namespace {

bool WideAvailable() { return SelectBlockBuilder(true) != &BuildTryBlockPortable; }

// Tries per configuration: a million with ZLC_LONG_TESTS=1.
long TriesPerCase() {
  const char* longTests = std::getenv("ZLC_LONG_TESTS");
  return longTests && std::string(longTests) == "1" ? 1000000 : 5000;
}

// The plain tries of one batch, kept here as the yardstick.
TriesOutcome PlainTries(Layout& layout, Chain& work, TaskPlan& plan, std::int32_t depth,
                        Random& random, int maxTries) {
  TriesOutcome out;
  while (out.tries < maxTries) {
    ++out.tries;
    ShuffleLayout(layout, depth, random);
    PlaceTaskItems(layout, plan.items.data(), plan.itemCount, random);
    TestConvergence(layout.chain, work);
    if (work.lastIndex == 1) {
      out.converged = true;
      break;
    }
  }
  return out;
}

struct Setup {
  NotationSet notation;
  TaskPlan plan;
  std::string deck;
  Setup(const char* task, int kind, std::uint32_t targetsSeed) {
    SetNotation(notation, kind);
    deck = StripSpaces(notation.baseDeck);
    SplitTask(StripSpaces(task), plan);
    // Targets of a valid variant: runs packed left, the last run pinned.
    std::int32_t start[kMaxRuns] = {};
    std::int32_t sum = 0;
    for (std::int32_t r = 0; r <= plan.gapCount; ++r) {
      start[r] = sum;
      sum += plan.runLength[r];
    }
    std::mt19937 rng(targetsSeed);
    // Spread the free positions over the gaps at random.
    for (std::int32_t free = kDeckSize - sum; free > 0 && plan.gapCount > 0; --free) {
      const std::int32_t gap = 1 + static_cast<std::int32_t>(rng() % plan.gapCount);
      for (std::int32_t r = gap; r <= plan.gapCount; ++r) ++start[r];
    }
    for (std::int32_t i = 0; i < plan.itemCount; ++i) {
      plan.items[i].target = start[plan.items[i].run] + plan.items[i].offset;
    }
  }
};

void Compare(const char* task, int kind, std::int32_t depth, long tries, bool wide, bool helper) {
  Setup s(task, kind, 7);
  FastTries fast(wide, helper);
  Random plainRandom(12345), fastRandom(12345);
  Layout plainLayout, fastLayout;
  Chain plainWork, fastWork;
  long done = 0;
  for (int b = 0; done < tries; ++b) {
    // Every so often a draw between batches, as a "Many" variant makes.
    if (b % 5 == 4) {
      plainRandom.Next(7);
      fastRandom.Next(7);
    }
    BindLayout(plainLayout, s.deck.data(), s.deck.size());
    BindLayout(fastLayout, s.deck.data(), s.deck.size());
    const int maxTries = b % 3 == 0 ? 1000 : 1 + b % 17;
    const TriesOutcome want = PlainTries(plainLayout, plainWork, s.plan, depth, plainRandom, maxTries);
    const auto got = fast.Run(fastLayout, fastWork, s.plan, s.notation, depth, fastRandom, maxTries);
    ASSERT_TRUE(got.has_value());
    const std::string where = std::string(task) + " depth " + std::to_string(depth) + " batch " +
                              std::to_string(b) + (wide ? " wide" : " portable") + (helper ? " helper" : "");
    ASSERT_EQ(got->tries, want.tries) << where;
    done += want.tries;
    ASSERT_EQ(got->converged, want.converged) << where;
    ASSERT_EQ(fastRandom.Seed(), plainRandom.Seed()) << where;
    ASSERT_EQ(fastWork.lastIndex, plainWork.lastIndex) << where;
    for (int k = 0; k < kDeckSize; ++k) {
      ASSERT_EQ(fastLayout.chain.cards[k].rankLetter, plainLayout.chain.cards[k].rankLetter) << where;
      ASSERT_EQ(fastLayout.chain.cards[k].suitLetter, plainLayout.chain.cards[k].suitLetter) << where;
      ASSERT_EQ(fastLayout.chain.cards[k].position, k);
    }
  }
}

class FastTriesTest : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(FastTriesTest, MatchThePlainTries) {
  const bool wide = std::get<0>(GetParam());
  const bool helper = std::get<1>(GetParam());
  if (wide && !WideAvailable()) GTEST_SKIP() << "no AVX-512 on this processor";
  const long tries = TriesPerCase();
  for (std::int32_t depth : {0, 1, 10, 1000}) {
    Compare("** ", 2, depth, tries, wide, helper);
    Compare("Ad ** 7s ** Kc ** 9d ", 2, depth, tries, wide, helper);
    Compare("6? ** ?h ** ?? ** As ", 2, depth, tries, wide, helper);
    // Wildcards competing for the few cards the codes leave: some find none.
    Compare("6s 6d 6c 8h 9h Xh Jh Qh Kh Ah ** ?h 6? ** ", 2, depth, tries, wide, helper);
    Compare("\xD2\xE1 ** 6? ** ?\xF7 ", 1, depth, tries, wide, helper);  // Ru letters
  }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, FastTriesTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) ? "Wide" : "Portable") +
                                  (std::get<1>(info.param) ? "WithHelperThread" : "OneThread");
                         });

TEST(TryBlock, WideAndPortableBuildTheSameBlocks) {
  if (!WideAvailable()) GTEST_SKIP() << "no AVX-512 on this processor";
  static TryBlock a, b;
  std::mt19937 rng(3);
  for (int round = 0; round < 30; ++round) {
    const TryShape shape = MakeTryShape(static_cast<std::int32_t>(rng() % 300),
                                        kDeckSize, static_cast<std::int32_t>(rng() % 5));
    const std::uint32_t seed = static_cast<std::uint32_t>(rng());
    BuildTryBlockPortable(a, shape, seed);
    BuildTryBlockAvx512(b, shape, seed);
    ASSERT_EQ(0, std::memcmp(a.start, b.start, sizeof a.start));
    ASSERT_EQ(a.end, b.end);
    for (int i = 0; i < kBlockTries; ++i) {
      ASSERT_EQ(0, std::memcmp(a.Perm(i), b.Perm(i), kDeckSize)) << round << " " << i;
      ASSERT_EQ(0, std::memcmp(a.wild[i], b.wild[i], sizeof(std::uint32_t) * shape.wildcards));
    }
  }
}

TEST(GroupConverge, BothPathsAgreeWithTheChainTest) {
  const char* ranks = "6789XJQKA";
  const char* suits = "sdch";
  std::mt19937 rng(11);
  GroupTest tests[2] = {&ConvergingMembersPortable, SelectGroupTest(true)};
  alignas(64) std::uint8_t group[kGroupTries][64] = {};
  for (int round = 0; round < 3000; ++round) {
    const int members = 1 + round % kGroupTries;
    unsigned want = 0;
    for (int g = 0; g < members; ++g) {
      for (int k = 0; k < kDeckSize; ++k) group[g][k] = static_cast<std::uint8_t>(k);
      std::shuffle(group[g], group[g] + kDeckSize, rng);
      // Now and then a layout that is known to converge: the starting deck.
      if (round % 97 == 0 && g == 0) {
        const std::string deck = StripSpaces(kEnBaseDeck);
        for (int k = 0; k < kDeckSize; ++k) {
          group[g][k] = static_cast<std::uint8_t>(4 * std::string(ranks).find(deck[2 * k]) +
                                                  std::string(suits).find(deck[2 * k + 1]));
        }
      }
      Chain chain, work;
      for (int k = 0; k < kDeckSize; ++k) {
        chain.cards[k] = {ranks[group[g][k] / 4], suits[group[g][k] % 4], static_cast<std::uint16_t>(k)};
      }
      chain.lastIndex = kDeckSize - 1;
      TestConvergence(chain, work);
      want |= unsigned{work.lastIndex == 1} << g;
    }
    for (GroupTest test : tests) ASSERT_EQ(test(group, members), want) << round;
  }
}

}  // namespace
}  // namespace zlc
