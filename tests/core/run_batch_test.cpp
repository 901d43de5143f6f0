#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "engine/plain_try.h"
#include "ru_text.h"
#include "file_size_limit.h"
#include "scratch_dir.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::ReadBytes;

// The starting order in En letters: a complete task that converges.
const std::string kDeck =
    "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
    "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ";
// The same cards backwards: a complete task that never converges.
const std::string kReversedDeck =
    "9d Ac 6d Qc 8d Qd Qh Kd 9h 8h Xd Kh Jd Xc Xs 9s 7h 7d Jc Qs As Jh 6c 6h "
    "Js 8c 7c Xh 8s 6s Ks 9c Ah Kc 7s Ad ";

std::string LogText(const std::vector<ResultBlock>& blocks) {
  std::string out;
  for (const ResultBlock& block : blocks)
    for (const std::string& line : block.lines) out += line + "\r\n";
  return out;
}

class RunBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calc.SetReporter([this](const RuntimeMessage& m) { messages.push_back(m.text); });
    calc.ResetSettings();
    calc.SetSeed(2024);
  }
  void Load(const std::string& task) {
    calc.editor.LoadTaskText(task);
    ASSERT_EQ(calc.editor.Text(), task);
  }

  ScratchDir dir;
  Calculator calc;
  std::vector<std::string> messages;
};

// A deck that is no full deck of the notation's letters (here the last
// card repeats the first) is searched by the plain loop: each batch is the
// plain tries at the depth in force, from the deck's order, try for try.
TEST_F(RunBatchTest, ADeckOfRepeatedCardsIsSearchedByThePlainTries) {
  Load("** ");
  calc.settings.shuffleDepth = 10;
  calc.notation.baseDeck = calc.notation.baseDeck.substr(0, calc.notation.baseDeck.size() - 3) +
                           calc.notation.baseDeck.substr(0, 3);
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);  // the variants drawn
  const std::string deck = StripSpaces(calc.notation.baseDeck);
  int results = 0;
  for (int b = 0; b < 40; ++b) {
    Random random = calc.Generator();
    Layout layout;
    Chain work;
    BindLayout(layout, deck.data(), deck.size());
    int tries = 0;
    bool converged = false;
    while (tries < kMaxTries && !converged) {
      ++tries;
      converged = PlainTry(layout, calc.SearchPlan(), 10, random, work);
    }
    const std::int64_t before = calc.Counters().cn;
    const BatchOutcome outcome = calc.RunBatch();
    ASSERT_EQ(outcome, converged ? BatchOutcome::Result : BatchOutcome::NoResult) << b;
    ASSERT_EQ(calc.Counters().cn - before, tries) << b;
    for (int i = 0; i < kDeckSize; ++i) {
      ASSERT_EQ(calc.SearchLayout().chain.cards[i].rankLetter, layout.chain.cards[i].rankLetter) << b;
      ASSERT_EQ(calc.SearchLayout().chain.cards[i].suitLetter, layout.chain.cards[i].suitLetter) << b;
    }
    results += converged ? 1 : 0;
  }
  EXPECT_GT(results, 0);
}

