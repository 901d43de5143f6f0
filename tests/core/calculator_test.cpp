#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "persist/text_files.h"
#include "ru_text.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

void Scramble(Calculator& calc) {
  SetNotation(calc.notation, 2);
  calc.editor.BuildCardGrid();
  calc.settings = Settings{1, StaticMarks::Brackets, 1, 7, 9, true, false, false};
  calc.filter.resultVariants = ResultVariants::Many;
  calc.filter.lfEnabled = 1;
  calc.filter.lfThreshold = 20;
  calc.filter.smEnabled = 0;
  calc.filter.elementGrid[2][5] = ElementState::Mobile;
  calc.filter.hbEnabled = 1;
  calc.filter.hbRequired[3] = 1;
  // The starting order as a complete task converges at once: RN and CN
  // are counted.
  calc.editor.LoadTaskText(
      "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
      "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d");
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  ASSERT_EQ(calc.Counters().rn, 1);
  calc.editor.SetVariantsReady(true);
}

void ExpectStartState(const Calculator& calc) {
  EXPECT_EQ(calc.notation.notationName, "Ru");
  EXPECT_EQ(calc.notation.suitLetters, Ru("пбкч"));
  EXPECT_EQ(calc.editor.Caption(1), Ru("6п"));
  const Settings& s = calc.settings;
  EXPECT_EQ(s.markTransits, 0);
  EXPECT_EQ(s.staticMarkMode, zlc::StaticMarks::None);
  EXPECT_EQ(s.deleteSpaces, 0);
  EXPECT_EQ(s.clearThreshold, 5000);
  EXPECT_EQ(s.shuffleDepth, 1000);
  EXPECT_FALSE(s.autosaveAll);
  EXPECT_TRUE(s.autosaveFiltered);
  EXPECT_TRUE(s.clearAtRn);
  const FilterSettings& f = calc.filter;
  EXPECT_EQ(f.generationMode, GenerationMode::Random);
  EXPECT_EQ(f.resultVariants, ResultVariants::One);
  EXPECT_EQ(f.lfEnabled, 0);
  EXPECT_EQ(f.lfThreshold, 8);
  EXPECT_EQ(f.smEnabled, 1);
  EXPECT_EQ(f.hbEnabled, 0);
  for (const auto& row : f.elementGrid)
    for (ElementState e : row) EXPECT_EQ(e, ElementState::Any);
  for (auto line : f.hbRequired) EXPECT_EQ(line, 0);
  EXPECT_EQ(calc.ResultsCaption(), "Results: ( RN / CN = 0 / 0 )");
  EXPECT_EQ(calc.FilteredCaption(), "Filtered: 0");
  EXPECT_FALSE(calc.Running());
  EXPECT_FALSE(calc.BatchBusy());
  EXPECT_FALSE(calc.editor.VariantsReady());
}

TEST(Calculator, InitSettingsRestoresDefaultsAndCreatesLogs) {
  ScratchDir dir;
  Calculator calc;
  std::vector<std::string> messages;
  calc.SetReporter([&](const RuntimeMessage& m) { messages.push_back(m.text); });
  Scramble(calc);
  calc.InitSettings();
  ExpectStartState(calc);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(std::filesystem::is_regular_file("results.log"));
  EXPECT_TRUE(std::filesystem::is_regular_file("resultsf.log"));
  EXPECT_EQ(std::filesystem::file_size("results.log"), 0u);
  EXPECT_EQ(std::filesystem::file_size("resultsf.log"), 0u);
}

TEST(Calculator, InitSettingsKeepsExistingLogs) {
  ScratchDir dir;
  std::ofstream("results.log", std::ios::binary) << "1. line\r\n";
  Calculator calc;
  calc.InitSettings();
  EXPECT_EQ(std::filesystem::file_size("results.log"), 9u);
  EXPECT_EQ(std::filesystem::file_size("resultsf.log"), 0u);
}

TEST(Calculator, LogThatCannotBeCreatedIsReportedAndStartUpGoesOn) {
  ScratchDir dir;
  std::filesystem::create_directory("results.log");
  Calculator calc;
  std::vector<std::string> messages;
  calc.SetReporter([&](const RuntimeMessage& m) { messages.push_back(m.text); });
  Scramble(calc);
  calc.InitSettings();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "I/O error " + std::to_string(EISDIR));
  EXPECT_TRUE(std::filesystem::is_regular_file("resultsf.log"));
  ExpectStartState(calc);
}

TEST(Calculator, CaptionsAndClose) {
  ScratchDir dir;
  Calculator calc;
  EXPECT_EQ(ResultsCaption(RunCounters{3, 2417, 1}), "Results: ( RN / CN = 3 / 2417 )");
  // Past two thousand million: "Clear at RN >" unticked runs that far.
  EXPECT_EQ(ResultsCaption(RunCounters{2147483648, 2147483649, 0}),
            "Results: ( RN / CN = 2147483648 / 2147483649 )");
  std::ofstream("variants") << "x\r\n";
  calc.Close();
  EXPECT_FALSE(std::filesystem::exists("variants"));
  std::vector<std::string> messages;
  calc.SetReporter([&](const RuntimeMessage& m) { messages.push_back(m.text); });
  calc.Close();  // nothing to delete, nothing to report
  EXPECT_TRUE(messages.empty());
}

// The notation switched between batches of a search: the batches before and
// after it both hold the task's cards where the task puts them.
TEST(Calculator, NotationSwitchMovesTheTaskWithTheDeck) {
  ScratchDir dir;
  Calculator calc;
  calc.SetSeed(7);
  calc.editor.LoadTaskText("Ad 7s ** Kc ");
  auto firstResult = [&calc] {
    for (int batch = 0; batch < 200; ++batch) {
      if (calc.RunBatch() == BatchOutcome::Result) return calc.LastBlock().lines[0];
    }
    return std::string("no result");
  };
  const std::string en = firstResult();
  EXPECT_EQ(en.substr(en.find(". ") + 2, 6), "Ad 7s ");
  EXPECT_EQ(en.substr(en.size() - 3), "Kc ");
  ASSERT_TRUE(calc.editor.VariantsReady());

  // A half-typed name changes nothing, not even the drawn variant.
  EXPECT_FALSE(calc.SelectNotation("R"));
  EXPECT_TRUE(calc.editor.VariantsReady());
  EXPECT_EQ(calc.editor.Text(), "Ad 7s ** Kc ");

  EXPECT_TRUE(calc.SelectNotation("Ru"));
  EXPECT_EQ(calc.editor.Text(), Ru("Тб 7п ** Кк "));
  EXPECT_EQ(calc.editor.Caption(34), Ru("Тб"));
  EXPECT_FALSE(calc.editor.Enabled(34));
  EXPECT_FALSE(calc.editor.VariantsReady());  // drawn again, in the new letters
  const std::string ru = firstResult();
  EXPECT_EQ(ru.substr(ru.find(". ") + 2, 6), Ru("Тб 7п "));
  EXPECT_EQ(ru.substr(ru.size() - 3), Ru("Кк "));

  // The notation in force again: nothing to redo.
  EXPECT_FALSE(calc.SelectNotation("Ru"));
  EXPECT_TRUE(calc.editor.VariantsReady());
}

}  // namespace
}  // namespace zlc
