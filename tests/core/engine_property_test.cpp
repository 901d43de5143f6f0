// Random tasks, built by clicks as the user builds them, run batch after
// batch: whatever the tokens, seed, depth and variants mode, the layout must
// stay one deck with every token on its target, and a result must converge.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

// Clicks of a random kind: card codes most, then wildcards, "??" and gaps.
void BuildTask(TaskEditor& editor, std::mt19937& rng, int clicks) {
  editor.ClearTask();
  for (int i = 0; i < clicks; ++i) {
    const unsigned kind = rng() % 20, pick = rng();
    if (kind < 10)
      editor.CardButtonClick(1 + pick % kDeckSize);
    else if (kind < 14)
      editor.CardButtonClick(RankWildcardButton(pick % kRankCount));
    else if (kind < 17)
      editor.CardButtonClick(SuitWildcardButton(pick % kSuitCount));
    else if (kind < 18)
      editor.CardButtonClick(kCardWildcardButton);
    else
      editor.CardButtonClick(kGapButton);
  }
  if (!editor.TaskComplete()) editor.CardButtonClick(kGapButton);
}

// The collapse rule applied leftmost first, written out plainly.
bool Converges(const Chain& chain) {
  std::vector<ChainEntry> row(chain.cards, chain.cards + chain.lastIndex + 1);
  for (std::size_t i = 0; i + 2 < row.size();) {
    if (Matches(row[i], row[i + 2])) {
      row.erase(row.begin() + static_cast<std::ptrdiff_t>(i));
      i = 0;
    } else {
      ++i;
    }
  }
  return row.size() == 2;
}

bool SameCard(const ChainEntry& a, const ChainEntry& b) {
  return a.rankLetter == b.rankLetter && a.suitLetter == b.suitLetter && a.position == b.position;
}

void CheckBatch(const Calculator& calc, BatchOutcome outcome, const std::string& task) {
  SCOPED_TRACE(task);
  const Chain& chain = calc.SearchLayout().chain;
  const NotationSet& n = calc.notation;
  ASSERT_EQ(chain.lastIndex, kDeckSize - 1);
  std::vector<bool> seen(kDeckSize);
  for (int k = 0; k < kDeckSize; ++k) {
    const ChainEntry& c = chain.cards[k];
    ASSERT_EQ(c.position, k);
    const auto r = n.rankLetters.find(c.rankLetter), s = n.suitLetters.find(c.suitLetter);
    ASSERT_TRUE(r != std::string::npos && s != std::string::npos) << "position " << k;
    ASSERT_FALSE(seen[r * kSuitCount + s]) << "card twice, position " << k;
    seen[r * kSuitCount + s] = true;
  }

  const std::string tokens = StripSpaces(calc.editor.Text());
  std::vector<std::string> items;
  for (std::size_t i = 0; i < tokens.size(); i += 2)
    if (tokens.compare(i, 2, "**") != 0) items.push_back(tokens.substr(i, 2));
  ASSERT_EQ(calc.SearchPlan().itemCount, static_cast<int>(items.size()));
  // Which targets hold what their token asks for.
  std::vector<bool> held(kDeckSize);
  for (int i = 0; i < calc.SearchPlan().itemCount; ++i) {
    const TaskItem& item = calc.SearchPlan().items[i];
    ASSERT_EQ(std::string(item.text, 2), items[i]);
    ASSERT_TRUE(item.target >= 0 && item.target < kDeckSize);
    // Runs keep their order and their tokens stay side by side.
    if (i > 0) {
      ASSERT_GT(item.target, calc.SearchPlan().items[i - 1].target);
      if (item.run == calc.SearchPlan().items[i - 1].run) {
        ASSERT_EQ(item.target, calc.SearchPlan().items[i - 1].target + 1);
      }
    }
    const ChainEntry& there = chain.cards[item.target];
    const bool rankOk = item.text[0] == '?' || there.rankLetter == item.text[0];
    const bool suitOk = item.text[1] == '?' || there.suitLetter == item.text[1];
    held[item.target] = items[i] != "??" && rankOk && suitOk;
    if (item.text[0] != '?' && item.text[1] != '?') {
      EXPECT_TRUE(held[item.target]) << items[i];
    }
  }

  for (int i = 0; i < calc.SearchPlan().itemCount; ++i) {
    const TaskItem& item = calc.SearchPlan().items[i];
    if (items[i] == "??" || held[item.target]) continue;
    // A rank or suit wildcard finds no card only when every card of its kind
    // is held by another token: rank and suit wildcards can compete.
    const bool rank = item.text[1] == '?';
    for (int k = 0; k < kDeckSize; ++k) {
      const ChainEntry& c = chain.cards[k];
      if (rank ? c.rankLetter == item.text[0] : c.suitLetter == item.text[1]) {
        EXPECT_TRUE(held[k]) << items[i] << " missed a free card at " << k;
      }
    }
  }

  EXPECT_EQ(outcome == BatchOutcome::Result, Converges(chain));
  if (outcome == BatchOutcome::Result) {
    ASSERT_EQ(calc.SearchChain().lastIndex, 1);
    EXPECT_TRUE(SameCard(calc.SearchChain().cards[0], chain.cards[kDeckSize - 2]));
    EXPECT_TRUE(SameCard(calc.SearchChain().cards[1], chain.cards[kDeckSize - 1]));
  }
}

TEST(EngineProperty, RandomTasksKeepTheLayoutWhole) {
  ScratchDir dir;
  Calculator calc;
  std::mt19937 rng(20240611);
  int results = 0;
  for (int t = 0; t < 60 && !testing::Test::HasFatalFailure(); ++t) {
    calc.ResetSettings();
    if (t % 2) {
      SetNotation(calc.notation, static_cast<int>(Notation::En));
      calc.editor.BuildCardGrid();
    }
    const int depths[] = {0, 10, 100, 1000};
    calc.settings.shuffleDepth = depths[rng() % 4];
    calc.filter.resultVariants = rng() % 3 == 0 ? ResultVariants::Many : ResultVariants::One;
    calc.SetSeed(rng());
    BuildTask(calc.editor, rng, static_cast<int>(rng() % 40));
    ASSERT_TRUE(calc.editor.TaskComplete()) << calc.editor.Text();
    for (int b = 0; b < 3 && !testing::Test::HasFatalFailure(); ++b) {
      const BatchOutcome outcome = calc.RunBatch();
      ASSERT_TRUE(outcome == BatchOutcome::Result || outcome == BatchOutcome::NoResult);
      results += outcome == BatchOutcome::Result;
      CheckBatch(calc, outcome, calc.editor.Text());
    }
  }
  EXPECT_GT(results, 20);  // the result checks above did run
}

}  // namespace
}  // namespace zlc