TEST_F(RunBatchTest, ConvergingCompleteTaskGivesOneResultPerBatch) {
  Load(kDeck);
  ASSERT_TRUE(calc.editor.TaskComplete());
  for (int b = 1; b <= 4; ++b) {
    ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
    EXPECT_EQ(calc.Counters().rn, b);
    EXPECT_EQ(calc.Counters().cn, b);
    EXPECT_EQ(calc.ResultsCaption(),
              "Results: ( RN / CN = " + std::to_string(b) + " / " + std::to_string(b) + " )");
    ASSERT_EQ(calc.Lists().All().Size(), 3u * b);
    // Nothing marked: the number, ". " and the cards of the task in order.
    EXPECT_EQ(calc.Lists().All().Line(0), std::to_string(b) + ". " + kDeck);
    EXPECT_EQ(calc.Lists().All().Line(1)[0], ' ');
    EXPECT_EQ(calc.Lists().All().Line(2)[0], ' ');
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, NonConvergingCompleteTaskOnlyCountsTries) {
  Load(kReversedDeck);
  for (int b = 1; b <= 3; ++b) {
    ASSERT_EQ(calc.RunBatch(), BatchOutcome::NoResult);
    EXPECT_EQ(calc.Counters().cn, 1000 * b);
    EXPECT_EQ(calc.Counters().rn, 0);
    EXPECT_EQ(calc.Counters().filtered, 0);
    EXPECT_TRUE(calc.Lists().All().Empty());
    EXPECT_TRUE(calc.Lists().Filtered().Empty());
  }
  EXPECT_EQ(calc.ResultsCaption(), "Results: ( RN / CN = 0 / 3000 )");
  EXPECT_FALSE(calc.BatchBusy());
}

TEST_F(RunBatchTest, ResultPastTheThresholdIsLoggedThenEverythingCleared) {
  Load(kDeck);
  calc.settings.clearThreshold = 3;
  calc.settings.autosaveAll = true;
  calc.settings.autosaveFiltered = true;
  ASSERT_TRUE(calc.OpenLogs());
  std::vector<ResultBlock> blocks;
  for (int b = 1; b <= 3; ++b) {
    ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
    blocks.push_back(calc.LastBlock());
    EXPECT_EQ(calc.Counters().rn, b);
  }
  EXPECT_EQ(calc.Lists().All().Size(), 9u);

  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  blocks.push_back(calc.LastBlock());
  EXPECT_EQ(calc.LastBlock().lines[0].rfind("4. ", 0), 0u);
  EXPECT_TRUE(calc.Lists().All().Empty());
  EXPECT_TRUE(calc.Lists().Filtered().Empty());
  EXPECT_EQ(calc.ResultsCaption(), "Results: ( RN / CN = 0 / 0 )");
  EXPECT_EQ(calc.FilteredCaption(), "Filtered: 0");

  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  blocks.push_back(calc.LastBlock());
  EXPECT_EQ(calc.Lists().All().Line(0), "1. " + kDeck);
  EXPECT_EQ(calc.ResultsCaption(), "Results: ( RN / CN = 1 / 1 )");
  EXPECT_EQ(calc.FilteredCaption(), "Filtered: 1");
  calc.CloseLogs();

  // The cleared result stays in both logs.
  EXPECT_EQ(ReadBytes("results.log"), LogText(blocks));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText(blocks));
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, NegativeThresholdClearsAfterEveryResult) {
  Load(kDeck);
  calc.settings.clearThreshold = -1;
  for (int b = 1; b <= 3; ++b) {
    ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
    EXPECT_EQ(calc.LastBlock().lines[0], "1. " + kDeck);
    EXPECT_TRUE(calc.Lists().All().Empty());
    EXPECT_EQ(calc.ResultsCaption(), "Results: ( RN / CN = 0 / 0 )");
  }
  EXPECT_EQ(calc.Totals().results, 3u);
}

// A depth of 0 or less makes no transpositions: every try is the task's
// cards put on the base deck, and nothing else.
TEST_F(RunBatchTest, DepthOfZeroOrLessGivesTheTaskPlacedOnTheBaseDeck) {
  // Kc goes to the front in Ad's place, Ad to the end in 9d's place, and
  // 9d to where Kc was.
  const std::string placed =
      "Kc 7s 9d Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
      "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac Ad ";
  std::vector<std::int64_t> tries;
  for (std::int32_t depth : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
    calc.ResetSettings();
    calc.ClearResults();
    calc.SetSeed(2024);
    calc.settings.shuffleDepth = depth;
    Load("Kc ** Ad ");
    for (int b = 0; b < 3; ++b) {
      ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
      std::string text;
      for (const ChainEntry& card : calc.SearchLayout().chain.cards) {
        text += std::string{card.rankLetter, card.suitLetter} + " ";
      }
      EXPECT_EQ(text, placed) << "depth " << depth;
    }
    tries.push_back(calc.Counters().cn);
  }
  EXPECT_EQ(tries[0], tries[1]);
  EXPECT_EQ(tries[0], tries[2]);
}

TEST_F(RunBatchTest, UntickedClearingNeverClears) {
  Load(kDeck);
  calc.settings.clearThreshold = 3;
  calc.settings.clearAtRn = false;
  for (int b = 1; b <= 10; ++b) ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_EQ(calc.Counters().rn, 10);
  EXPECT_EQ(calc.Lists().All().Size(), 30u);
  EXPECT_EQ(calc.Lists().Filtered().Size(), 30u);
  EXPECT_EQ(calc.Lists().All().Line(0).rfind("10. ", 0), 0u);
}

