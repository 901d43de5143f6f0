// The engine against the plain search of reference_batch.h: same seed, same
// task, same settings; after every batch both must agree on the counters, the
// layout, the targets, the result line and the generator's state.
// ZLC_LONG_TESTS=1 makes every case run twenty times as many tries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calculator/calculator.h"
#include "reference_batch.h"
#include "ru_text.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

const std::string kEnDeck =
    "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
    "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ";
const char* const kRuDeckUtf8 =
    "Тб 7п Кк Тч 9к Кп 6п 8п Xч 7к 8к Вп 6ч 6к Вч Тп Дп Вк 7б 7ч 9п Xп Xк Вб "
    "Кч Xб 8ч 9ч Кб Дч Дб 8б Дк 6б Тк 9б ";

std::string Reversed(const std::string& spaced) {
  std::string out;
  const auto cards = reference::CardsOf(spaced);
  for (auto it = cards.rbegin(); it != cards.rend(); ++it) out += *it + " ";
  return out;
}

long Scale() {
  const char* longTests = std::getenv("ZLC_LONG_TESTS");
  return longTests && std::string(longTests) == "1" ? 20 : 1;
}

std::string LayoutText(const Layout& layout) {
  std::string out;
  for (std::int32_t k = 0; k <= layout.chain.lastIndex; ++k) {
    out += layout.chain.cards[k].rankLetter;
    out += layout.chain.cards[k].suitLetter;
    out += ' ';
  }
  return out;
}

struct Case {
  std::string task;  // as typed; the editor must take it unchanged
  std::string deck;  // the starting order of the task's notation
  int depth;
  bool many;
  long tries;        // at least this many, in whole batches
};

struct Tally {
  long results = 0;
  long emptyBatches = 0;
  long wildcardsWithoutCard = 0;
  long clearings = 0;
};

Tally Compare(const Case& c, std::uint32_t seed) {
  ScratchDir dir;
  Calculator calc;
  calc.ResetSettings();
  calc.editor.LoadTaskText(c.task);
  EXPECT_EQ(calc.editor.Text(), c.task) << "the editor refused part of the task";
  calc.settings.shuffleDepth = c.depth;
  calc.filter.resultVariants = c.many ? ResultVariants::Many : ResultVariants::One;
  calc.SetSeed(seed);

  reference::Batch ref(c.deck);
  ref.SetTask(c.task);
  ref.shuffleDepth = c.depth;
  ref.manyVariants = c.many;
  ref.random.seed = seed;

  Tally tally;
  for (int batch = 1; ref.totalTries < c.tries * Scale(); ++batch) {
    const BatchOutcome outcome = calc.RunBatch();
    const reference::Batch::Outcome expected = ref.RunBatch();
    const std::string where = c.task + " depth " + std::to_string(c.depth) + " batch " +
                              std::to_string(batch);
    if (expected == reference::Batch::Outcome::Result) {
      EXPECT_EQ(outcome, BatchOutcome::Result) << where;
      EXPECT_EQ(calc.LastBlock().lines[0], ref.lastLine) << where;
      ++tally.results;
      if (ref.rn == 0) ++tally.clearings;
    } else {
      EXPECT_EQ(outcome, BatchOutcome::NoResult) << where;
      ++tally.emptyBatches;
    }
    EXPECT_EQ(calc.Counters().cn, ref.cn) << where;
    EXPECT_EQ(calc.Counters().rn, ref.rn) << where;
    EXPECT_EQ(calc.Generator().Seed(), ref.random.seed) << where;
    EXPECT_EQ(LayoutText(calc.SearchLayout()), [&] {
      std::string s;
      for (const std::string& card : ref.layout) s += card + " ";
      return s;
    }()) << where;
    EXPECT_EQ(calc.SearchPlan().itemCount, static_cast<int>(ref.Tokens().size())) << where;
    if (::testing::Test::HasFailure()) break;
    for (int i = 0; i < calc.SearchPlan().itemCount; ++i) {
      EXPECT_EQ(calc.SearchPlan().items[i].target, ref.Tokens()[i].target) << where << " token " << i;
    }
    EXPECT_EQ(calc.VariantCount(), static_cast<std::int64_t>(ref.VariantCount())) << where;
    if (::testing::Test::HasFailure()) break;
  }
  tally.wildcardsWithoutCard = ref.wildcardsWithoutCard;
  return tally;
}

