#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/random.h"
#include "engine/variants.h"
#include "persist/variants_file.h"
#include "file_size_limit.h"
#include "scratch_dir.h"
#include "support/files.h"

namespace zlc {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const std::string kFile = "variants";

TaskPlan PlanOf(const std::string& spaced) {
  TaskPlan plan;
  SplitTask(StripSpaces(spaced), plan);
  return plan;
}

// One line of the scratch file: every number followed by one space, CR LF.
std::string Line(const std::vector<int>& numbers) {
  std::string out;
  for (int n : numbers) out += std::to_string(n) + " ";
  return out + "\r\n";
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < bytes.size()) {
    std::size_t end = bytes.find("\r\n", from);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

std::vector<int> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<int> out;
  for (int n; in >> n;) out.push_back(n);
  return out;
}

struct RecordingProgress : EnumerationProgress {
  int shows = 0, closes = 0, steps = 0;
  std::vector<std::int32_t> ranges;
  void Show() override { ++shows; }
  void SetRange(std::int32_t maximum) override { ranges.push_back(maximum); }
  void Step() override { ++steps; }
  void Close() override { ++closes; }
};

// The generator written out once more, to know which line a draw picks.
std::uint32_t NextDraw(std::uint32_t& seed, std::uint32_t n) {
  seed = seed * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
}

// Binomial coefficients from Pascal's triangle.
std::uint64_t Choose(int n, int k) {
  static const auto table = [] {
    std::vector<std::vector<std::uint64_t>> t(67, std::vector<std::uint64_t>(67, 0));
    for (int i = 0; i < 67; ++i) {
      t[i][0] = 1;
      for (int j = 1; j <= i; ++j) t[i][j] = t[i - 1][j - 1] + t[i - 1][j];
    }
    return t;
  }();
  if (n < 0 || k < 0 || k > n) return 0;
  return table[n][k];
}

// Every variant of the run lengths, written out by sharing the free positions
// among the gaps in order (first gap most significant), without the engine's
// stepping: the starts follow from the shares.
std::string ExpectedFile(const std::vector<int>& lengths) {
  const int g = static_cast<int>(lengths.size()) - 1;
  int total = 0;
  for (int l : lengths) total += l;
  const int free = kDeckSize - total;
  std::string out;
  std::vector<int> shares(g + 1, 0);  // shares[k]: positions of gap k (1..g)
  auto emit = [&] {
    std::vector<int> numbers;
    int before = 0, shared = 0;
    for (int r = 0; r <= g; ++r) {
      if (r > 0) shared += shares[r];
      int start = before + shared;
      if (r == g && lengths[r] > 0) start = kDeckSize - lengths[r];
      if (r == g && lengths[r] == 0) start = before;  // an empty last run stays put
      numbers.insert(numbers.end(), {r, start, lengths[r]});
      before += lengths[r];
    }
    out += Line(numbers);
  };
  if (g == 0) {
    out += Line({0, kDeckSize - lengths[0], lengths[0]});
    return out;
  }
  std::function<void(int, int)> share = [&](int gap, int left) {
    if (gap == g) {
      shares[g] = left;
      emit();
      return;
    }
    for (int s = 0; s <= left; ++s) {
      shares[gap] = s;
      share(gap + 1, left - s);
    }
  };
  share(1, free);
  return out;
}

class VariantsTest : public ::testing::Test {
 protected:
  // Enumerates the task, checks that the count matches the file's lines and
  // the formula, and returns the file.
  std::string Enumerate(const std::string& task, std::int64_t expectedCount) {
    plan = PlanOf(task);
    std::int64_t count = -1;
    progress = RecordingProgress{};
    EXPECT_FALSE(EnumerateVariants(plan, kFile, count, &progress).has_value()) << task;
    EXPECT_EQ(count, expectedCount) << task;
    EXPECT_EQ(CountVariants(plan), expectedCount) << task;
    EXPECT_EQ(progress.shows, 1);
    EXPECT_EQ(progress.closes, 1);
    EXPECT_EQ(progress.ranges.size(), 1u);
    variantCount = count;
    return ReadBytes(kFile);
  }