// Random layouts against a filter that wants the ace of diamonds static.
// With static elements marked by "!", a block passes exactly when line 1
// shows that ace with the mark.
TEST_F(RunBatchTest, ListsAndLogsReceiveTheBlocksInTheirOrder) {
  Load("** ");  // no letters: the start-up notation Ru stays
  calc.settings.staticMarkMode = zlc::StaticMarks::Exclaim;
  calc.settings.autosaveAll = true;
  calc.settings.autosaveFiltered = true;
  calc.filter.elementGrid[1][8] = ElementState::Static;
  const std::string markedAce = Ru("Тб!");
  ASSERT_TRUE(calc.OpenLogs());

  std::vector<ResultBlock> all, passed;
  while (all.size() < 40) {
    const BatchOutcome outcome = calc.RunBatch();
    ASSERT_NE(outcome, BatchOutcome::Failed);
    if (outcome != BatchOutcome::Result) continue;
    const ResultBlock& block = calc.LastBlock();
    const int rn = static_cast<int>(all.size()) + 1;
    ASSERT_EQ(calc.Counters().rn, rn);
    ASSERT_EQ(block.lines[0].rfind(std::to_string(rn) + ". ", 0), 0u);
    const bool passes = block.lines[0].find(markedAce) != std::string::npos;
    EXPECT_EQ(calc.LastPassed(), passes) << block.lines[0];
    // The newest block is on top of "All", and of "Filtered" when it passed.
    for (int j = 0; j < 3; ++j) EXPECT_EQ(calc.Lists().All().Line(j), block.lines[j]);
    if (passes) {
      for (int j = 0; j < 3; ++j) EXPECT_EQ(calc.Lists().Filtered().Line(j), block.lines[j]);
      passed.push_back(block);
    }
    all.push_back(block);
  }
  calc.CloseLogs();
  ASSERT_FALSE(passed.empty());
  ASSERT_LT(passed.size(), all.size());

  EXPECT_EQ(calc.Counters().filtered, static_cast<int>(passed.size()));
  EXPECT_EQ(calc.FilteredCaption(), "Filtered: " + std::to_string(passed.size()));
  // Lists newest first; logs oldest first.
  ASSERT_EQ(calc.Lists().All().Size(), 3 * all.size());
  for (std::size_t i = 0; i < all.size(); ++i)
    for (int j = 0; j < 3; ++j)
      EXPECT_EQ(calc.Lists().All().Line(3 * i + j), all[all.size() - 1 - i].lines[j]);
  ASSERT_EQ(calc.Lists().Filtered().Size(), 3 * passed.size());
  for (std::size_t i = 0; i < passed.size(); ++i)
    for (int j = 0; j < 3; ++j)
      EXPECT_EQ(calc.Lists().Filtered().Line(3 * i + j), passed[passed.size() - 1 - i].lines[j]);
  EXPECT_EQ(ReadBytes("results.log"), LogText(all));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText(passed));
}

TEST_F(RunBatchTest, OnlyTheTickedLogsAreOpened) {
  Load(kDeck);
  calc.settings.autosaveAll = false;
  calc.settings.autosaveFiltered = true;
  ASSERT_TRUE(calc.OpenLogs());
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  const ResultBlock first = calc.LastBlock();
  calc.CloseLogs();
  EXPECT_FALSE(std::filesystem::exists("results.log"));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText({first}));

  calc.settings.autosaveAll = true;
  calc.settings.autosaveFiltered = false;
  ASSERT_TRUE(calc.OpenLogs());
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  const ResultBlock second = calc.LastBlock();
  calc.CloseLogs();
  EXPECT_EQ(ReadBytes("results.log"), LogText({second}));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText({first}));

  // Without OpenLogs nothing is written, whatever the boxes say.
  calc.settings.autosaveFiltered = true;
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_EQ(ReadBytes("results.log"), LogText({second}));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText({first}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, LogsAreAppendedToAndNeverTruncated) {
  std::ofstream("results.log", std::ios::binary) << "old all\r\n";
  std::ofstream("resultsf.log", std::ios::binary) << "old filtered\r\n";
  Load(kDeck);
  calc.settings.autosaveAll = true;
  std::vector<ResultBlock> blocks;
  for (int step = 0; step < 3; ++step) {  // three steps: open, batch, close
    ASSERT_TRUE(calc.OpenLogs());
    ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
    blocks.push_back(calc.LastBlock());
    calc.CloseLogs();
  }
  EXPECT_EQ(ReadBytes("results.log"), "old all\r\n" + LogText(blocks));
  EXPECT_EQ(ReadBytes("resultsf.log"), "old filtered\r\n" + LogText(blocks));
}

