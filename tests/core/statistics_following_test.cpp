// The statistics following the settings: a change of what is searched starts
// them again at once, a change of how the lines read keeps them and takes
// the repeat command away once a line printed since reads otherwise, and
// the command names the setup that was counted.
#include <gtest/gtest.h>

#include <string>

#include "calculator/calculator.h"
#include "calculator/repeat_command.h"
#include "calculator/run_setup.h"
#include "ru_text.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

TEST(RunSetup, EachSettingByWhatItChanges) {
  NotationSet notation;
  Settings settings;
  FilterSettings filter;
  ResetFilterSettings(filter);
  const RunSetup was{"6\xEF ** ", notation, settings, filter};
  const auto change = [&](auto edit) {
    RunSetup now = was;
    edit(now);
    return ChangeOf(was, now.task, now.notation, now.settings, now.filter);
  };
  EXPECT_EQ(change([](RunSetup&) {}), SetupChange::None);
  EXPECT_EQ(change([](RunSetup& s) { s.task = "6\xEF 7\xEF ** "; }), SetupChange::Task);
  EXPECT_EQ(change([](RunSetup& s) { s.filter.lfEnabled = 1; }), SetupChange::Filter);
  EXPECT_EQ(change([](RunSetup& s) { s.filter.resultVariants = ResultVariants::Many; }), SetupChange::Variants);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.shuffleDepth = 20; }), SetupChange::ShuffleDepth);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.markTransits = 1; }), SetupChange::Marks);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.staticMarkMode = zlc::StaticMarks::Brackets; }), SetupChange::Marks);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.deleteSpaces = 1; }), SetupChange::Marks);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.clearAtRn = false; }), SetupChange::Clearing);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.clearThreshold = 100; }), SetupChange::Clearing);
  // What changes no line: the autosave boxes, the threshold of an unticked
  // box, a name typed into the selector that keeps the letters.
  EXPECT_EQ(change([](RunSetup& s) { s.settings.autosaveAll = true; }), SetupChange::None);
  EXPECT_EQ(change([](RunSetup& s) { s.settings.autosaveFiltered = false; }), SetupChange::None);
  EXPECT_EQ(change([](RunSetup& s) { s.notation.notationName = "E"; }), SetupChange::None);
  RunSetup unticked = was;
  unticked.settings.clearAtRn = false;
  RunSetup otherThreshold = unticked;
  otherThreshold.settings.clearThreshold = 7;
  EXPECT_EQ(ChangeOf(unticked, unticked.task, notation, otherThreshold.settings, filter), SetupChange::None);

  // The task rewritten in the other notation's letters is the same task;
  // another card in them is another.
  NotationSet en;
  SetNotation(en, static_cast<int>(Notation::En));
  EXPECT_EQ(ChangeOf(was, "6s ** ", en, settings, filter), SetupChange::Notation);
  EXPECT_EQ(ChangeOf(was, "6d ** ", en, settings, filter), SetupChange::Task);
  EXPECT_EQ(ChangeOf(was, "6s ** 7s ", en, settings, filter), SetupChange::Task);
  // A change of what is searched outweighs one of how lines read.
  Settings both = settings;
  both.markTransits = 1;
  both.shuffleDepth = 5;
  EXPECT_EQ(ChangeOf(was, "6s ** ", en, both, filter), SetupChange::ShuffleDepth);
  EXPECT_TRUE(RestartsCounting(SetupChange::ShuffleDepth));
  EXPECT_TRUE(RestartsCounting(SetupChange::Variants));
  EXPECT_FALSE(RestartsCounting(SetupChange::Marks));
  EXPECT_FALSE(RestartsCounting(SetupChange::Notation));
}

