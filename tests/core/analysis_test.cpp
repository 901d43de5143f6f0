#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/layout_line.h"
#include "analysis/result_record.h"
#include "cards/notation.h"
#include "engine/chain.h"
#include "engine/layout.h"
#include "engine/settings.h"
#include "ru_text.h"

namespace zlc {
namespace {

Layout LayoutOf(const std::string& spaced) {
  std::string text;
  for (char c : spaced) {
    if (c != ' ') text += c;
  }
  Layout layout;
  BindChain(layout.chain, text.data(), text.size());
  return layout;
}

Settings Marks(int markTransits, int staticMarkMode, int deleteSpaces) {
  Settings settings;
  settings.markTransits = markTransits;
  settings.staticMarkMode = static_cast<StaticMarks>(staticMarkMode);
  settings.deleteSpaces = deleteSpaces;
  return settings;
}

ResultRecord RecordOf(const Layout& layout, std::int64_t rn) {
  ResultRecord record;
  RecordLayout(record, layout, NotationSet{});
  record.rn = rn;
  return record;
}

std::string Line1(const Layout& layout, std::int64_t rn, const Settings& settings) {
  std::string out = "left over from the previous result";
  AppendLayoutLine(out, RecordOf(layout, rn), settings);
  return out;
}

std::vector<int> Head(const std::array<std::uint8_t, kDeckSize>& values, int count) {
  return std::vector<int>(values.begin(), values.begin() + count);
}

// ---- Classification ----------------------------------------------------

TEST(Classify, SixCardExample) {
  Layout layout = LayoutOf(Ru("6п 9к Дп 9б Xб Кч"));
  // Stale figures from an earlier layout must not leak into this one.
  layout.mobility.fill(7);
  layout.isTransit.fill(1);
  layout.transitCount = 99;
  Chain work{};
  ClassifyElements(layout, work);

  EXPECT_EQ(Head(layout.mobility, 6), (std::vector<int>{0, 1, 1, 0, 0, 1}));
  EXPECT_EQ(Head(layout.isTransit, 6), (std::vector<int>{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(layout.transitCount, 2);
  // 6п and 9к left; Дп 9б Xб Кч remain.
  ASSERT_EQ(work.lastIndex, 3);
  EXPECT_EQ(work.cards[0].position, 2);
  EXPECT_EQ(work.cards[3].position, 5);
}

TEST(Classify, SixCardExampleLine1) {
  Layout layout = LayoutOf(Ru("6п 9к Дп 9б Xб Кч"));
  Chain work{};
  ClassifyElements(layout, work);
  EXPECT_EQ(Line1(layout, 1, Marks(1, 2, 0)), Ru("1. <[6п] 9к Дп> <[9б]> <[Xб] Кч "));
  EXPECT_EQ(Line1(layout, 1, Marks(0, 1, 1)), Ru("1. 6п!9кДп9б!Xб!Кч"));
  EXPECT_EQ(Line1(layout, 1, Marks(1, 1, 1)), Ru("1. <6п!9кДп><9б!><Xб!Кч"));
  EXPECT_EQ(Line1(layout, 1, Marks(1, 0, 0)), Ru("1. <6п 9к Дп> <9б> <Xб Кч "));
}

TEST(Classify, RightCardBehindLastTransitIsNotMarked) {
  // 8h collapses first (right card Xh, position 4); the cascade then takes
  // 6s out onto 9s at position 3, which lies behind the transit at 4.
  Layout layout = LayoutOf("6s 7d 8h 9s Xh");
  Chain work{};
  ClassifyElements(layout, work);
  EXPECT_EQ(Head(layout.mobility, 5), (std::vector<int>{0, 1, 0, 1, 1}));
  EXPECT_EQ(Head(layout.isTransit, 5), (std::vector<int>{0, 0, 0, 0, 1}));
  EXPECT_EQ(layout.transitCount, 1);
}

TEST(Classify, ShortChainsRecordOnlyTheLastCard) {
  Layout two = LayoutOf("6s 7d");
  Chain work{};
  ClassifyElements(two, work);
  EXPECT_EQ(Head(two.mobility, 2), (std::vector<int>{0, 1}));
  EXPECT_EQ(two.transitCount, 0);

  Layout empty;
  ClassifyElements(empty, work);
  EXPECT_EQ(empty.transitCount, 0);
  EXPECT_EQ(std::count(empty.mobility.begin(), empty.mobility.end(), 0), kDeckSize);
}

// The starting deck converges; its first three collapses are Kc onto 9c (right
// card at 4), Ad onto Ah (right card at 3, behind 4) and Ks onto 8s (right
// card at 7). Once 7 is a transit nothing at or before it can become one.
class ClassifyStartingDeck : public ::testing::Test {
 protected:
  void SetUp() override {
    layout = LayoutOf(std::string(kEnBaseDeck));
    ClassifyElements(layout, work);
  }
  Layout layout;
  Chain work{};
};

TEST_F(ClassifyStartingDeck, FirstCollapses) {
  ASSERT_EQ(work.lastIndex, 1);
  EXPECT_EQ(Head(layout.isTransit, 8), (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 1}));
  EXPECT_EQ(layout.mobility[0], 0);
  EXPECT_GE(layout.mobility[1], 1);
  EXPECT_GE(layout.mobility[3], 1);
  EXPECT_GE(layout.mobility[6], 1);
  EXPECT_EQ(layout.mobility[35], 1);
  EXPECT_EQ(layout.isTransit[35], 1);
}

TEST_F(ClassifyStartingDeck, PlainLineIsTheDeck) {
  EXPECT_EQ(Line1(layout, 1, Marks(0, 0, 0)), "1. " + std::string(kEnBaseDeck));
  EXPECT_TRUE(Line1(layout, 1234, Marks(0, 0, 0)).starts_with("1234. Ad 7s "));
}

TEST_F(ClassifyStartingDeck, TransitMarks) {
  const std::string spaced = Line1(layout, 7, Marks(1, 0, 0));
  EXPECT_TRUE(spaced.starts_with("7. <Ad 7s Kc Ah 9c> <Ks 6s 8s> <Xh")) << spaced;
  EXPECT_TRUE(spaced.ends_with("9d> ")) << spaced;
  EXPECT_EQ(std::count(spaced.begin(), spaced.end(), '>'), layout.transitCount);
  EXPECT_EQ(std::count(spaced.begin(), spaced.end(), '<'), layout.transitCount);

  const std::string tight = Line1(layout, 7, Marks(1, 0, 1));
  EXPECT_TRUE(tight.starts_with("7. <Ad7sKcAh9c><Ks6s8s><Xh")) << tight;
  EXPECT_EQ(tight.back(), '>');
  EXPECT_EQ(std::count(tight.begin(), tight.end(), ' '), 1);  // only after "7."
}

TEST_F(ClassifyStartingDeck, StaticMarks) {
  int statics = 0;
  for (std::uint8_t m : layout.mobility) statics += m == 0 ? 1 : 0;

  const std::string bang = Line1(layout, 1, Marks(0, 1, 0));
  EXPECT_TRUE(bang.starts_with("1. Ad! 7s "));
  EXPECT_EQ(std::count(bang.begin(), bang.end(), '!'), statics);

  const std::string bracket = Line1(layout, 1, Marks(1, 2, 0));
  EXPECT_TRUE(bracket.starts_with("1. <[Ad] "));
  EXPECT_EQ(std::count(bracket.begin(), bracket.end(), '['), statics);
  EXPECT_EQ(std::count(bracket.begin(), bracket.end(), ']'), statics);
  // A static transit closes its bracket before the segment mark.
  EXPECT_EQ(bracket.find("]<"), std::string::npos);
  EXPECT_EQ(bracket.find(">]"), std::string::npos);

  // Every combination of marks still spells the deck once the marks go.
  for (int mt = 0; mt <= 1; ++mt) {
    for (int ms = 0; ms <= 2; ++ms) {
      for (int ds = 0; ds <= 1; ++ds) {
        std::string bare = Line1(layout, 1, Marks(mt, ms, ds));
        std::erase_if(bare, [](char c) { return c == '<' || c == '>' || c == '[' || c == ']' || c == '!'; });
        if (ds == 1) {
          std::erase(bare, ' ');
          EXPECT_EQ(bare, "1.Ad7sKcAh9cKs6s8sXh7c8cJs6h6cJhAsQsJc7d7h9sXsXcJdKhXd8h9hKdQhQd8dQc6dAc9d");
        } else {
          EXPECT_EQ(bare, "1. " + std::string(kEnBaseDeck));
        }
      }
    }
  }
}

TEST_F(ClassifyStartingDeck, ReusedBufferKeepsItsCapacity) {
  std::string out;
  AppendLayoutLine(out, RecordOf(layout, 1), Marks(1, 2, 0));
  const auto capacity = out.capacity();
  const auto* data = out.data();
  AppendLayoutLine(out, RecordOf(layout, 2), Marks(1, 2, 0));
  EXPECT_EQ(out.capacity(), capacity);
  EXPECT_EQ(out.data(), data);
  EXPECT_TRUE(out.starts_with("2. <[Ad] "));
}

// Properties every result has, checked over many random converged layouts.
TEST(Classify, InvariantsOfConvergedLayouts) {
  const Layout deck = LayoutOf(std::string(kEnBaseDeck));
  std::mt19937 engine(20240611u);
  NotationSet en;
  SetNotation(en, 2);
  int results = 0;
  for (int tries = 0; tries < 400000 && results < 150; ++tries) {
    Layout layout = deck;
    std::shuffle(layout.chain.cards, layout.chain.cards + kDeckSize, engine);
    for (int i = 0; i < kDeckSize; ++i) layout.chain.cards[i].position = static_cast<std::uint16_t>(i);
    Chain converged{};
    TestConvergence(layout.chain, converged);
    if (converged.lastIndex != 1) continue;
    ++results;

    Chain work{};
    ClassifyElements(layout, work);
    SCOPED_TRACE(Line1(layout, results, Marks(1, 2, 0)));
    // The replay ends with the same two cards as the convergence test.
    ASSERT_EQ(work.lastIndex, 1);
    EXPECT_EQ(work.cards[0].position, 34);
    EXPECT_EQ(work.cards[1].position, 35);

    EXPECT_EQ(layout.mobility[0], 0);
    EXPECT_GE(layout.mobility[34], 1);
    EXPECT_EQ(layout.mobility[35], 1);
    EXPECT_EQ(layout.isTransit[0], 0);
    EXPECT_EQ(layout.isTransit[1], 0);
    EXPECT_EQ(layout.isTransit[35], 1);
    // 34 collapses, one middle card each, plus the last card.
    EXPECT_EQ(std::accumulate(layout.mobility.begin(), layout.mobility.end(), 0), 35);
    EXPECT_EQ(std::accumulate(layout.isTransit.begin(), layout.isTransit.end(), 0),
              layout.transitCount);

    std::string line2, line3;
    std::array<std::uint8_t, 6> balanced{};
    AppendAnalysisLines(line2, line3, balanced, layout, results, en);
    const auto equals = line3.find(")=");
    ASSERT_NE(equals, std::string::npos);
    int sum = 0, segments = 0;
    std::size_t at = equals + 2;
    while (at < line3.size() && line3[at] != ' ') {
      std::size_t used = 0;
      sum += std::stoi(line3.substr(at), &used);
      ++segments;
      at += used;
      if (at < line3.size() && line3[at] == ':') ++at;
    }
    EXPECT_EQ(sum, 36);
    EXPECT_EQ(segments, layout.transitCount);
    EXPECT_EQ(line3.substr(line3.size() - 3), "   ");
  }
  EXPECT_EQ(results, 150);
}

// ---- Hexagram numbering ------------------------------------------------

std::array<std::uint8_t, 6> Lines(const char* digits) {
  std::array<std::uint8_t, 6> lines{};
  for (std::size_t i = 0; i < 6; ++i) lines[i] = static_cast<std::uint8_t>(digits[i] - '0');
  return lines;
}

TEST(Hexagram, KnownNumbers) {
  EXPECT_EQ(HexagramNumber(Lines("111111")), 1);
  EXPECT_EQ(HexagramNumber(Lines("000000")), 2);
  EXPECT_EQ(HexagramNumber(Lines("100000")), 24);
  EXPECT_EQ(HexagramNumber(Lines("000001")), 23);
  EXPECT_EQ(HexagramNumber(Lines("101100")), 55);
  EXPECT_EQ(HexagramNumber(Lines("110110")), 58);
  EXPECT_EQ(HexagramNumber(Lines("011101")), 50);
  // Water over thunder is 3, mountain over water is 4.
  EXPECT_EQ(HexagramNumber(Lines("100010")), 3);
  EXPECT_EQ(HexagramNumber(Lines("010001")), 4);
}

TEST(Hexagram, KingWenPairs) {
  // Each number once, and the sequence's pairing: 2k-1 and 2k are upside
  // down of each other, or, where a figure is its own upside down, inverted.
  std::array<std::array<std::uint8_t, 6>, 65> figure{};
  std::array<int, 65> seen{};
  for (int bits = 0; bits < 64; ++bits) {
    std::array<std::uint8_t, 6> lines{};
    for (std::size_t i = 0; i < 6; ++i) lines[i] = static_cast<std::uint8_t>((bits >> i) & 1);
    const int number = HexagramNumber(lines);
    ASSERT_GE(number, 1);
    ASSERT_LE(number, 64);
    ++seen[static_cast<std::size_t>(number)];
    figure[static_cast<std::size_t>(number)] = lines;
  }
  for (int n = 1; n <= 64; ++n) EXPECT_EQ(seen[static_cast<std::size_t>(n)], 1) << n;

  std::vector<int> symmetricPairs;
  for (std::size_t odd = 1; odd < 64; odd += 2) {
    const auto& first = figure[odd];
    const auto& second = figure[odd + 1];
    std::array<std::uint8_t, 6> flipped{}, inverted{};
    for (std::size_t i = 0; i < 6; ++i) {
      flipped[i] = first[5 - i];
      inverted[i] = static_cast<std::uint8_t>(1 - first[i]);
    }
    if (flipped == first) {
      symmetricPairs.push_back(static_cast<int>(odd));
      EXPECT_EQ(second, inverted) << odd;
    } else {
      EXPECT_EQ(second, flipped) << odd;
    }
  }
  EXPECT_EQ(symmetricPairs, (std::vector<int>{1, 27, 29, 61}));
}

// ---- P values ------------------------------------------------------------

TEST(Hexagram, PValueText) {
  EXPECT_EQ(FormatPValue(1.0), "1.00");
  EXPECT_EQ(FormatPValue(2.0 / 3.0), "0.67");
  EXPECT_EQ(FormatPValue(std::pow(2.0 / 3.0, 6)), "0.09");
  EXPECT_EQ(FormatPValue(std::pow(0.5, 6)), "0.02");
  EXPECT_EQ(FormatPValue(2.0 / 9.0), "0.22");
  EXPECT_EQ(FormatPValue(0.5), "0.50");
  // Exact halves of a hundredth round to the even neighbour.
  EXPECT_EQ(FormatPValue(0.125), "0.12");
  EXPECT_EQ(FormatPValue(0.375), "0.38");
  EXPECT_EQ(FormatPValue(0.625), "0.62");
  EXPECT_EQ(FormatPValue(0.875), "0.88");
}

// ---- Result lines 2 and 3 ---------------------------------------------------

// A Ru starting-deck layout whose static elements give п 101100, б 110110,
// к 011101, ч 111111, with transits at 4, 9 and 35.
Layout ExampleLayout(const NotationSet& notation) {
  Layout layout = LayoutOf(notation.baseDeck);
  layout.mobility.fill(1);
  const std::pair<int, int> statics[] = {{0, 0}, {7, 0}, {8, 0},   // 6, K, A of the first suit
                                         {4, 1}, {8, 1},           // 10, A of the second
                                         {3, 2}, {7, 2}};          // 9, K of the third
  for (const auto& [rank, suit] : statics) {
    for (int i = 0; i < kDeckSize; ++i) {
      const ChainEntry& card = layout.chain.cards[i];
      if (card.rankLetter == notation.rankLetters[static_cast<std::size_t>(rank)] &&
          card.suitLetter == notation.suitLetters[static_cast<std::size_t>(suit)]) {
        layout.mobility[static_cast<std::size_t>(i)] = 0;
      }
    }
  }
  layout.isTransit[4] = layout.isTransit[9] = layout.isTransit[35] = 1;
  layout.transitCount = 3;
  return layout;
}

TEST(AnalysisLines, WorkedExample) {
  const NotationSet ru;
  const Layout layout = ExampleLayout(ru);
  std::string line2 = "stale", line3 = "stale";
  std::array<std::uint8_t, 6> balanced{1, 1, 1, 1, 0, 0};
  AppendAnalysisLines(line2, line3, balanced, layout, 3, ru);
  EXPECT_EQ(line2, Ru("   HB:(+/+/+/++/=/=)   H(п)=#55  (101100)   H(б)=#58  (110110)   "
                      "H(к)=#50  (011101)   H(ч)=#1  (111111)   "));
  EXPECT_EQ(line3, Ru("   P(п,б,к,ч) = {0.22, 0.22, 0.22, 0.15};    F(3)=5:5:26   "));
  EXPECT_EQ(balanced, (std::array<std::uint8_t, 6>{0, 0, 0, 0, 1, 1}));
}

TEST(AnalysisLines, EnLettersAndPads) {
  NotationSet en;
  SetNotation(en, 2);
  const Layout layout = ExampleLayout(en);
  std::string line2, line3;
  std::array<std::uint8_t, 6> balanced{};

  AppendAnalysisLines(line2, line3, balanced, layout, 10, en);
  EXPECT_TRUE(line2.starts_with("    HB:("));
  EXPECT_NE(line2.find("H(s)=#55  (101100)   H(d)=#58  (110110)   H(c)=#50  (011101)   H(h)=#1  "),
            std::string::npos);
  EXPECT_EQ(line3, "    P(s,d,c,h) = {0.22, 0.22, 0.22, 0.15};    F(3)=5:5:26   ");

  AppendAnalysisLines(line2, line3, balanced, layout, 100, en);
  EXPECT_TRUE(line2.starts_with("     HB:("));
  EXPECT_TRUE(line3.starts_with("     P("));
}

// With "Clear at RN >" unticked a search passes two thousand million results'
// worth of tries within hours: the numbers and the pads must not wrap.
TEST(AnalysisLines, NumbersPastTwoThousandMillion) {
  NotationSet en;
  SetNotation(en, 2);
  const Layout layout = ExampleLayout(en);
  EXPECT_TRUE(Line1(layout, 2147483648, Settings{}).starts_with("2147483648. "));
  std::string line2, line3;
  std::array<std::uint8_t, 6> balanced{};
  AppendAnalysisLines(line2, line3, balanced, layout, 2147483648, en);
  EXPECT_EQ(line2.find_first_not_of(' '), std::string("2147483648. ").size());
  EXPECT_EQ(line3.find_first_not_of(' '), std::string("2147483648. ").size());
}

TEST(AnalysisLines, IdenticalSuitsAndSingleSegment) {
  const NotationSet ru;
  Layout layout = LayoutOf(ru.baseDeck);
  layout.mobility.fill(1);
  layout.isTransit[35] = 1;
  layout.transitCount = 1;
  std::string line2, line3;
  std::array<std::uint8_t, 6> balanced{1, 1, 1, 1, 1, 1};
  AppendAnalysisLines(line2, line3, balanced, layout, 1, ru);
  EXPECT_TRUE(line2.starts_with("   HB:(++/++/++/++/++/++)   H(")) << line2;
  EXPECT_EQ(line3, Ru("   P(п,б,к,ч) = {0.02, 0.02, 0.02, 0.02};    F(1)=36   "));
  EXPECT_EQ(balanced, (std::array<std::uint8_t, 6>{}));

  // Every card static but the last, 9б, which is always mobile: its suit
  // keeps line 1 yang (#24), the others read 000000 (#2).
  for (int i = 0; i < 35; ++i) layout.mobility[static_cast<std::size_t>(i)] = 0;
  AppendAnalysisLines(line2, line3, balanced, layout, 1, ru);
  EXPECT_EQ(line2, Ru("   HB:(-/--/--/--/--/--)   H(п)=#2  (000000)   H(б)=#24  (100000)   "
                      "H(к)=#2  (000000)   H(ч)=#2  (000000)   "));
  EXPECT_EQ(line3, Ru("   P(п,б,к,ч) = {0.02, 0.03, 0.02, 0.02};    F(1)=36   "));
}

}  // namespace
}  // namespace zlc
