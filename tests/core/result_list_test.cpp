// The result lists past their first chunk of line slots: newest block on
// top, blocks found from any line, and a cleared list that fills again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/result_list.h"
#include "calculator/result_lists.h"

namespace zlc {
namespace {

TEST(ResultListTest, OrderAndBlocksAcrossChunks) {
  LineStore store;
  ResultList list;
  constexpr int kBlocks = 30000;  // 90,000 lines: more than one chunk
  for (int b = 1; b <= kBlocks; ++b) {
    const std::string first = std::to_string(b) + ". cards";
    const std::string_view block[3] = {store.Keep(first), store.Keep("   HB"), store.Keep("   P")};
    ResultRecord record;
    record.number = static_cast<std::uint64_t>(b);
    list.AddBlockOnTop(block, record);
  }
  ASSERT_EQ(list.Size(), 3u * kBlocks);
  EXPECT_EQ(list.Line(0), std::to_string(kBlocks) + ". cards");
  EXPECT_EQ(list.Line(2), "   P");
  EXPECT_EQ(list.Line(list.Size() - 3), "1. cards");
  // Every line finds the first line of its block, also where chunks meet.
  for (std::size_t i : {std::size_t{0}, std::size_t{65535}, std::size_t{65536}, std::size_t{89999}}) {
    const std::ptrdiff_t start = list.BlockStart(i);
    ASSERT_GE(start, 0);
    EXPECT_EQ(static_cast<std::size_t>(start), i - i % 3) << i;
  }
  EXPECT_EQ(list.BlockStart(list.Size()), -1);
  // Every line finds its block's record, across the records' chunks too.
  for (std::size_t i = 0; i < list.Size(); i += 997) {
    EXPECT_EQ(list.RecordOfLine(i).number, kBlocks - i / 3) << i;
  }

  // Forgetting the oldest lines forgets their records with them and keeps
  // the rest where they were.
  const std::uint64_t dropped = list.DropOldest(40000);
  EXPECT_EQ(dropped % 3, 0u);
  EXPECT_GE(dropped, 40000u);
  ASSERT_EQ(list.Size(), 3u * kBlocks - dropped);
  EXPECT_EQ(list.RecordOfLine(0).number, static_cast<std::uint64_t>(kBlocks));
  EXPECT_EQ(list.RecordOfLine(list.Size() - 1).number, dropped / 3 + 1);
  EXPECT_EQ(list.Line(list.Size() - 3), std::to_string(dropped / 3 + 1) + ". cards");

  list.Clear();
  EXPECT_TRUE(list.Empty());
  const std::string_view block[3] = {store.Keep("1. again"), store.Keep("b"), store.Keep("c")};
  list.AddBlockOnTop(block);
  EXPECT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.Line(0), "1. again");
  EXPECT_EQ(list.RecordOfLine(1).number, 0u);  // a block without a record
  EXPECT_EQ(list.Line(2), "c");
}

// "Filtered" takes only what passed, each list forgets on its own past its
// half of the budget, whole blocks at a time, and nothing is kept unkept.
TEST(ResultListsTest, FilteredTakesWhatPassedAndEachListForgetsAlone) {
  ResultLists lists;
  lists.SetBudget(std::size_t{6} << 20);
  const std::string cards(200, 'c');
  for (int b = 1; b <= 30000; ++b) {
    ResultBlock block{{std::to_string(b) + ". " + cards, "   HB", "   P"}};
    ResultRecord record;
    record.number = static_cast<std::uint64_t>(b);
    lists.Add(block, record, b % 10 == 0);
  }
  EXPECT_GT(lists.DroppedLines(), 0u);
  EXPECT_LE(lists.AllBytes(), lists.Budget() / 2);
  EXPECT_EQ(lists.All().Size() % 3, 0u);
  EXPECT_EQ(lists.All().Line(0).substr(0, 7), "30000. ");
  EXPECT_EQ(lists.All().RecordOfLine(lists.All().Size() - 1).number, 30000 - lists.All().Size() / 3 + 1);
  // A tenth of the blocks, small enough to be kept whole.
  EXPECT_EQ(lists.Filtered().Size(), 3u * 3000);
  EXPECT_EQ(lists.Filtered().RecordOfLine(lists.Filtered().Size() - 1).number, 10u);
  EXPECT_EQ(&lists.Of(2), &lists.Filtered());
  EXPECT_EQ(&lists.Of(1), &lists.All());

  lists.Clear();
  EXPECT_TRUE(lists.All().Empty());
  EXPECT_TRUE(lists.Filtered().Empty());
  EXPECT_EQ(lists.AllText().Bytes(), 0u);
  lists.SetKept(false);
  lists.Add(ResultBlock{{"1. x", "y", "z"}}, ResultRecord{}, true);
  EXPECT_TRUE(lists.All().Empty());
  EXPECT_TRUE(lists.Filtered().Empty());
}

}  // namespace
}  // namespace zlc
