// The CSV and JSON records of a search carry exactly what its text blocks
// say: both are read back apart from the program's writers and compared
// field by field with the three lines of the same result.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/hexagrams.h"
#include "cards/cp1251.h"
#include "calculator/calculator.h"
#include "persist/record_formats.h"
#include "record_readers.h"
#include "scratch_dir.h"

namespace zlc {
namespace {

using test::Json;

std::string Utf8(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }

std::string Join(const std::vector<std::string>& items, const char* separator) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) out += (i > 0 ? separator : "") + items[i];
  return out;
}

// The static (or mobile) cards of a suit as line 1's marks show them, in
// the order of the rank letters.
std::vector<std::string> SuitCards(const test::TextResult& text, const std::string& suit,
                                   const std::string& ranks, bool statics) {
  std::vector<std::string> cards;
  for (char rank : ranks) {
    for (std::size_t i = 0; i < text.cards.size(); ++i) {
      if (text.cards[i] == std::string{rank} + suit && (text.statics[i] == '1') == statics) {
        cards.push_back(Utf8(text.cards[i]));
      }
    }
  }
  return cards;
}

std::vector<std::string> Texts(const Json& array) {
  std::vector<std::string> out;
  for (const Json& item : array.items) out.push_back(item.text);
  return out;
}

// Flags as a CSV row spaces them out: "011011" as "0 1 1 0 1 1".
std::string Spaced(const std::string& flags) {
  std::string out;
  for (char flag : flags) out += (out.empty() ? "" : " ") + std::string(1, flag);
  return out;
}

std::string SegmentEnds(const std::string& transits) {
  std::string out;
  for (std::size_t i = 0; i < transits.size(); ++i) {
    if (transits[i] == '1') out += (out.empty() ? "" : " ") + std::to_string(i + 1);
  }
  return out;
}

class RecordFormatsTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    calc.SetReporter([](const RuntimeMessage& m) { ADD_FAILURE() << m.text; });
    calc.ResetSettings();
    calc.SelectNotation(GetParam());
    calc.settings.markTransits = 1;
    calc.settings.staticMarkMode = zlc::StaticMarks::Brackets;
    calc.settings.shuffleDepth = 12;
    calc.settings.clearThreshold = 700;  // clearing on: RN and the count part ways
    calc.settings.autosaveFiltered = false;
    // A filter some results meet: few transits, and line 5 balanced.
    calc.filter.lfEnabled = 1;
    calc.filter.lfThreshold = 7;
    calc.filter.hbEnabled = 1;
    calc.filter.hbRequired[4] = 1;
    calc.editor.LoadTaskText("**", true);
    calc.SetSeed(77);
  }

  ScratchDir dir;
  Calculator calc;
};