class StatisticsFollowing : public ::testing::Test {
 protected:
  void SetUp() override {
    calc.SetReporter([](const RuntimeMessage& m) { ADD_FAILURE() << m.text; });
    calc.ResetSettings();
    calc.settings.shuffleDepth = 20;
    calc.settings.autosaveFiltered = false;
    calc.editor.LoadTaskText("**", true);
    calc.SetSeed(777);
  }
  // Batches until the statistics hold `results` more results.
  void Results(std::uint64_t results) {
    const std::uint64_t until = calc.Statistics().Counts().Results() + results;
    for (int batch = 0; calc.Statistics().Counts().Results() < until; ++batch) {
      ASSERT_LT(batch, 10000);
      ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
    }
  }
  std::string Command() const { return RepeatCommandOf(calc).command; }

  ScratchDir dir;
  Calculator calc;
};

TEST_F(StatisticsFollowing, ASearchChangeStartsThemAgainAtOnce) {
  Results(3);
  const std::uint32_t seed = calc.Statistics().Seed();
  EXPECT_NE(Command().find("--set sd_t=20 "), std::string::npos);
  EXPECT_NE(Command().find("--seed " + std::to_string(seed)), std::string::npos);
  ASSERT_EQ(calc.Statistics().Starts(), 1u);

  calc.settings.shuffleDepth = 30;
  calc.FollowStatistics();  // no batch: the view's look after a dialog
  EXPECT_EQ(calc.Statistics().Starts(), 2u);
  EXPECT_EQ(calc.Statistics().RestartedBy(), SetupChange::ShuffleDepth);
  EXPECT_EQ(calc.Statistics().Counts().Tries(), 0u);
  EXPECT_EQ(calc.Statistics().Counts().Results(), 0u);
  EXPECT_FALSE(calc.Statistics().Pace().TriesPerSecond());
  EXPECT_EQ(RepeatCommandOf(calc).whyNot, WhyNoRepeat::NothingSearched);
  calc.FollowStatistics();
  EXPECT_EQ(calc.Statistics().Starts(), 2u);

  // The next batch takes the seed; the variant was drawn before it, so no
  // command repeats this count.
  const std::uint32_t seedNow = calc.Generator().Seed();
  Results(1);
  EXPECT_EQ(calc.Statistics().Starts(), 2u);
  EXPECT_EQ(calc.Statistics().Seed(), seedNow);
  EXPECT_EQ(calc.Statistics().Setup().settings.shuffleDepth, 30);
  EXPECT_EQ(RepeatCommandOf(calc).whyNot, WhyNoRepeat::ContinuedRun);

  // So does "Clear Results", which names no change.
  calc.ResetStatistics();
  EXPECT_EQ(calc.Statistics().Starts(), 3u);
  EXPECT_EQ(calc.Statistics().RestartedBy(), SetupChange::None);
  EXPECT_EQ(calc.Statistics().Counts().Results(), 0u);

  // A new task draws its variant in the counted batch, but RN goes on from
  // the results before: no command numbers the lines so.
  Results(1);
  ASSERT_GT(calc.Counters().rn, 0);
  calc.editor.LoadTaskText(Ru("6п **"), true);
  Results(1);
  ASSERT_EQ(calc.Statistics().RestartedBy(), SetupChange::Task);
  EXPECT_EQ(RepeatCommandOf(calc).whyNot, WhyNoRepeat::ContinuedRun);
}

TEST_F(StatisticsFollowing, ALinesChangeKeepsTheCountsAndTakesTheCommandAway) {
  Results(3);
  const std::uint64_t tries = calc.Statistics().Counts().Tries();
  calc.settings.markTransits = 1;
  calc.FollowStatistics();
  EXPECT_EQ(calc.Statistics().Starts(), 1u);
  EXPECT_EQ(calc.Statistics().Counts().Tries(), tries);
  const RepeatCommand none = RepeatCommandOf(calc);
  EXPECT_TRUE(none.command.empty());
  EXPECT_EQ(none.whyNot, WhyNoRepeat::LinesChanged);
  EXPECT_EQ(none.linesChanged, SetupChange::Marks);
  // It stays away as the search goes on, and set back too: the lines
  // printed meanwhile still read otherwise. The first reason stays.
  Results(1);
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::Marks);
  calc.settings.markTransits = 0;
  calc.FollowStatistics();
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::Marks);
  calc.SelectNotation("En");
  Results(1);
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::Marks);
  EXPECT_EQ(calc.Statistics().Starts(), 1u);
  // A change of what is searched starts a count of its own.
  calc.settings.shuffleDepth = 21;
  Results(1);
  EXPECT_EQ(calc.Statistics().Starts(), 2u);
  EXPECT_EQ(RepeatCommandOf(calc).whyNot, WhyNoRepeat::ContinuedRun);
}