// A task without letters leaves the calculator in its start-up notation, Ru.
TEST(EngineEquivalence, GapAlone) {
  const std::string deck = Ru(kRuDeckUtf8);
  long results = 0;
  for (int depth : {0, 1, 10, 1000}) {
    results += Compare({"** ", deck, depth, false, depth == 1000 ? 20000 : 30000}, 11).results;
  }
  EXPECT_GT(results, 0);
}

TEST(EngineEquivalence, GapAloneRunsPastTheClearingThreshold) {
  // Without transpositions the starting order converges at every try, so
  // RN passes 5000 and both sides clear.
  const Tally tally = Compare({"** ", Ru(kRuDeckUtf8), 0, false, 5200}, 3);
  // Every try is a result, and every 5001st of them clears.
  EXPECT_EQ(tally.emptyBatches, 0);
  EXPECT_GE(tally.clearings, 1);
  EXPECT_EQ(tally.clearings, tally.results / 5001);
}

TEST(EngineEquivalence, CardCodesWithGaps) {
  for (int depth : {0, 1, 10, 1000}) {
    Compare({"Ad ** 7s ** Kc ", kEnDeck, depth, false, depth == 1000 ? 12000 : 20000}, 29);
    Compare({"** Qh 8d ** 6c Jd ** ", kEnDeck, depth, false, depth == 1000 ? 12000 : 20000}, 31);
  }
}

TEST(EngineEquivalence, RankAndSuitWildcards) {
  for (int depth : {0, 1, 10, 1000}) {
    Compare({"A? ** ?s 7? ** ?d ?? ** Kc ", kEnDeck, depth, false, depth == 1000 ? 12000 : 20000},
            57);
  }
}

TEST(EngineEquivalence, CompetingWildcardsSometimesFindNoCard) {
  // The card codes leave two hearts, 6h and 7h. The suit wildcard draws
  // first; when it takes 6h, the rank wildcard for the sixes has nothing left.
  const std::string task = "6s 6d 6c 8h 9h Xh Jh Qh Kh Ah ** ?h 6? ** ";
  long without = 0;
  for (int depth : {0, 1, 10, 1000}) {
    without += Compare({task, kEnDeck, depth, false, depth == 1000 ? 12000 : 20000}, 71)
                   .wildcardsWithoutCard;
  }
  EXPECT_GT(without, 0);
}

TEST(EngineEquivalence, CardWildcardAlone) {
  for (int depth : {1, 10, 1000}) Compare({"?? ", Ru(kRuDeckUtf8), depth, false, 10000}, 13);
}

TEST(EngineEquivalence, CompleteTasks) {
  for (int depth : {0, 1000}) {
    // The starting order converges at every try; its reverse never does.
    const Tally converging = Compare({kEnDeck, kEnDeck, depth, false, 200}, 5);
    EXPECT_EQ(converging.emptyBatches, 0);
    const Tally stuck = Compare({Reversed(kEnDeck), kEnDeck, depth, false, 3000}, 5);
    EXPECT_EQ(stuck.results, 0);
  }
}

TEST(EngineEquivalence, ManyVariants) {
  for (int depth : {1, 10, 1000}) {
    Compare({"Ad ** 7s ** Kc ** 9d ", kEnDeck, depth, true, 12000}, 97);
    Compare({"** 9? ?c ** Qs ?? ** ", kEnDeck, depth, true, 12000}, 101);
  }
}

TEST(EngineEquivalence, RuLetters) {
  const std::string deck = Ru(kRuDeckUtf8);
  for (int depth : {10, 1000}) {
    Compare({Ru("Т? ** ?п 7к ** ?ч "), deck, depth, false, 10000}, 17);
    Compare({Ru("Т? ** ?п 7к ** ?ч "), deck, depth, true, 10000}, 19);
  }
}

}  // namespace
}  // namespace zlc
