// Results analysed on a helper while the next batch's tries are made: the
// slices of such a calculator must leave everything exactly as a calculator
// with one thread leaves it, whenever the follower stops (at a result, just
// after one, at a try limit), with settings changed between slices, with
// helpers building blocks or not, and with as many threads as the tool allows.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

using Follower = Calculator::BatchFollower;
const auto kFar = Calculator::SliceClock::time_point::max();

struct ThreadsSet {
  explicit ThreadsSet(int threads) { SetSearchThreads(threads); }
  ~ThreadsSet() { SetSearchThreads(0); }
};

std::unique_ptr<Calculator> MakeCalculator(int threads, const std::string& name) {
  ThreadsSet set(threads);
  auto calc = std::make_unique<Calculator>();
  calc->ResetSettings();
  FilePaths paths;
  paths.variants = "variants-" + name;
  paths.resultsLog = "results-" + name + ".log";
  paths.filteredLog = "resultsf-" + name + ".log";
  calc->SetPaths(paths);
  calc->SetSeed(2026);
  return calc;
}

// Everything a slice leaves that the program or a later slice reads.
void ExpectSameState(const Calculator& one, const Calculator& many, const std::string& where) {
  SCOPED_TRACE(where);
  ASSERT_EQ(one.Generator().Seed(), many.Generator().Seed());
  ASSERT_EQ(one.Counters().rn, many.Counters().rn);
  ASSERT_EQ(one.Counters().cn, many.Counters().cn);
  ASSERT_EQ(one.Counters().filtered, many.Counters().filtered);
  ASSERT_EQ(one.Totals().results, many.Totals().results);
  ASSERT_EQ(one.Totals().tries, many.Totals().tries);
  ASSERT_EQ(one.Totals().filtered, many.Totals().filtered);
  for (int line = 0; line < 3; ++line) ASSERT_EQ(one.LastBlock().lines[line], many.LastBlock().lines[line]);
  ASSERT_EQ(one.LastRecord().number, many.LastRecord().number);
  ASSERT_EQ(one.LastRecord().tries, many.LastRecord().tries);
  ASSERT_EQ(one.LastPassed(), many.LastPassed());
  const auto sameChain = [](const Chain& a, const Chain& b) {
    ASSERT_EQ(a.lastIndex, b.lastIndex);
    for (int i = 0; i <= a.lastIndex; ++i) {
      ASSERT_EQ(a.cards[i].rankLetter, b.cards[i].rankLetter) << i;
      ASSERT_EQ(a.cards[i].suitLetter, b.cards[i].suitLetter) << i;
      ASSERT_EQ(a.cards[i].position, b.cards[i].position) << i;
    }
  };
  const Layout& x = one.SearchLayout();
  const Layout& y = many.SearchLayout();
  sameChain(x.chain, y.chain);
  ASSERT_EQ(x.mobility, y.mobility);
  ASSERT_EQ(x.isTransit, y.isTransit);
  ASSERT_EQ(x.transitCount, y.transitCount);
  sameChain(one.SearchChain(), many.SearchChain());
  if (::testing::Test::HasFatalFailure()) return;
  for (int i = 0; i < one.SearchPlan().itemCount; ++i) {
    ASSERT_EQ(one.SearchPlan().items[i].target, many.SearchPlan().items[i].target) << i;
  }
  const RunStatistics& u = one.Statistics().Counts();
  const RunStatistics& v = many.Statistics().Counts();
  ASSERT_EQ(u.Tries(), v.Tries());
  ASSERT_EQ(u.Results(), v.Results());
  ASSERT_EQ(u.Filtered(), v.Filtered());
  ASSERT_EQ(u.Hexagrams(), v.Hexagrams());
  ASSERT_EQ(u.TriesPerResult(), v.TriesPerResult());
  ASSERT_EQ(one.Statistics().Seed(), many.Statistics().Seed());
  ASSERT_EQ(one.Statistics().RestartedBy(), many.Statistics().RestartedBy());
  ASSERT_EQ(one.Statistics().Repeatable(), many.Statistics().Repeatable());
  ASSERT_EQ(one.Lists().All().Size(), many.Lists().All().Size());
  ASSERT_EQ(one.Lists().Filtered().Size(), many.Lists().Filtered().Size());
}

// Followers that end a slice: at its n-th result, or once the tries reach
// a count (inside the batch after a result as often as not).
Follower StopAtResult(int n) {
  auto seen = std::make_shared<int>(0);
  return [seen, n](BatchOutcome outcome) { return outcome != BatchOutcome::Result || ++*seen < n; };
}

// At the first batch without a result (a batch after a result is made
// ahead), or after many batches for tasks that always find one.
Follower StopAtNoResult() {
  auto batches = std::make_shared<int>(0);
  return [batches](BatchOutcome outcome) { return outcome != BatchOutcome::NoResult && ++*batches < 500; };
}

Follower StopAtTries(const Calculator& calc, std::uint64_t tries) {
  return [&calc, tries](BatchOutcome) { return calc.Totals().tries < tries; };
}

struct Case {
  const char* name;
  const char* task;
  int depth;
  std::function<void(Calculator&)> setUp;
};