TEST_F(StatisticsFollowing, ALinesChangeNoPrintedLineShowsIsTakenIntoTheCommand) {
  // Before the first result: the whole deck backwards, never shuffled,
  // never converges.
  calc.settings.shuffleDepth = 0;
  calc.editor.LoadTaskText(
      "9d Ac 6d Qc 8d Qd Qh Kd 9h 8h Xd Kh Jd Xc Xs 9s 7h 7d Jc Qs As Jh 6c 6h Js 8c 7c Xh 8s 6s "
      "Ks 9c Ah Kc 7s Ad",
      true);
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::NoResult);
  calc.settings.staticMarkMode = zlc::StaticMarks::Brackets;
  calc.FollowStatistics();
  EXPECT_NE(Command().find("--set rq_ms=2 "), std::string::npos);
  // The notation too, but the task rewritten in its letters is drawn again
  // at the next batch, off the seed's course.
  calc.SelectNotation("Ru");
  calc.FollowStatistics();
  EXPECT_NE(Command().find("--set Defs=Ru "), std::string::npos);
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::NoResult);
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::VariantDrawnAgain);
  EXPECT_EQ(calc.Statistics().Starts(), 1u);
  calc.settings.shuffleDepth = 20;

  // "Clear at RN >" changed before it cleared, to a threshold not passed.
  calc.ClearResults();
  calc.ResetStatistics();
  calc.editor.LoadTaskText("**", true);
  calc.settings.clearThreshold = 5;
  Results(4);
  ASSERT_TRUE(calc.Statistics().Repeatable());
  calc.settings.clearThreshold = 4;
  calc.FollowStatistics();
  EXPECT_NE(Command().find("--set rn_t=4 "), std::string::npos);
  calc.settings.clearAtRn = false;
  calc.FollowStatistics();
  EXPECT_NE(Command().find("--set rq_rnc=0 "), std::string::npos);
  // Below RN now, it would have cleared: no command numbers them so.
  calc.settings.clearAtRn = true;
  calc.settings.clearThreshold = 3;
  calc.FollowStatistics();
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::Clearing);

  // After a clearing, any change of it is seen.
  calc.ClearResults();
  calc.ResetStatistics();
  calc.editor.LoadTaskText("** ", true);  // loaded again: the variant is drawn anew
  Results(5);  // cleared after the fourth
  ASSERT_LT(calc.Counters().rn, 5);
  calc.settings.clearThreshold = 1000;
  calc.FollowStatistics();
  EXPECT_EQ(RepeatCommandOf(calc).linesChanged, SetupChange::Clearing);
}

// The command names what was counted, however the settings stand when it is
// read; the notation by its letters, as the tool takes it.
TEST_F(StatisticsFollowing, TheCommandNamesTheSetupCounted) {
  Results(1);
  calc.settings.autosaveAll = true;
  calc.settings.shuffleDepth = 99;  // not yet followed
  std::string command = Command();
  EXPECT_NE(command.find("--set sd_t=20 "), std::string::npos);
  EXPECT_NE(command.find("--task '** '"), std::string::npos);
  EXPECT_NE(command.find("--set Defs=Ru "), std::string::npos);

  calc.settings.shuffleDepth = 20;
  calc.ClearResults();
  calc.ResetStatistics();
  calc.editor.LoadTaskText("6s **", true);  // in the En letters
  calc.SelectNotation("E");  // typed on: the name is kept, the letters stay
  Results(1);
  command = Command();
  EXPECT_NE(command.find("--task '6s ** '"), std::string::npos);
  EXPECT_NE(command.find("--set Defs=En "), std::string::npos);
}

}  // namespace
}  // namespace zlc
