// The filter described in words: the settings line, one line per suit with
// set cells (its hexagram, its static and its mobile ranks), the balance line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/filter_description.h"
#include "ru_text.h"

namespace zlc {
namespace {

constexpr ElementState S = ElementState::Static;
constexpr ElementState M = ElementState::Mobile;

// Row of the first suit: cells by rank index 0..8 (6 7 8 9 10 J Q K A).
FilterSettings FirstSuit(std::initializer_list<std::pair<int, ElementState>> cells) {
  FilterSettings f;
  for (const auto& [rank, state] : cells) f.elementGrid[0][static_cast<std::size_t>(rank)] = state;
  return f;
}

std::vector<std::string> Describe(const FilterSettings& f, int notation = 1) {
  NotationSet n;
  SetNotation(n, notation);
  return BuildFilterDescription(f, n);
}

TEST(FilterDescription, WorkedRowsOfOneSuit) {
  const struct {
    FilterSettings filter;
    const char* line;
  } rows[] = {
      // 7, 9, Q, K static; 6, 10, A mobile.
      {FirstSuit({{1, S}, {3, S}, {6, S}, {7, S}, {0, M}, {4, M}, {8, M}}),
       "H(п)=#18  (011001);   S(п)={7,9,Д,К};   M(п)={6,X,Т};    "},
      {FirstSuit({{3, S}, {8, M}}), "H(п)=#?  (0????1);   S(п)={9};   M(п)={Т};    "},
      {FirstSuit({{2, M}}), "M(п)={8};    "},
      {FirstSuit({{1, S}}), "S(п)={7};   "},
      {FirstSuit({{0, M}, {3, M}, {4, M}, {6, M}, {7, M}, {8, M}}),
       "H(п)=#1  (111111);   M(п)={6,9,X,Д,К,Т};    "},
  };
  for (const auto& row : rows) {
    const std::vector<std::string> lines = Describe(row.filter);
    ASSERT_EQ(lines.size(), 2u) << row.line;
    EXPECT_EQ(lines[0], "GM:Random, RV:One");
    EXPECT_EQ(lines[1], Ru(row.line));
  }
}

TEST(FilterDescription, SwitchesDecideWhichLinesAppear) {
  EXPECT_EQ(Describe(FilterSettings{}), std::vector<std::string>{"GM:Random, RV:One"});

  FilterSettings f = FirstSuit({{3, S}});
  f.elementGrid[3][8] = M;  // the ace of the fourth suit
  f.resultVariants = ResultVariants::Many;
  f.lfEnabled = 1;
  f.lfThreshold = 8;
  f.hbEnabled = 1;
  f.hbRequired = {1, 0, 0, 1, 0, 1};
  EXPECT_EQ(Describe(f), (std::vector<std::string>{
                             "GM:Random, RV:Many; L(F) <=8",
                             Ru("H(п)=#?  (0?????" ");   S(п)={9};   "),
                             Ru("H(ч)=#?  (?????1);   M(ч)={Т};    "),
                             "HB:(=/?/?/=/?/=)",
                         }));

  // Cells set but the grid criterion off; lines required but balance off.
  f.smEnabled = 0;
  f.hbEnabled = 0;
  EXPECT_EQ(Describe(f), std::vector<std::string>{"GM:Random, RV:Many; L(F) <=8"});
  f.hbEnabled = 1;
  f.hbRequired = {};
  EXPECT_EQ(Describe(f).back(), "HB:(?/?/?/?/?/?)");
}

TEST(FilterDescription, TheOtherNotationNamesTheSameCells) {
  const FilterSettings f = FirstSuit({{3, S}, {5, M}});
  EXPECT_EQ(Describe(f, 1)[1], Ru("H(п)=#?  (0?????" ");   S(п)={9};   M(п)={В};    "));
  EXPECT_EQ(Describe(f, 2)[1], "H(s)=#?  (0?????" ");   S(s)={9};   M(s)={J};    ");
}

// A window in another language names the modes in its words; the settings
// keep theirs.
TEST(FilterDescription, ModesInTheWindowsWords) {
  const ModeWords ru{Ru("Случайный"), Ru("Один"), Ru("Много")};
  NotationSet n;
  SetNotation(n, 1);
  FilterSettings f;
  EXPECT_EQ(BuildFilterDescription(f, n, ru)[0], Ru("GM:Случайный, RV:Один"));
  f.resultVariants = ResultVariants::Many;
  EXPECT_EQ(BuildFilterDescription(f, n, ru)[0], Ru("GM:Случайный, RV:Много"));
  EXPECT_EQ(f.resultVariants, ResultVariants::Many);
}

}  // namespace
}  // namespace zlc