class ResultPipeline : public ::testing::TestWithParam<int> {
 protected:
  // The same slices on both calculators, compared after each.
  void RunBoth(const std::function<Follower(const Calculator&, int slice)>& follower, int slices,
               const std::function<void(Calculator&, int slice)>& between = {}) {
    for (int s = 0; s < slices; ++s) {
      for (Calculator* calc : {one.get(), many.get()}) {
        if (between) between(*calc, s);
        calc->RunSlice(kFar, follower(*calc, s));
      }
      ExpectSameState(*one, *many, "slice " + std::to_string(s));
      if (HasFatalFailure()) return;
    }
  }
  void Start(const Case& c) {
    one = MakeCalculator(1, "one");
    many = MakeCalculator(GetParam(), "many");
    many->SetAnalysisUse(AnalysisUse::Always);
    for (Calculator* calc : {one.get(), many.get()}) {
      calc->SelectNotation("En");
      calc->settings.shuffleDepth = c.depth;
      calc->settings.clearAtRn = false;
      if (c.setUp) c.setUp(*calc);
      calc->editor.LoadTaskText(c.task);
    }
  }

  ScratchDir dir;
  std::unique_ptr<Calculator> one;
  std::unique_ptr<Calculator> many;
};

const Case kCases[] = {
    {"single gap, marks, filter", "** ", 10,
     [](Calculator& c) {
       c.settings.markTransits = 1;
       c.settings.staticMarkMode = StaticMarks::Exclaim;
       c.filter.lfEnabled = 1;
       c.filter.lfThreshold = 14;
     }},
    {"wildcards, a variant each batch", "6? ** ?h ** Ad ", 100,
     [](Calculator& c) { c.filter.resultVariants = ResultVariants::Many; }},
    {"every wildcard, clearing", "A? ** ?s 7? ** ?d ?? ** Kc ", 10,
     [](Calculator& c) {
       c.settings.clearAtRn = true;
       c.settings.clearThreshold = 7;
     }},
    {"many gaps, two draws a variant", "** Ah ** Kd ** 7c ** Xs ** 9h ** 6d ** Jc ** ", 250,
     [](Calculator& c) { c.filter.resultVariants = ResultVariants::Many; }},
    {"a result in some 260 tries", "6s 7h 8c 9d Xs Jh Qc Kd As Ks ** ", 10, {}},
    {"every try converges", "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
                            "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ", 10, {}},
    {"repeated cards, the plain tries", "** ", 10,
     [](Calculator& c) {
       c.notation.baseDeck = c.notation.baseDeck.substr(0, c.notation.baseDeck.size() - 3) +
                             c.notation.baseDeck.substr(0, 3);
     }},
};

TEST_P(ResultPipeline, StoppingAtEveryResultLeavesWhatOneThreadLeaves) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Start(c);
    // One result a slice: the batch made ahead is undone every time.
    RunBoth([](const Calculator&, int) { return StopAtResult(1); }, 25);
    if (HasFatalFailure()) return;
    // Several results a slice, then a try limit anywhere.
    RunBoth([](const Calculator& calc, int s) {
      return s % 2 == 0 ? StopAtResult(1 + s % 5) : StopAtTries(calc, calc.Totals().tries + 977 * s);
    }, 12);
    if (HasFatalFailure()) return;
    RunBoth([](const Calculator&, int) { return StopAtNoResult(); }, 4);
    if (HasFatalFailure()) return;
  }
}

TEST_P(ResultPipeline, SettingsChangedBetweenSlicesAreFollowedAlike) {
  Start(kCases[1]);
  const auto change = [](Calculator& calc, int s) {
    switch (s % 6) {
      case 1: calc.settings.shuffleDepth = s % 4 == 1 ? 10 : 1000; break;
      case 2: calc.settings.staticMarkMode = StaticMarks::Brackets; break;
      case 3: calc.filter.lfEnabled = 1 - calc.filter.lfEnabled; break;
      case 4: calc.SelectNotation(calc.notation.notationName == "Ru" ? "En" : "Ru"); break;
      case 5: calc.editor.LoadTaskText(s % 4 == 1 ? "** Kc ** " : "?d ** 7? "); break;
      default: calc.filter.resultVariants = ResultVariants::One; break;
    }
  };
  RunBoth([](const Calculator&, int s) { return StopAtResult(1 + s % 3); }, 24, change);
}

// The window's slices end at a deadline instead: the results, one after
// another, are the ones a single thread finds.
TEST_P(ResultPipeline, SlicesEndingAtADeadlineFindTheSameSequence) {
  Start(kCases[0]);
  std::vector<std::string> found;
  for (int s = 0; s < 20; ++s) {
    many->RunSlice(Calculator::SliceClock::now() + std::chrono::microseconds(300), [&](BatchOutcome outcome) {
      if (outcome == BatchOutcome::Result) found.push_back(many->LastBlock().lines[0]);
      return true;
    });
  }
  ASSERT_GT(found.size(), 20u);
  std::size_t k = 0;
  one->RunSlice(kFar, [&](BatchOutcome outcome) {
    if (outcome == BatchOutcome::Result) {
      EXPECT_EQ(one->LastBlock().lines[0], found[k]);
      ++k;
    }
    return k < found.size() && !HasFailure();
  });
  EXPECT_EQ(one->Totals().tries, many->Totals().tries);
}

// The analysis goes to the helper only where nobody builds blocks, unless
// told always; here it is. (The caller takes back a result the helper has
// not started, so on a machine busy with other work the helper may take few.)
TEST_P(ResultPipeline, TheHelperTakesResults) {
  Start(kCases[0]);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (many->ResultsAnalysedByHelper() == 0 && std::chrono::steady_clock::now() < until) {
    many->RunSlice(kFar, StopAtResult(300));
    one->RunSlice(kFar, StopAtResult(300));
    ExpectSameState(*one, *many, "300 results");
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(many->ResultsAnalysedByHelper(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Threads, ResultPipeline, ::testing::Values(2, 3, 4, 8, 64));

}  // namespace
}  // namespace zlc