  ScratchDir dir;
  TaskPlan plan;
  RecordingProgress progress;
  std::int64_t variantCount = 0;
};

TEST_F(VariantsTest, CompleteTaskWithoutGap) {
  const std::string deck{kEnBaseDeck};
  EXPECT_EQ(Enumerate(deck, 1), Line({0, 0, 36}));
  EXPECT_EQ(progress.ranges[0], 36);
  EXPECT_EQ(progress.steps, 0);
  ASSERT_EQ(plan.itemCount, 36);
  EXPECT_EQ(plan.gapCount, 0);
  Random random(77);
  PickVariant(plan, variantCount, random);
  for (int i = 0; i < 36; ++i) {
    EXPECT_EQ(plan.items[i].target, i);
    EXPECT_EQ(std::string(plan.items[i].text, 2), deck.substr(3 * i, 2));
  }
}

TEST_F(VariantsTest, GapAlone) {
  EXPECT_EQ(Enumerate("** ", 1), Line({0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(plan.itemCount, 0);
  EXPECT_EQ(plan.gapCount, 1);
  EXPECT_EQ(progress.ranges[0], 36);
  EXPECT_EQ(progress.steps, 0);
  Random random(5);
  PickVariant(plan, variantCount, random);
}

TEST_F(VariantsTest, PinnedLastRunAfterAPackedFirstRun) {
  EXPECT_EQ(Enumerate("Ad 7s ** Kc ", 1), Line({0, 0, 2, 1, 35, 1}));
  EXPECT_EQ(progress.ranges[0], 1);
  EXPECT_EQ(progress.steps, 0);
  Random random(123);
  PickVariant(plan, variantCount, random);
  EXPECT_EQ(plan.items[0].target, 0);
  EXPECT_EQ(plan.items[1].target, 1);
  EXPECT_EQ(plan.items[2].target, 35);
}

TEST_F(VariantsTest, OneCardBetweenTwoGaps) {
  std::string expected;
  for (int p = 0; p <= 35; ++p) expected += Line({0, 0, 0, 1, p, 1, 2, 1, 0});
  EXPECT_EQ(Enumerate("** Ad ** ", 36), expected);
  EXPECT_EQ(progress.ranges[0], 35);
  EXPECT_EQ(progress.steps, 35);
}

TEST_F(VariantsTest, EmptyLastRunKeepsItsStart) {
  std::string expected;
  for (int p = 1; p <= 35; ++p) expected += Line({0, 0, 1, 1, p, 1, 2, 2, 0});
  EXPECT_EQ(Enumerate("Ad ** 7s ** ", 35), expected);
  EXPECT_EQ(progress.ranges[0], 34);
  EXPECT_EQ(progress.steps, 34);
}

TEST_F(VariantsTest, ThreeCardsTwoGaps) {
  std::string expected;
  for (int p = 1; p <= 34; ++p) expected += Line({0, 0, 1, 1, p, 1, 2, 35, 1});
  const std::string file = Enumerate("Ad ** 7s ** Kc ", 34);
  EXPECT_EQ(file, expected);
  const auto lines = SplitLines(file);
  ASSERT_EQ(lines.size(), 34u);
  EXPECT_EQ(lines.front(), "0 0 1 1 1 1 2 35 1 ");
  EXPECT_EQ(lines.back(), "0 0 1 1 34 1 2 35 1 ");
  EXPECT_EQ(progress.ranges[0], 1);
  EXPECT_EQ(progress.steps, 33);
}

TEST_F(VariantsTest, FourCardsThreeGaps) {
  std::string expected;
  for (int p = 1; p <= 34; ++p)
    for (int q = p + 1; q <= 34; ++q) expected += Line({0, 0, 1, 1, p, 1, 2, q, 1, 3, 35, 1});
  const std::string file = Enumerate("Ad ** 7s ** Kc ** 9d ", 561);
  EXPECT_EQ(file, expected);
  const auto lines = SplitLines(file);
  ASSERT_EQ(lines.size(), 561u);
  EXPECT_EQ(lines.front(), "0 0 1 1 1 1 2 2 1 3 35 1 ");
  EXPECT_EQ(lines.back(), "0 0 1 1 33 1 2 34 1 3 35 1 ");
  EXPECT_EQ(progress.ranges[0], 1);
  EXPECT_EQ(progress.steps, 32);
}

TEST_F(VariantsTest, SplitRecordsRunsAndOffsets) {
  plan = PlanOf("** A? ?? ** Kc ?s ");
  EXPECT_EQ(plan.gapCount, 2);
  ASSERT_EQ(plan.itemCount, 4);
  const int runs[] = {1, 1, 2, 2}, offsets[] = {0, 1, 0, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(plan.items[i].run, runs[i]);
    EXPECT_EQ(plan.items[i].offset, offsets[i]);
  }
  EXPECT_EQ(plan.runLength[0], 0);
  EXPECT_EQ(plan.runLength[1], 2);
  EXPECT_EQ(plan.runLength[2], 2);
  // A single character left over is no token.
  plan = PlanOf("Ad ** 7");
  EXPECT_EQ(plan.itemCount, 1);
  EXPECT_EQ(plan.gapCount, 1);
}

TEST_F(VariantsTest, SevenCardsSixGaps) {
  const std::string task = "Ad ** 7s ** Kc ** Ah ** 9c ** Ks ** 6s ";
  const std::string file = Enumerate(task, 278256);
  EXPECT_EQ(Choose(34, 5), 278256u);
  const auto lines = SplitLines(file);
  ASSERT_EQ(lines.size(), 278256u);
  EXPECT_EQ(lines.front(), "0 0 1 1 1 1 2 2 1 3 3 1 4 4 1 5 5 1 6 35 1 ");
  EXPECT_EQ(lines.back(), "0 0 1 1 30 1 2 31 1 3 32 1 4 33 1 5 34 1 6 35 1 ");
  // Every line a valid placement, each strictly after the one before it in
  // the order of the starts: so all of them are distinct, and as many as
  // the formula says there are.
  std::vector<int> previous;
  for (const std::string& line : lines) {
    const std::vector<int> n = Numbers(line);
    ASSERT_EQ(n.size(), 21u) << line;
    std::vector<int> starts;
    for (int r = 0; r < 7; ++r) {
      ASSERT_EQ(n[3 * r], r) << line;
      ASSERT_EQ(n[3 * r + 2], 1) << line;
      starts.push_back(n[3 * r + 1]);
    }
    ASSERT_EQ(starts.front(), 0) << line;
    ASSERT_EQ(starts.back(), 35) << line;
    for (int r = 1; r < 7; ++r) ASSERT_GT(starts[r], starts[r - 1]) << line;
    if (!previous.empty()) {
      ASSERT_TRUE(previous < starts) << line;
    }
    previous = starts;
  }
}

// Random tasks: tokens of every kind, gaps never side by side.
struct RandomTask {
  std::string text;
  std::vector<int> lengths;
  int tokens = 0;
  int gaps = 0;
};

RandomTask MakeTask(std::mt19937& rng, int maxGaps) {
  static const std::string ranks = "6789XJQKA", suits = "sdch";
  RandomTask task;
  const int tokens = std::uniform_int_distribution<int>(0, 36)(rng);
  const int gaps = std::uniform_int_distribution<int>(tokens == 0 ? 1 : 0,
                                                       std::min(maxGaps, tokens + 1))(rng);
  // Gaps take distinct slots among the tokens+1 places around the tokens.
  std::vector<int> slots(tokens + 1);
  for (int i = 0; i <= tokens; ++i) slots[i] = i;
  std::shuffle(slots.begin(), slots.end(), rng);
  std::vector<bool> gapAt(tokens + 1, false);
  for (int i = 0; i < gaps; ++i) gapAt[slots[i]] = true;
  std::vector<std::string> deck;
  for (char r : ranks)
    for (char s : suits) deck.push_back(std::string{r, s});
  std::shuffle(deck.begin(), deck.end(), rng);
  task.lengths.push_back(0);
  for (int i = 0; i <= tokens; ++i) {
    if (gapAt[i]) {
      task.text += "** ";
      task.lengths.push_back(0);
    }
    if (i == tokens) break;
    std::string token;
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
      case 0: token = deck[i]; break;
      case 1: token = std::string{ranks[rng() % 9], '?'}; break;
      case 2: token = std::string{'?', suits[rng() % 4]}; break;
      default: token = "??"; break;
    }
    task.text += token + " ";
    ++task.lengths.back();
  }
  task.tokens = tokens;
  task.gaps = gaps;
  return task;
}

std::uint64_t FormulaCount(const RandomTask& task) {
  if (task.gaps == 0) return 1;
  const int free = kDeckSize - task.tokens;
  return Choose(free + task.gaps - 1, task.gaps - 1);
}

TEST_F(VariantsTest, CountMatchesTheFormulaForManyTasks) {
  std::mt19937 rng(20240601);
  for (int i = 0; i < 20000; ++i) {
    const RandomTask task = MakeTask(rng, 37);
    plan = PlanOf(task.text);
    ASSERT_EQ(plan.gapCount, task.gaps) << task.text;
    ASSERT_EQ(plan.itemCount, task.tokens) << task.text;
    ASSERT_EQ(static_cast<std::uint64_t>(CountVariants(plan)), FormulaCount(task)) << task.text;
  }
}

TEST_F(VariantsTest, EnumeratedFileMatchesAnIndependentListing) {
  std::mt19937 rng(777);
  int enumerated = 0;
  for (int i = 0; enumerated < 300 && i < 100000; ++i) {
    const RandomTask task = MakeTask(rng, 6);
    if (FormulaCount(task) > 20000) continue;
    ++enumerated;
    const auto expectedCount = static_cast<std::int64_t>(FormulaCount(task));
    const std::string file = Enumerate(task.text, expectedCount);
    ASSERT_EQ(file, ExpectedFile(task.lengths)) << task.text;
  }
  EXPECT_EQ(enumerated, 300);
}

TEST_F(VariantsTest, RunsThatDoNotFitCountNothing) {
  std::string task;
  for (int i = 0; i < 37; ++i) task += "?? ";
  plan = PlanOf(task + "** ");
  EXPECT_EQ(CountVariants(plan), 0);
}

// The targets a line gives: start of the token's run plus its offset.
std::vector<int> TargetsOfLine(const TaskPlan& plan, const std::string& line) {
  const std::vector<int> n = Numbers(line);
  std::vector<int> targets;
  for (int i = 0; i < plan.itemCount; ++i) {
    const TaskItem& item = plan.items[i];
    targets.push_back(n.at(3 * item.run + 1) + item.offset);
  }
  return targets;
}

TEST_F(VariantsTest, PickTakesLineRandomOfCountPlusOne) {
  const auto lines = SplitLines(Enumerate("Ad ** 7s ** Kc ** 9d ", 561));
  for (std::uint32_t seed : {0u, 1u, 2u, 99u, 123456789u, 4294967295u}) {
    std::uint32_t mine = seed;
    const std::uint32_t n = NextDraw(mine, 561) + 1;
    Random random(seed);
    PickVariant(plan, variantCount, random);
    EXPECT_EQ(random.Seed(), mine) << "one draw per pick";
    const std::vector<int> n3 = Numbers(lines[n - 1]);
    EXPECT_EQ(plan.items[0].target, 0);
    EXPECT_EQ(plan.items[1].target, n3[4]);
    EXPECT_EQ(plan.items[2].target, n3[7]);
    EXPECT_EQ(plan.items[3].target, 35);
  }
}

TEST_F(VariantsTest, PickedTargetsAreDistinctAndInTheLayout) {
  std::mt19937 rng(4242);
  int picked = 0;
  for (int i = 0; picked < 200 && i < 100000; ++i) {
    const RandomTask task = MakeTask(rng, 5);
    if (task.tokens == 0 || FormulaCount(task) > 5000) continue;
    ++picked;
    const auto lines =
        SplitLines(Enumerate(task.text, static_cast<std::int64_t>(FormulaCount(task))));
    for (int draw = 0; draw < 5; ++draw) {
      const std::uint32_t seed = rng();
      std::uint32_t mine = seed;
      const std::uint32_t n = NextDraw(mine, static_cast<std::uint32_t>(variantCount)) + 1;
      Random random(seed);
      PickVariant(plan, variantCount, random);
      const std::vector<int> expected = TargetsOfLine(plan, lines[n - 1]);
      std::set<int> seen;
      for (int k = 0; k < plan.itemCount; ++k) {
        const int target = plan.items[k].target;
        ASSERT_EQ(target, expected[k]) << task.text;
        ASSERT_GE(target, 0) << task.text;
        ASSERT_LT(target, 36) << task.text;
        ASSERT_TRUE(seen.insert(target).second) << task.text;
        // Tokens keep their order along the layout.
        if (k > 0) {
          ASSERT_GT(target, plan.items[k - 1].target) << task.text;
        }
      }
      // A task that does not end with a gap ends at the last position, and
      // one with gaps that does not begin with a gap starts at the first.
      if (!task.text.ends_with("** ")) {
        EXPECT_EQ(plan.items[plan.itemCount - 1].target, 35);
      }
      if (task.gaps > 0 && !task.text.starts_with("** ")) {
        EXPECT_EQ(plan.items[0].target, 0);
      }
    }
  }
  EXPECT_EQ(picked, 200);
}

class DamagedFileTest : public VariantsTest {
 protected:
  void SetUp() override {
    plan = PlanOf("Ad ** 7s ** Kc ");
    for (int i = 0; i < plan.itemCount; ++i) plan.items[i].target = 100 + i;
  }
  void ExpectRefused(std::int64_t count) {
    Random random(1);
    const auto index = static_cast<std::int64_t>(random.Next(static_cast<std::uint32_t>(count)));
    std::int32_t starts[kMaxRuns] = {};
    const IoResult result = ReadVariantStarts(plan, kFile, index, starts);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Message().rfind("I/O error ", 0), 0u) << result->Message();
  }
};

// Lines that a careless hand or a failing disk spoiled are refused with the
// runtime's I/O error, never taken for a variant.
TEST_F(DamagedFileTest, SpoiledLinesAreRefused) {
  const struct {
    const char* what;
    const char* line;
  } cases[] = {
      {"a target past the last position", "0 0 1 1 40 1 2 35 1 \r\n"},
      {"a negative start", "0 0 1 1 -3 1 2 35 1 \r\n"},
      {"the last run beyond the layout", "0 0 1 1 5 1 2 36 1 \r\n"},
      {"text instead of a number", "0 0 1 1 five 1 2 35 1 \r\n"},
      {"a line too short", "0 0 1 1 5 \r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(kFile, c.line);
    ExpectRefused(1);
  }
}

TEST_F(DamagedFileTest, FewerLinesThanCounted) {
  WriteBytes(kFile, "0 0 1 1 5 1 2 35 1 \r\n");
  // Seed 1 with 1000 variants draws a line past the only one there is.
  std::uint32_t seed = 1;
  ASSERT_GT(NextDraw(seed, 1000), 0u);
  ExpectRefused(1000);
}

TEST_F(DamagedFileTest, MissingFile) {
  std::int32_t starts[kMaxRuns] = {};
  const IoResult result = ReadVariantStarts(plan, kFile, 0, starts);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Message(), "File not found");
}

TEST_F(DamagedFileTest, IntactLineIsAccepted) {
  WriteBytes(kFile, "0 0 1 1 5 1 2 35 1 \r\n");
  std::int32_t starts[kMaxRuns] = {};
  ASSERT_FALSE(ReadVariantStarts(plan, kFile, 0, starts).has_value());
  EXPECT_EQ(starts[0], 0);
  EXPECT_EQ(starts[1], 5);
  EXPECT_EQ(starts[2], 35);
}

// Every line of the file, for the table's tasks and many random ones, is the
// variant worked out from its number.
TEST_F(VariantsTest, DirectVariantsEqualTheFileLines) {
  std::mt19937 rng(5);
  const char* fixed[] = {"** ", "Ad 7s ** Kc ", "** Ad ** ", "Ad ** 7s ** ", "Ad ** 7s ** Kc ",
                         "Ad ** 7s ** Kc ** 9d ", "** Ad 7s ** 9d ** Kc ** "};
  for (int round = 0; round < 120; ++round) {
    std::string task;
    if (round < 7) {
      task = fixed[round];
    } else {
      // Up to six cards with gaps between some of them.
      const int cards = 1 + static_cast<int>(rng() % 6);
      if (rng() % 2) task += "** ";
      for (int c = 0; c < cards; ++c) {
        task += std::string{"6789XJQKA"[c], "sdch"[c % 4], ' '};
        if (c + 1 < cards && rng() % 2) task += "** ";
      }
      if (rng() % 2) task += "** ";
    }
    plan = PlanOf(task);
    std::int64_t count = 0;
    ASSERT_FALSE(EnumerateVariants(plan, kFile, count, nullptr).has_value());
    if (count > 3000) continue;
    for (std::int64_t index = 0; index < count; ++index) {
      std::int32_t fromFile[kMaxRuns] = {};
      std::int32_t direct[kMaxRuns] = {};
      ASSERT_FALSE(ReadVariantStarts(plan, kFile, index, fromFile).has_value());
      VariantStarts(plan, index, direct);
      for (std::int32_t r = 0; r <= plan.gapCount; ++r) {
        ASSERT_EQ(direct[r], fromFile[r]) << task << " line " << index + 1 << " run " << r;
      }
    }
  }
}

TEST_F(VariantsTest, FileThatCannotBeCreatedIsReportedAndProgressCloses) {
  plan = PlanOf("Ad ** 7s ");
  std::int64_t count = 0;
  RecordingProgress p;
  const IoResult result = EnumerateVariants(plan, "no_such_dir/variants", count, &p);
  EXPECT_TRUE(result.has_value());
  EXPECT_EQ(p.closes, 1);
}

// A disk that fills up while the variants are written: the file of the task
// before stays as it was, whole, and nothing is left beside it.
TEST_F(VariantsTest, AFullDiskLeavesTheFormerListWhole) {
  const std::string before = Enumerate("** Ad ** ", CountVariants(PlanOf("** Ad ** ")));
  ASSERT_GT(before.size(), 100u);
  plan = PlanOf("** Ad ** 7s ** Kc ** ");
  std::int64_t count = 0;
  {
    FileSizeLimit limit(before.size() + 100);
    const IoResult result = EnumerateVariants(plan, kFile, count, nullptr);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, EFBIG);
  }
  EXPECT_EQ(ReadBytes(kFile), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace zlc
