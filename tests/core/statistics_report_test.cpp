// The statistics as a table, a JSON document and CSV tables: read back,
// they hold the counts they were made from.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "persist/statistics_report.h"
#include "record_readers.h"
#include "scratch_dir.h"
#include "short_search.h"

namespace zlc {
namespace {

class StatisticsReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::SetShortSearch(calc, 99);
    rates.Sample(0, calc.Statistics().Counts());
    while (calc.Statistics().Counts().Results() < 400) ASSERT_NE(calc.RunBatch(), BatchOutcome::Failed);
    rates.Sample(2, calc.Statistics().Counts());
    figures = FiguresOfRun(calc.Statistics().Counts(), rates);
  }
  RunReport Report() const { return {calc.Statistics().Counts(), figures, calc.notation, calc.Statistics().Seed(), 2.0}; }

  ScratchDir dir;
  Calculator calc;
  RateWindow rates;
  RunFigures figures;
};

TEST_F(StatisticsReportTest, JsonHoldsTheCountsAndFigures) {
  bool ok = false;
  const std::string json = StatisticsJson(Report());
  ASSERT_EQ(json.back(), '\n');
  const test::Json doc = test::JsonReader(std::string_view(json).substr(0, json.size() - 1)).Read(ok);
  ASSERT_TRUE(ok) << json;
  EXPECT_EQ(doc["results"].text, "400");
  EXPECT_EQ(doc["tries"].text, std::to_string(calc.Statistics().Counts().Tries()));
  EXPECT_EQ(doc["filtered"].text, std::to_string(calc.Statistics().Counts().Filtered()));
  EXPECT_EQ(doc["seed"].text, "99");
  EXPECT_DOUBLE_EQ(doc["results_per_try"]["value"].number, figures.convergence);
  EXPECT_DOUBLE_EQ(doc["tries_per_second"].number, *figures.triesPerSecond);
  ASSERT_EQ(doc["hexagrams"].items.size(), 4u);
  for (std::size_t suit = 0; suit < 4; ++suit) {
    for (std::size_t n = 0; n <= 64; ++n) {
      EXPECT_EQ(doc["hexagrams"][suit][n].text, std::to_string(calc.Statistics().Counts().Hexagrams()[suit][n]));
    }
  }
  for (std::size_t lf = 0; lf <= 36; ++lf) {
    EXPECT_EQ(doc["lf"][lf].text, std::to_string(calc.Statistics().Counts().TransitCounts()[lf]));
  }
  EXPECT_EQ(doc["suits"][0].text, "\xD0\xBF");  // "п" in UTF-8
}

TEST_F(StatisticsReportTest, TableLinesUpItsValues) {
  std::istringstream table(StatisticsTable(Report()));
  std::string line;
  std::vector<std::size_t> ends;
  bool sawSeed = false;
  while (std::getline(table, line)) {
    // The value ends where the name column and the value column end.
    const std::size_t detail = line.find("   ", line.find_first_not_of(' ', line.find("  ")));
    ends.push_back(detail == std::string::npos ? line.size() : detail);
    sawSeed = sawSeed || line.rfind("seed ", 0) == 0;
  }
  ASSERT_GE(ends.size(), 9u);
  for (std::size_t end : ends) EXPECT_EQ(end, ends[0]);
  EXPECT_TRUE(sawSeed);
}

TEST_F(StatisticsReportTest, CsvTablesSumToTheResults) {
  const auto rows = [](const std::string& csv) {
    std::vector<std::vector<std::string>> out;
    for (std::size_t at = 0; at < csv.size();) {
      const std::size_t end = csv.find("\r\n", at);
      out.push_back(test::ParseCsvRow(csv.substr(at, end - at)));
      at = end + 2;
    }
    return out;
  };
  for (const auto& table : {rows(HexagramsCsv(Report())), rows(PValuesCsv(Report()))}) {
    ASSERT_EQ(table[0].size(), 5u);
    for (std::size_t suit = 1; suit <= 4; ++suit) {
      std::uint64_t sum = 0;
      for (std::size_t r = 1; r < table.size(); ++r) sum += std::stoull(table[r][suit]);
      EXPECT_EQ(sum, 400u);
    }
  }
  const auto lf = rows(TransitCountsCsv(Report()));
  std::uint64_t passedByLf = 0;
  for (std::size_t r = 1; r < lf.size(); ++r) passedByLf += std::stoul(lf[r][0]) <= 8 ? std::stoull(lf[r][1]) : 0;
  EXPECT_EQ(passedByLf, calc.Statistics().Counts().Filtered());  // the filter is L(F) <= 8
  const auto balance = rows(BalanceCsv(Report()));
  ASSERT_EQ(balance.size(), 7u);
  // Scripts read the columns by these names: the counts of yang suits.
  EXPECT_EQ(balance[0], (std::vector<std::string>{"line", "yang0", "yang1", "yang2", "yang3", "yang4"}));
  for (std::size_t line = 1; line <= 6; ++line) {
    std::uint64_t sum = 0;
    for (std::size_t k = 1; k <= 5; ++k) sum += std::stoull(balance[line][k]);
    EXPECT_EQ(sum, 400u);
  }
  const auto f = rows(FiguresCsv(Report()));
  EXPECT_EQ(f[0], (std::vector<std::string>{"name", "value", "low", "high"}));
  EXPECT_EQ(f[2][0], "results");
  EXPECT_EQ(f[2][1], "400");
}

}  // namespace
}  // namespace zlc