TEST_F(RunBatchTest, LogThatCannotBeOpenedIsReportedOnce) {
  std::filesystem::create_directory("results.log");
  Load(kDeck);
  calc.settings.autosaveAll = true;
  calc.settings.autosaveFiltered = true;
  EXPECT_FALSE(calc.OpenLogs());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "I/O error " + std::to_string(EISDIR));
  // No log is left open: a batch now writes nowhere.
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_EQ(ReadBytes("resultsf.log"), "");

  // A log whose box is not ticked is not opened, so its path does not matter.
  messages.clear();
  calc.settings.autosaveAll = false;
  EXPECT_TRUE(calc.OpenLogs());
  calc.CloseLogs();
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, FilteredLogThatCannotBeOpenedClosesTheOther) {
  std::filesystem::create_directory("resultsf.log");
  Load(kDeck);
  calc.settings.autosaveAll = true;
  EXPECT_FALSE(calc.OpenLogs());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "I/O error " + std::to_string(EISDIR));
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_EQ(ReadBytes("results.log"), "");
}

// A log that is this close to the size limit below takes part of the next
// block and then fails, as on a disk that fills up.
constexpr std::size_t kRoomLeft = 100;
constexpr std::uint64_t kLimit = 4096;
void NearlyFull(const std::string& path) {
  std::ofstream(path, std::ios::binary) << std::string(kLimit - kRoomLeft, 'x');
}

TEST_F(RunBatchTest, FilteredLogIsWrittenBeforeTheResultsLog) {
  // The results log cannot take the block; the filtered one, written first,
  // already has it.
  Load(kDeck);
  calc.settings.autosaveAll = true;
  NearlyFull("results.log");
  ASSERT_TRUE(calc.OpenLogs());
  {
    FileSizeLimit full(kLimit);
    EXPECT_EQ(calc.RunBatch(), BatchOutcome::Failed);
  }
  calc.CloseLogs();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "I/O error " + std::to_string(EFBIG));
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText({calc.LastBlock()}));
  EXPECT_FALSE(calc.BatchBusy());
}

TEST_F(RunBatchTest, WriteFailureEndsTheBatchAndTheNextOneRuns) {
  Load(kDeck);
  NearlyFull("resultsf.log");
  ASSERT_TRUE(calc.OpenLogs());
  {
    FileSizeLimit full(kLimit);
    EXPECT_EQ(calc.RunBatch(), BatchOutcome::Failed);
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "I/O error " + std::to_string(EFBIG));
  EXPECT_FALSE(calc.BatchBusy());
  calc.CloseLogs();
  messages.clear();
  EXPECT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_TRUE(messages.empty());
}

// A block the disk took only part of is cut off again: the log keeps whole
// blocks, and the first block after space came back starts a line of its own.
TEST_F(RunBatchTest, ABlockThatDoesNotFitLeavesNoTornLine) {
  Load(kDeck);
  NearlyFull("resultsf.log");
  const std::string before = ReadBytes("resultsf.log");
  ASSERT_TRUE(calc.OpenLogs());
  {
    FileSizeLimit full(kLimit);
    EXPECT_EQ(calc.RunBatch(), BatchOutcome::Failed);
    EXPECT_EQ(ReadBytes("resultsf.log"), before);
  }
  EXPECT_EQ(calc.RunBatch(), BatchOutcome::Result);  // room again
  calc.CloseLogs();
  EXPECT_EQ(ReadBytes("resultsf.log"), before + LogText({calc.LastBlock()}));
}