TEST_P(RecordFormatsTest, CsvAndJsonSayWhatTheTextSays) {
  const std::vector<std::string> header = test::ParseCsvRow(CsvHeader());
  const auto column = [&header](const std::string& name) {
    const auto it = std::find(header.begin(), header.end(), name);
    EXPECT_NE(it, header.end()) << name;
    return static_cast<std::size_t>(it - header.begin());
  };
  const std::string ranks = calc.notation.rankLetters;
  int results = 0, passed = 0;
  std::string csv, json;
  while (results < 2500) {
    // The totals, not the counters: a clearing resets those.
    const std::uint64_t triesBefore = calc.Totals().tries;
    const std::uint64_t filteredBefore = calc.Totals().filtered;
    const BatchOutcome outcome = calc.RunBatch();
    ASSERT_NE(outcome, BatchOutcome::Failed);
    if (outcome != BatchOutcome::Result) continue;
    ++results;
    const ResultRecord& record = calc.LastRecord();
    test::TextResult text;
    ASSERT_TRUE(test::ReadTextResult(calc.LastBlock().lines, text)) << calc.LastBlock().lines[0];
    const bool wentToFiltered = calc.Totals().filtered != filteredBefore;
    passed += wentToFiltered ? 1 : 0;
    const std::uint64_t batchTries = calc.Totals().tries - triesBefore;

    csv.clear();
    AppendCsvRecord(csv, record);
    const std::vector<std::string> row = test::ParseCsvRow(csv);
    ASSERT_EQ(row.size(), header.size()) << csv;
    json.clear();
    AppendJsonRecord(json, record);
    ASSERT_EQ(json.find('\n'), std::string::npos);
    bool ok = false;
    const Json object = test::JsonReader(json).Read(ok);
    ASSERT_TRUE(ok) << json;

    SCOPED_TRACE(calc.LastBlock().lines[0]);
    EXPECT_EQ(row[column("result")], std::to_string(results));
    EXPECT_EQ(object["result"].text, std::to_string(results));
    EXPECT_EQ(row[column("rn")], std::to_string(text.rn));
    EXPECT_EQ(object["rn"].text, std::to_string(text.rn));
    EXPECT_EQ(row[column("tries")], std::to_string(batchTries));
    EXPECT_EQ(object["tries"].text, std::to_string(batchTries));
    EXPECT_EQ(row[column("passed")], wentToFiltered ? "1" : "0");
    EXPECT_EQ(object["passed"].boolean, wentToFiltered);

    std::vector<std::string> cards;
    for (const std::string& card : text.cards) cards.push_back(Utf8(card));
    EXPECT_EQ(row[column("cards")], Join(cards, " "));
    EXPECT_EQ(Texts(object["cards"]), cards);
    // No text cell starts the way a formula does in a spreadsheet.
    for (const std::string& field : row) {
      EXPECT_NE(field.find_first_of("=+-@\t\r"), 0u) << field;
    }
    EXPECT_EQ(row[column("static")], Spaced(text.statics));
    EXPECT_EQ(object["static"].text, text.statics);
    EXPECT_EQ(row[column("transit")], Spaced(text.transits));
    EXPECT_EQ(object["transit"].text, text.transits);
    EXPECT_EQ(row[column("segment_ends")], SegmentEnds(text.transits));
    std::string ends;
    for (const Json& end : object["segment_ends"].items) ends += (ends.empty() ? "" : " ") + end.text;
    EXPECT_EQ(ends, SegmentEnds(text.transits));
    EXPECT_EQ(row[column("lf")], std::to_string(text.lf));
    EXPECT_EQ(object["lf"].text, std::to_string(text.lf));
    std::string spacedF = text.f;
    std::replace(spacedF.begin(), spacedF.end(), ':', ' ');
    EXPECT_EQ(row[column("f")], spacedF);
    std::string f;
    for (const Json& part : object["f"].items) f += (f.empty() ? "" : ":") + part.text;
    EXPECT_EQ(f, text.f);
    EXPECT_EQ(row[column("balance")], "(" + text.balance + ")");
    EXPECT_EQ(object["balance"].text, text.balance);

    ASSERT_EQ(text.suits.size(), 4u);
    ASSERT_EQ(object["suits"].items.size(), 4u);
    std::string balanced(6, '0');
    for (std::size_t s = 0; s < 4; ++s) {
      const std::string n = std::to_string(s + 1);
      const Json& suit = object["suits"][s];
      EXPECT_EQ(row[column("suit" + n)], Utf8(text.suits[s]));
      EXPECT_EQ(suit["suit"].text, Utf8(text.suits[s]));
      EXPECT_EQ(row[column("hexagram" + n)], std::to_string(text.hexagrams[s]));
      EXPECT_EQ(suit["hexagram"].text, std::to_string(text.hexagrams[s]));
      EXPECT_EQ(row[column("lines" + n)], Spaced(text.lines[s]));
      EXPECT_EQ(suit["lines"].text, text.lines[s]);
      // The exact P, rounded as the text rounds it.
      EXPECT_EQ(FormatPValue(std::stod(row[column("p" + n)])), text.pValues[s]);
      EXPECT_EQ(FormatPValue(suit["p"].number), text.pValues[s]);
      EXPECT_EQ(row[column("p" + n)], suit["p"].text);
      const auto statics = SuitCards(text, text.suits[s], ranks, true);
      const auto mobiles = SuitCards(text, text.suits[s], ranks, false);
      EXPECT_EQ(statics.size() + mobiles.size(), 9u);
      EXPECT_EQ(row[column("static" + n)], Join(statics, " "));
      EXPECT_EQ(row[column("mobile" + n)], Join(mobiles, " "));
      EXPECT_EQ(Texts(suit["static"]), statics);
      EXPECT_EQ(Texts(suit["mobile"]), mobiles);
    }
    // A line is balanced where its symbol is "=".
    std::size_t start = 0;
    for (std::size_t line = 0; line < 6; ++line) {
      const std::size_t slash = text.balance.find('/', start);
      balanced[line] = text.balance.substr(start, slash - start) == "=" ? '1' : '0';
      start = slash + 1;
    }
    EXPECT_EQ(row[column("balanced_lines")], Spaced(balanced));
    EXPECT_EQ(object["balanced_lines"].text, balanced);
    if (HasFailure()) break;
  }
  // Both verdicts came up, so "passed" was checked both ways.
  EXPECT_GT(passed, 0);
  EXPECT_LT(passed, results);
}

INSTANTIATE_TEST_SUITE_P(BothNotations, RecordFormatsTest, ::testing::Values("Ru", "En"));

TEST(RecordFormats, FieldNamesAreStableAndInOneOrder) {
  // Scripts read these by name: a renamed or reordered field breaks them.
  EXPECT_EQ(CsvHeader(),
            "result,rn,tries,passed,cards,static,transit,segment_ends,lf,f,balance,balanced_lines,"
            "suit1,hexagram1,lines1,p1,static1,mobile1,suit2,hexagram2,lines2,p2,static2,mobile2,"
            "suit3,hexagram3,lines3,p3,static3,mobile3,suit4,hexagram4,lines4,p4,static4,mobile4");
  ResultRecord record;
  record.number = 1;
  std::string json;
  AppendJsonRecord(json, record);
  bool ok = false;
  const Json object = test::JsonReader(json).Read(ok);
  ASSERT_TRUE(ok) << json;
  EXPECT_EQ(Join(object.order, ","),
            "result,rn,tries,passed,cards,static,transit,segment_ends,lf,f,balance,balanced_lines,suits");
  EXPECT_EQ(Join(object["suits"][0].order, ","), "suit,hexagram,lines,p,static,mobile");
}

TEST(RecordFormats, TextThatNeedsQuotingIsQuoted) {
  // No letter set holds a comma or a quote today; a record that does must
  // still read back as the same fields.
  ResultRecord record;
  record.number = 3;
  record.cardCount = 2;
  record.cards[0][0] = ',';
  record.cards[0][1] = '"';
  record.cards[1][0] = '\\';
  record.cards[1][1] = '\n';
  std::string csv;
  AppendCsvRecord(csv, record);
  const auto row = test::ParseCsvRow(csv);
  ASSERT_EQ(row.size(), test::ParseCsvRow(CsvHeader()).size());
  EXPECT_EQ(row[4], ",\" \\\n");
  std::string json;
  AppendJsonRecord(json, record);
  EXPECT_EQ(json.find('\n'), std::string::npos);
  bool ok = false;
  const Json object = test::JsonReader(json).Read(ok);
  ASSERT_TRUE(ok) << json;
  EXPECT_EQ(Texts(object["cards"]), (std::vector<std::string>{",\"", "\\\n"}));
}

}  // namespace
}  // namespace zlc
