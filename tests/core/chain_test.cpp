#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/chain.h"
#include "chain_text.h"
#include "ru_text.h"

namespace zlc {
namespace {

Chain Bound(const std::string& spaced) { return test::ChainOf(spaced); }

std::string Cards(const Chain& chain) { return test::CardsOf(chain); }

std::string Reduce(const std::string& spaced) {
  Chain layout = Bound(spaced), work{};
  TestConvergence(layout, work);
  return Cards(work);
}

TEST(Chain, ShortChains) {
  EXPECT_EQ(Reduce("6s 7d 8s 7s "), "8s 7s ");
  EXPECT_EQ(Reduce("6s 7d 8s 9d 6h "), "8s 9d 6h ");
  EXPECT_EQ(Reduce("6s 7d 6h 9c 7s "), "7d 6h 9c 7s ");
  EXPECT_EQ(Reduce("6s 7d "), "6s 7d ");
  EXPECT_EQ(Reduce("6s "), "6s ");
  EXPECT_EQ(Reduce(""), "");
  // Same rules with the Cyrillic letters.
  EXPECT_EQ(Reduce(Ru("6п 7б 8п 7п ")), Ru("8п 7п "));
  EXPECT_EQ(Reduce(Ru("6п 7б 6ч 9к 7п ")), Ru("7б 6ч 9к 7п "));
  // A cascade to the left: the collapse at 2 opens one at 0.
  EXPECT_EQ(Reduce("6s 7d 8c 9s 8h "), "7d 9s 8h ");
}

TEST(Chain, PositionsTravelWithTheCards) {
  Chain layout = Bound("6s 7d 8s 7s "), work{};
  TestConvergence(layout, work);
  ASSERT_EQ(work.lastIndex, 1);
  EXPECT_EQ(work.cards[0].position, 2);
  EXPECT_EQ(work.cards[1].position, 3);
}

TEST(Chain, FindCollapseIsLeftmostFromStart) {
  Chain chain = Bound("6s 7d 6h 9c 6d ");  // triples at 0 and 2 match
  EXPECT_EQ(FindCollapse(chain, 0), 0);
  EXPECT_EQ(FindCollapse(chain, 1), 2);
  EXPECT_EQ(FindCollapse(chain, 2), 2);
  EXPECT_EQ(FindCollapse(chain, 3), -1);
  RemoveEntry(chain, 0);
  EXPECT_EQ(Cards(chain), "7d 6h 9c 6d ");
  EXPECT_EQ(chain.cards[0].position, 1);
  EXPECT_EQ(chain.cards[3].position, 4);
  EXPECT_EQ(FindCollapse(chain, 0), 1);
  EXPECT_EQ(FindCollapse(Bound("6s 7d "), 0), -1);
}

TEST(Chain, StartingDeckConvergesLeftmostFirst) {
  for (int kind : {2, 1}) {
    NotationSet set;
    SetNotation(set, kind);
    Chain layout = Bound(set.baseDeck), work{};
    ASSERT_EQ(layout.lastIndex, 35);
    TestConvergence(layout, work);
    ASSERT_EQ(work.lastIndex, 1);
    EXPECT_EQ(Cards(work), kind == 2 ? std::string("Ac 9d ") : Ru("Тк 9б "));
    EXPECT_EQ(work.cards[0].position, 34);
    EXPECT_EQ(work.cards[1].position, 35);

    // Step by step with a fresh scan each time: 34 collapses, the first three
    // taking the cards dealt at 2 (Kc on 9c), 0 (Ad on Ah) and 5 (Ks on 8s).
    Chain replay = layout;
    std::vector<int> removed;
    for (std::int32_t a; (a = FindCollapse(replay, 0)) >= 0;) {
      removed.push_back(replay.cards[a].position);
      RemoveEntry(replay, a);
    }
    ASSERT_EQ(removed.size(), 34u);
    EXPECT_EQ(removed[0], 2);
    EXPECT_EQ(removed[1], 0);
    EXPECT_EQ(removed[2], 5);
    EXPECT_EQ(std::memcmp(replay.cards, work.cards, 2 * sizeof(ChainEntry)), 0);
  }
}

TEST(Chain, ReversedStartingDeckStopsAtTwentyCards) {
  NotationSet set;
  SetNotation(set, 2);
  std::string reversed;
  for (int k = 35; k >= 0; --k) reversed += set.baseDeck.substr(3 * static_cast<std::size_t>(k), 3);
  Chain layout = Bound(reversed), work{};
  TestConvergence(layout, work);
  EXPECT_EQ(work.lastIndex, 19);
  EXPECT_EQ(FindCollapse(work, 0), -1);
}

TEST(Chain, LayoutIsNotTouched) {
  NotationSet set;
  Chain layout = Bound(set.baseDeck);
  Chain before;
  std::memcpy(&before, &layout, sizeof(Chain));
  Chain work{};
  TestConvergence(layout, work);
  EXPECT_EQ(std::memcmp(&before, &layout, sizeof(Chain)), 0);
  // A work chain left over from a longer test is fully overwritten.
  Chain shortLayout = Bound("6s 7d 8s 7s ");
  TestConvergence(shortLayout, work);
  EXPECT_EQ(Cards(work), "8s 7s ");
}

// The same rule done the plain way: rescan from the left after every collapse.
std::vector<ChainEntry> NaiveReduce(const Chain& layout, std::vector<int>& removed) {
  std::vector<ChainEntry> row(layout.cards, layout.cards + layout.lastIndex + 1);
  for (bool again = true; again && row.size() >= 3;) {
    again = false;
    for (std::size_t a = 0; a + 2 < row.size(); ++a) {
      const ChainEntry &x = row[a], &z = row[a + 2];
      if (x.suitLetter == z.suitLetter || x.rankLetter == z.rankLetter) {
        removed.push_back(x.position);
        row.erase(row.begin() + static_cast<std::ptrdiff_t>(a));
        again = true;
        break;
      }
    }
  }
  return row;
}

TEST(Chain, ResumedScanMatchesFreshScanOnRandomLayouts) {
  NotationSet set;
  SetNotation(set, 2);
  std::vector<std::string> cards;
  for (std::size_t k = 0; k < 36; ++k) cards.push_back(set.baseDeck.substr(3 * k, 2));
  std::mt19937 gen(20240611u);
  int converged = 0;
  for (int trial = 0; trial < 5000; ++trial) {
    std::shuffle(cards.begin(), cards.end(), gen);
    std::string text;
    for (const auto& c : cards) text += c;
    Chain layout{}, work{};
    BindChain(layout, text.data(), text.size());
    TestConvergence(layout, work);
    std::vector<int> removed;
    std::vector<ChainEntry> expected = NaiveReduce(layout, removed);
    ASSERT_EQ(work.lastIndex + 1, static_cast<std::int32_t>(expected.size())) << text;
    ASSERT_EQ(std::memcmp(work.cards, expected.data(), expected.size() * sizeof(ChainEntry)), 0)
        << text;
    if (work.lastIndex == 1) ++converged;
    ASSERT_EQ(work.lastIndex == 1, removed.size() == 34u);
  }
  EXPECT_GT(converged, 0);  // the converging branch was exercised too
}

}  // namespace
}  // namespace zlc
