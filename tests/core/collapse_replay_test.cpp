#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/classify.h"
#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/chain.h"
#include "engine/collapse_replay.h"
#include "engine/layout.h"
#include "engine/random.h"
#include "chain_text.h"
#include "ru_text.h"

namespace zlc {
namespace {

Chain RowOf(const std::string& spaced) { return test::ChainOf(spaced); }

std::string Code(const ChainEntry& card) { return {card.rankLetter, card.suitLetter}; }

std::string Cards(const Chain& row) { return test::CardsOf(row); }

// One step as words: "leaving(position) jumped matched by".
std::string Described(const CollapseStep& step) {
  return Code(step.leaving) + "(" + std::to_string(step.leaving.position) + ") " + Code(step.jumped) + " " +
         Code(step.matched) + (step.kind == MatchKind::Suit ? " suit" : " rank");
}

std::vector<std::string> Steps(const CollapseReplay& replay) {
  std::vector<std::string> steps;
  for (std::int32_t k = 0; k < replay.stepCount; ++k) steps.push_back(Described(replay.steps[k]));
  return steps;
}

std::string Remaining(const CollapseReplay& replay) {
  Chain row{};
  RowAfter(replay, replay.stepCount, row);
  return Cards(row);
}

bool SameRow(const Chain& a, const Chain& b) {
  return a.lastIndex == b.lastIndex &&
         std::memcmp(a.cards, b.cards, sizeof(ChainEntry) * static_cast<std::size_t>(a.lastIndex + 1)) == 0;
}

// ---- The worked chains, step by step ----------------------------------------

TEST(CollapseReplay, ShortChainsStepByStep) {
  CollapseReplay replay;
  ReplayCollapses(RowOf("6s 7d 8s 7s"), replay);
  EXPECT_EQ(Steps(replay), (std::vector<std::string>{"6s(0) 7d 8s suit", "7d(1) 8s 7s rank"}));
  EXPECT_EQ(Remaining(replay), "8s 7s ");
  EXPECT_TRUE(replay.Converged());

  ReplayCollapses(RowOf("6s 7d 8s 9d 6h"), replay);
  EXPECT_EQ(Steps(replay), (std::vector<std::string>{"6s(0) 7d 8s suit", "7d(1) 8s 9d suit"}));
  EXPECT_EQ(Remaining(replay), "8s 9d 6h ");
  EXPECT_FALSE(replay.Converged());

  ReplayCollapses(RowOf("6s 7d 6h 9c 7s"), replay);
  EXPECT_EQ(Steps(replay), (std::vector<std::string>{"6s(0) 7d 6h rank"}));
  EXPECT_EQ(Remaining(replay), "7d 6h 9c 7s ");
  EXPECT_EQ(replay.RemainingCount(), 4);

  // Two cards: nothing to collapse, and as far down as a row goes.
  ReplayCollapses(RowOf("6s 7d"), replay);
  EXPECT_EQ(replay.stepCount, 0);
  EXPECT_EQ(Remaining(replay), "6s 7d ");
  EXPECT_TRUE(replay.Converged());
  for (const char* row : {"6s", ""}) {
    ReplayCollapses(RowOf(row), replay);
    EXPECT_EQ(replay.stepCount, 0);
    EXPECT_FALSE(replay.Converged()) << row;
  }
}

TEST(CollapseReplay, CascadeToTheLeft) {
  // 8c leaves onto 8h first; that brings 9s next to 6s, which leaves too.
  CollapseReplay replay;
  ReplayCollapses(RowOf("6s 7d 8c 9s 8h"), replay);
  EXPECT_EQ(Steps(replay), (std::vector<std::string>{"8c(2) 9s 8h rank", "6s(0) 7d 9s suit"}));
  EXPECT_EQ(replay.steps[0].index, 2);
  EXPECT_EQ(replay.steps[1].index, 0);
  EXPECT_EQ(Remaining(replay), "7d 9s 8h ");
  Chain row{};
  RowAfter(replay, 1, row);
  EXPECT_EQ(Cards(row), "6s 7d 9s 8h ");
  EXPECT_EQ(row.cards[3].position, 4);  // positions travel with the cards
  RowAfter(replay, 0, row);
  EXPECT_EQ(Cards(row), "6s 7d 8c 9s 8h ");
}

TEST(CollapseReplay, SixCardClassificationExample) {
  CollapseReplay replay;
  ReplayCollapses(RowOf(Ru("6п 9к Дп 9б Xб Кч")), replay);
  EXPECT_EQ(Steps(replay), (std::vector<std::string>{Ru("6п(0) 9к Дп suit"), Ru("9к(1) Дп 9б rank")}));
  EXPECT_EQ(Remaining(replay), Ru("Дп 9б Xб Кч "));
}

TEST(CollapseReplay, StartingOrderInBothNotations) {
  for (int kind : {2, 1}) {
    NotationSet set;
    SetNotation(set, kind);
    const Chain dealt = RowOf(set.baseDeck);
    CollapseReplay replay;
    ReplayCollapses(dealt, replay);
    ASSERT_EQ(replay.stepCount, 34);
    EXPECT_TRUE(replay.Converged());
    const std::vector<std::string> steps = Steps(replay);
    const std::vector<std::string> first(steps.begin(), steps.begin() + 3);
    EXPECT_EQ(first, kind == 2 ? (std::vector<std::string>{"Kc(2) Ah 9c suit", "Ad(0) 7s Ah rank",
                                                           "Ks(5) 6s 8s suit"})
                               : (std::vector<std::string>{Ru("Кк(2) Тч 9к suit"), Ru("Тб(0) 7п Тч rank"),
                                                           Ru("Кп(5) 6п 8п suit")}));
    EXPECT_EQ(Remaining(replay), kind == 2 ? std::string("Ac 9d ") : Ru("Тк 9б "));
    EXPECT_TRUE(SameRow(replay.start, dealt));
  }

  NotationSet en;
  SetNotation(en, 2);
  std::string reversed;
  for (int k = 35; k >= 0; --k) reversed += en.baseDeck.substr(3 * static_cast<std::size_t>(k), 3);
  CollapseReplay replay;
  ReplayCollapses(RowOf(reversed), replay);
  EXPECT_EQ(replay.stepCount, 16);
  EXPECT_EQ(replay.RemainingCount(), 20);
  EXPECT_FALSE(replay.Converged());
}

TEST(CollapseReplay, RowGivenIsNotTouched) {
  NotationSet set;
  const Chain dealt = RowOf(set.baseDeck);
  Chain copy;
  std::memcpy(&copy, &dealt, sizeof(Chain));
  CollapseReplay replay;
  ReplayCollapses(dealt, replay);
  EXPECT_EQ(std::memcmp(&copy, &dealt, sizeof(Chain)), 0);
  // A replay left over from a longer row is overwritten whole.
  ReplayCollapses(RowOf("6s 7d 8s 7s"), replay);
  EXPECT_EQ(replay.stepCount, 2);
  EXPECT_EQ(Remaining(replay), "8s 7s ");
}

// ---- Agreement with the convergence test and the classification ------------

// The classification's facts, worked out from the replay's steps: the middle
// card of each collapse moves; a right card past the latest transit becomes
// one; the last card is mobile.
void ClassifyFromSteps(const CollapseReplay& replay, Layout& expected) {
  expected.mobility.fill(0);
  expected.isTransit.fill(0);
  expected.transitCount = 0;
  std::uint16_t lastTransit = 0;
  for (std::int32_t k = 0; k < replay.stepCount; ++k) {
    const CollapseStep& step = replay.steps[k];
    ++expected.mobility[step.jumped.position];
    if (step.matched.position > lastTransit) {
      expected.isTransit[step.matched.position] = 1;
      ++expected.transitCount;
      lastTransit = step.matched.position;
    }
  }
  if (replay.start.lastIndex >= 0) expected.mobility[static_cast<std::size_t>(replay.start.lastIndex)] = 1;
}

// Each step is the leftmost collapse of the row the step before left, and
// takes out exactly the card it names.
void ExpectStepsLeftmostFirst(const CollapseReplay& replay) {
  Chain before{}, after{};
  for (std::int32_t k = 0; k < replay.stepCount; ++k) {
    const CollapseStep& step = replay.steps[k];
    RowAfter(replay, k, before);
    ASSERT_EQ(FindCollapse(before, 0), step.index) << "step " << k;
    const ChainEntry* triple = &before.cards[step.index];
    ASSERT_EQ(std::memcmp(&triple[0], &step.leaving, sizeof(ChainEntry)), 0) << "step " << k;
    ASSERT_EQ(std::memcmp(&triple[1], &step.jumped, sizeof(ChainEntry)), 0) << "step " << k;
    ASSERT_EQ(std::memcmp(&triple[2], &step.matched, sizeof(ChainEntry)), 0) << "step " << k;
    const bool suit = step.leaving.suitLetter == step.matched.suitLetter;
    ASSERT_EQ(step.kind, suit ? MatchKind::Suit : MatchKind::Rank) << "step " << k;
    RemoveEntry(before, step.index);
    RowAfter(replay, k + 1, after);
    ASSERT_TRUE(SameRow(before, after)) << "step " << k;
  }
}

TEST(CollapseReplay, AgreesWithConvergenceTestAndClassificationOnRandomLayouts) {
  NotationSet set;
  SetNotation(set, 2);
  std::string deck = StripSpaces(set.baseDeck);
  Random random(20261207u);
  constexpr int kLayouts = 100000;
  int full = 0, converged = 0, stoppedFull = 0;
  CollapseReplay replay;
  Layout layout, expected;
  Chain work{}, classified{};
  for (int trial = 0; trial < kLayouts; ++trial) {
    // A shuffled deck; every fourth layout is a shorter row of it.
    for (std::uint32_t i = kDeckSize - 1; i > 0; --i) {
      const std::uint32_t j = random(i + 1);
      std::swap(deck[2 * i], deck[2 * j]);
      std::swap(deck[2 * i + 1], deck[2 * j + 1]);
    }
    const std::size_t cards = trial % 4 == 3 ? random(kDeckSize) : kDeckSize;
    BindLayout(layout, deck.data(), 2 * cards);

    ReplayCollapses(layout.chain, replay);
    TestConvergence(layout.chain, work);
    Chain remaining{};
    RowAfter(replay, replay.stepCount, remaining);
    ASSERT_TRUE(SameRow(remaining, work)) << deck.substr(0, 2 * cards);
    ASSERT_EQ(replay.Converged(), work.lastIndex == 1);

    ClassifyElements(layout, classified);
    ClassifyFromSteps(replay, expected);
    ASSERT_EQ(layout.mobility, expected.mobility) << deck.substr(0, 2 * cards);
    ASSERT_EQ(layout.isTransit, expected.isTransit) << deck.substr(0, 2 * cards);
    ASSERT_EQ(layout.transitCount, expected.transitCount);

    ExpectStepsLeftmostFirst(replay);
    if (HasFatalFailure()) return;
    if (cards == kDeckSize) {
      ++full;
      if (replay.Converged()) {
        ++converged;
        ASSERT_EQ(replay.stepCount, kMostCollapses);
      } else {
        ++stoppedFull;
      }
    }
  }
  // Both outcomes of full layouts were met many times.
  EXPECT_GT(converged, 100) << full;
  EXPECT_GT(stoppedFull, 1000) << full;
}

}  // namespace
}  // namespace zlc