// Logs written once a slice: the slice's blocks go out together, in the
// order they were found; a log deleted meanwhile is made again first; a
// disk that takes only part of them keeps the whole blocks it took, and the
// run stops.
TEST_F(RunBatchTest, LogsWrittenOncePerSliceKeepWholeBlocks) {
  Load(kDeck);
  calc.settings.autosaveAll = true;
  ASSERT_TRUE(calc.StartRun());
  std::vector<ResultBlock> slice;
  auto results = [&](std::size_t count) {
    return [&, count](BatchOutcome outcome) {
      EXPECT_EQ(ReadBytes("resultsf.log"), LogText({}));  // not before the slice ends
      if (outcome == BatchOutcome::Result) slice.push_back(calc.LastBlock());
      return slice.size() < count;
    };
  };
  const auto far = Calculator::SliceClock::time_point::max();
  Calculator::SliceReport report = calc.RunSlice(far, results(3));
  EXPECT_EQ(report.batches, 3);
  EXPECT_FALSE(report.failed);
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText(slice));
  EXPECT_EQ(ReadBytes("results.log"), LogText(slice));

  // Deleted by the user between two slices: the next slice is not lost.
  std::filesystem::remove("resultsf.log");
  slice.clear();
  EXPECT_FALSE(calc.RunSlice(far, results(1)).failed);
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText(slice));

  // A slice ends at its deadline, after at least one batch.
  EXPECT_EQ(calc.RunSlice(Calculator::SliceClock::now()).batches, 1);

  // Room for one block and a half: the whole first block stays, the torn
  // second one goes, the failure is told once and the run is over.
  std::filesystem::remove("resultsf.log");
  slice.clear();
  const std::size_t blockSize = LogText({calc.LastBlock()}).size();
  {
    FileSizeLimit full(blockSize + blockSize / 2);
    report = calc.RunSlice(far, results(2));
  }
  EXPECT_TRUE(report.failed);
  EXPECT_FALSE(calc.Running());
  EXPECT_EQ(ReadBytes("resultsf.log"), LogText({slice[0]}));
  EXPECT_EQ(messages, std::vector<std::string>{"I/O error " + std::to_string(EFBIG)});
  calc.StopRun();
  EXPECT_EQ(messages.size(), 1u);  // nothing left to write, nothing more to tell
}

// A list past its share of the memory budget forgets its oldest blocks: it
// stays within the share, keeps whole blocks with the newest on top, and the
// other list forgets on its own.
TEST_F(RunBatchTest, ListsStayWithinTheirMemoryBudget) {
  // Random results of the single gap, their lines of many lengths, so that
  // the text's chunks end anywhere within a block.
  Load("** ");
  calc.settings.shuffleDepth = 10;
  calc.settings.clearAtRn = false;
  calc.settings.markTransits = 1;
  calc.settings.staticMarkMode = zlc::StaticMarks::Exclaim;
  calc.filter.lfEnabled = 1;  // only some results pass
  calc.filter.lfThreshold = 14;
  calc.Lists().SetBudget(6u << 20);  // 3 MB a list
  const std::size_t share = calc.Lists().Budget() / 2;
  int results = 0;
  // At every moment, not only at the end: the chunks of the lines' slots
  // and records must not hold the list past its share.
  std::size_t most = 0;
  while (results < 30000) {
    results += calc.RunBatch() == BatchOutcome::Result ? 1 : 0;
    most = std::max(most, calc.Lists().AllBytes());
  }

  EXPECT_LE(most, share);
  EXPECT_GT(calc.Lists().DroppedLines(), 0u);
  EXPECT_LE(calc.Lists().AllBytes(), share);
  EXPECT_LE(calc.Lists().FilteredBytes(), share);
  EXPECT_LT(calc.Lists().All().Size(), 3u * 30000);
  EXPECT_EQ(calc.Lists().All().Size() % 3, 0u);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(calc.Lists().All().Line(static_cast<std::size_t>(j)), calc.LastBlock().lines[j]);
  // The oldest block kept is whole and can be picked as any other.
  const std::size_t oldest = calc.Lists().All().Size() - 1;
  ResultBlock block;
  ASSERT_TRUE(calc.Lists().All().BlockAt(oldest, block));
  EXPECT_EQ(calc.Lists().All().BlockStart(oldest), static_cast<std::ptrdiff_t>(oldest - 2));
  const std::int64_t rn = calc.Lists().All().RecordOfLine(oldest).rn;
  EXPECT_EQ(rn, 30000 - static_cast<long long>(oldest / 3));
  EXPECT_TRUE(block.lines[0].starts_with(std::to_string(rn) + ". "));
  // Every kept line is whole text of a whole block (a line whose text went
  // with a freed chunk would not read back), and a list forgets no more than
  // its store let go, but for the rest of one block.
  for (const auto* kept : {&calc.Lists().All(), &calc.Lists().Filtered()}) {
    ASSERT_EQ(kept->Size() % 3, 0u);
    for (std::size_t i = 0; i < kept->Size(); ++i) {
      const std::string_view line = kept->Line(i);
      ASSERT_FALSE(line.empty());
      ASSERT_EQ(i % 3 == 0, line[0] >= '1' && line[0] <= '9') << i << ": " << line;
    }
  }
  EXPECT_LE(calc.Lists().AllText().Lines() - calc.Lists().All().Size(), 2u);
  EXPECT_LE(calc.Lists().FilteredText().Lines() - calc.Lists().Filtered().Size(), 2u);

  // Clearing gives the whole budget back; the next block is there alone.
  calc.ClearResults();
  EXPECT_EQ(calc.Lists().AllText().Bytes(), 0u);
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  EXPECT_EQ(calc.Lists().All().Size(), 3u);
}

