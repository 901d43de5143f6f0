#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "analysis/result_record.h"
#include "calculator/result_file.h"
#include "cards/notation.h"
#include "engine/layout.h"
#include "engine/settings.h"

namespace zlc {
namespace {

// The starting deck of the En notation converges.
const std::string kDeck(kEnBaseDeck);
const char* const kStuck =
    "Jd 8d Js Xc 6d 8h Xd Kd 7s Ac 9c Qc 7h 7d 9s Xs 9d Xh 6h Jh Kc Qs Ks Ad Qh Ah 6s 7c 8s 6c 8c 9h Jc As Kh Qd";

NotationSet En() {
  NotationSet en;
  SetNotation(en, static_cast<int>(Notation::En));
  return en;
}

// The block the search writes for the layout of `spaced` (En letters).
struct Written {
  ResultRecord record;
  ResultBlock block;
};
Written WriteBlock(const std::string& spaced, std::int64_t rn, const Settings& settings) {
  std::string cards;
  for (char c : spaced) {
    if (c != ' ') cards += c;
  }
  Layout layout;
  BindLayout(layout, cards.data(), cards.size());
  Chain work;
  ClassifyElements(layout, work);
  Written w;
  RecordLayout(w.record, layout, En());
  w.record.rn = rn;
  AppendLayoutLine(w.block.lines[0], w.record, settings);
  AppendAnalysisLines(w.block.lines[1], w.block.lines[2], w.record, FiguresOf(w.record));
  return w;
}

void ExpectSameFacts(const ResultRecord& read, const ResultRecord& written) {
  EXPECT_EQ(read.rn, written.rn);
  EXPECT_EQ(read.staticMask, written.staticMask);
  EXPECT_EQ(read.transitMask, written.transitMask);
  for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(read.suitLines[s], written.suitLines[s]) << s;
}

// A saved block reads back as the result it was, whatever marks line 1
// carries and whichever notation is in force; the file's lines are kept.
TEST(ResultFile, SavedBlockReadsBackWithItsFacts) {
  for (int marks = 0; marks < 3; ++marks) {
    Settings settings;
    settings.markTransits = 1;
    settings.staticMarkMode = static_cast<StaticMarks>(marks);
    settings.deleteSpaces = marks == 1;
    const Written w = WriteBlock(kDeck, 1234, settings);
    const std::vector<std::string> lines = {w.block.lines[0], w.block.lines[1], w.block.lines[2]};
    for (const NotationSet& notation : {En(), NotationSet{}}) {
      const ResultFileReading r = ReadResultBlock(lines, notation);
      ASSERT_EQ(r.fault, ResultFileFault::None) << w.block.lines[0];
      ExpectSameFacts(r.record, w.record);
      EXPECT_EQ(r.record.number, 0u);
      EXPECT_EQ(std::string(r.record.rankLetters, kRankCount), notation.rankLetters);
      for (int j = 0; j < 3; ++j) EXPECT_EQ(r.block.lines[j], w.block.lines[j]);
    }
  }
}

// Lines before the block are passed over; a line 1 alone gets lines 2 and
// 3 worked out again, as the search wrote them.
TEST(ResultFile, LineOneAloneGetsItsFiguresAgain) {
  const Written w = WriteBlock(kDeck, 7, Settings{});
  const ResultFileReading r = ReadResultBlock({"", "  notes", w.block.lines[0], "8. later"}, En());
  ASSERT_EQ(r.fault, ResultFileFault::None);
  ExpectSameFacts(r.record, w.record);
  EXPECT_EQ(r.block.lines[1], w.block.lines[1]);
  EXPECT_EQ(r.block.lines[2], w.block.lines[2]);
}

TEST(ResultFile, WhatIsNoResultSaysWhy) {
  EXPECT_EQ(ReadResultBlock({}, En()).fault, ResultFileFault::NoResultLine);
  EXPECT_EQ(ReadResultBlock({"   HB:(=/=/=/=/=/=)"}, En()).fault, ResultFileFault::NoResultLine);
  const ResultFileReading twice = ReadResultBlock({"1. 6s 7s 6s"}, En());
  EXPECT_EQ(twice.fault, ResultFileFault::NotCards);
  EXPECT_EQ(twice.cards.why, CardRowFault::Why::RepeatedCard);
  const ResultFileReading short_ = ReadResultBlock({"1. 6s 7s 8s"}, En());
  EXPECT_EQ(short_.fault, ResultFileFault::NotFullDeck);
  EXPECT_EQ(short_.cardCount, 3);
  EXPECT_EQ(ReadResultBlock({std::string("2. ") + kStuck}, En()).fault, ResultFileFault::NoCollapse);
}

TEST(ResultFile, ReadsTheFirstBlockOfAFile) {
  const std::string path = ::testing::TempDir() + "result_file_test.txt";
  const Written newer = WriteBlock(kDeck, 2, Settings{});
  {
    std::ofstream out(path, std::ios::binary);
    for (int repeat = 0; repeat < 2; ++repeat) {
      for (const std::string& line : newer.block.lines) out << line << "\r\n";
    }
  }
  ResultFileReading r;
  EXPECT_FALSE(ReadResultFile(path, En(), r));
  EXPECT_EQ(r.fault, ResultFileFault::None);
  ExpectSameFacts(r.record, newer.record);
  EXPECT_EQ(r.block.lines[2], newer.block.lines[2]);
  std::remove(path.c_str());
  EXPECT_TRUE(ReadResultFile(path, En(), r));
}

}  // namespace
}  // namespace zlc