TEST_F(RunBatchTest, SliceCalledFromInsideASliceRunsNothing) {
  // A message shown during a slice may let the timer call in again.
  Load(kDeck);
  std::vector<Calculator::SliceReport> nested;
  const auto far = Calculator::SliceClock::time_point::max();
  const Calculator::SliceReport outer = calc.RunSlice(far, [&](BatchOutcome) {
    nested.push_back(calc.RunSlice(far));
    EXPECT_TRUE(calc.BatchBusy() == false);
    return false;
  });
  EXPECT_EQ(outer.batches, 1);
  ASSERT_EQ(nested.size(), 1u);
  EXPECT_EQ(nested[0].batches, 0);
  EXPECT_EQ(calc.Counters().rn, 1);
}

TEST_F(RunBatchTest, BatchCalledFromInsideABatchIsRefused) {
  // A message shown during a batch may let the timer call in again.
  Load(kDeck);
  NearlyFull("resultsf.log");
  std::vector<BatchOutcome> nested;
  calc.SetReporter([&](const RuntimeMessage&) { nested.push_back(calc.RunBatch()); });
  ASSERT_TRUE(calc.OpenLogs());
  {
    FileSizeLimit full(kLimit);
    EXPECT_EQ(calc.RunBatch(), BatchOutcome::Failed);
  }
  calc.CloseLogs();
  ASSERT_EQ(nested.size(), 1u);
  EXPECT_EQ(nested[0], BatchOutcome::Busy);
  EXPECT_EQ(calc.Counters().rn, 1);
  EXPECT_EQ(calc.Counters().cn, 1);
  EXPECT_FALSE(calc.BatchBusy());
}

struct CountingProgress : EnumerationProgress {
  int shows = 0, closes = 0;
  void Show() override { ++shows; }
  void SetRange(std::int32_t) override {}
  void Step() override {}
  void Close() override { ++closes; }
};

TEST_F(RunBatchTest, VariantsAreEnumeratedOncePerTask) {
  CountingProgress progress;
  calc.SetProgress(&progress);
  Load("Ad ** 7s ** Kc ");
  calc.settings.shuffleDepth = 10;
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_TRUE(calc.editor.VariantsReady());
  EXPECT_EQ(calc.editor.ShownVariants(), 34);
  EXPECT_EQ(progress.shows, 1);
  EXPECT_EQ(progress.closes, 1);
  // With "One" the drawn variant stays: the file is neither written nor read.
  std::filesystem::remove("variants");
  for (int b = 0; b < 3; ++b) ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_EQ(progress.shows, 1);
  EXPECT_FALSE(std::filesystem::exists("variants"));
  // "Many" draws at every batch, from the enumeration order itself: the
  // scratch file is not read again.
  calc.filter.resultVariants = ResultVariants::Many;
  const int cn = calc.Counters().cn;
  EXPECT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_TRUE(messages.empty());
  EXPECT_GT(calc.Counters().cn, cn);
  EXPECT_FALSE(calc.BatchBusy());
  // A new task enumerates again.
  messages.clear();
  Load("Ad ** 7s ** Kc ** 9d ");
  EXPECT_FALSE(calc.editor.VariantsReady());
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_EQ(calc.editor.ShownVariants(), 561);
  EXPECT_EQ(progress.shows, 2);
  EXPECT_EQ(progress.closes, 2);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, DamagedVariantsFileDoesNotDisturbMany) {
  Load("Ad ** 7s ** Kc ");
  calc.filter.resultVariants = ResultVariants::Many;
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  {
    std::ofstream out("variants", std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 34; ++i) out << "0 0 1 1 99 1 2 35 1 \r\n";
  }
  for (int b = 0; b < 20; ++b) {
    ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
    EXPECT_EQ(calc.SearchPlan().items[0].target, 0);   // Ad first
    EXPECT_GE(calc.SearchPlan().items[1].target, 1);   // 7s anywhere between
    EXPECT_LE(calc.SearchPlan().items[1].target, 34);
    EXPECT_EQ(calc.SearchPlan().items[2].target, 35);  // Kc last
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RunBatchTest, EnumerationFailureIsReportedAndRetried) {
  CountingProgress progress;
  calc.SetProgress(&progress);
  calc.SetPaths(FilePaths{.variants = "no_such_folder/variants"});
  Load("Ad ** 7s ** Kc ");
  EXPECT_EQ(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(progress.closes, progress.shows);
  EXPECT_FALSE(calc.BatchBusy());
  EXPECT_FALSE(calc.editor.VariantsReady());
  EXPECT_EQ(calc.Counters().cn, 0);
  calc.SetPaths(FilePaths{.variants = "variants"});
  EXPECT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_TRUE(calc.editor.VariantsReady());
}

}  // namespace
}  // namespace zlc

namespace zlc {
namespace {

// Eighteen cards with a gap between every two, and at both ends when asked.
std::string EighteenCards(bool gapsAtTheEnds) {
  const std::string ranks = "6789XJQKA";
  std::string task = gapsAtTheEnds ? "** " : "";
  for (int c = 0; c < 18; ++c) {
    task += std::string{ranks[c % 9], "sdch"[c / 9], ' '};
    if (c < 17 || gapsAtTheEnds) task += "** ";
  }
  return task;
}

class HugeTaskTest : public RunBatchTest {
 protected:
  void ExpectValidTargets() {
    std::int32_t last = -1;
    for (std::int32_t i = 0; i < calc.SearchPlan().itemCount; ++i) {
      const std::int32_t t = calc.SearchPlan().items[i].target;
      EXPECT_GT(t, last);  // in task order, distinct
      EXPECT_LT(t, kDeckSize);
      last = t;
    }
  }
};

TEST_F(HugeTaskTest, BeyondOneDrawNoFileAndADirectDraw) {
  std::ofstream("variants") << "a file of another task\r\n";
  Load(EighteenCards(true));  // C(36, 18) variants
  calc.filter.resultVariants = ResultVariants::Many;
  const auto began = std::chrono::steady_clock::now();
  for (int b = 0; b < 20; ++b) {
    ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
    ExpectValidTargets();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
  EXPECT_EQ(calc.editor.ShownVariants(), 9075135300);
  EXPECT_FALSE(std::filesystem::exists("variants"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(HugeTaskTest, WithinOneDrawTheDrawIsTheLineTheFileWouldGive) {
  Load(EighteenCards(false));  // C(34, 16): more than a file takes, fewer than 2^32
  Random copy = calc.Generator();
  ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
  EXPECT_EQ(calc.editor.ShownVariants(), 2203961430);
  std::int32_t starts[kMaxRuns] = {};
  VariantStarts(calc.SearchPlan(), copy.Next(2203961430u), starts);
  for (std::int32_t i = 0; i < calc.SearchPlan().itemCount; ++i) {
    const TaskItem& item = calc.SearchPlan().items[i];
    EXPECT_EQ(item.target, starts[item.run] + item.offset);
  }
  ExpectValidTargets();
}

}  // namespace
}  // namespace zlc

namespace zlc {
namespace {

TEST_F(RunBatchTest, LogDeletedDuringARunIsCreatedAgain) {
  Load(kDeck);
  ASSERT_TRUE(calc.OpenLogs());  // "filtered" is on by default
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  ASSERT_TRUE(std::filesystem::remove("resultsf.log"));
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  ASSERT_EQ(calc.RunBatch(), BatchOutcome::Result);
  calc.CloseLogs();
  std::ifstream in("resultsf.log", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(text.rfind("2. ", 0), 0u) << text;  // results 2 and 3, nothing lost after the deletion
  EXPECT_NE(text.find("\r\n3. "), std::string::npos);
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace zlc
