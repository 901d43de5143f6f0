#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <utility>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cards/notation.h"
#include "cards/task_editor.h"
#include "ru_text.h"

namespace zlc {
namespace {

// Sanitizer builds check every byte a copy or search touches: time bounds
// there are looser.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowBuild = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSlowBuild = 5;
#else
constexpr int kSlowBuild = 1;
#endif
#else
constexpr int kSlowBuild = 1;
#endif

class TaskEditorTest : public ::testing::Test {
 protected:
  void UseEn() {
    SetNotation(notation, 2);
    editor.BuildCardGrid();
  }
  // Clicks the buttons of a spaced token list; each must be accepted.
  void Click(const std::string& tokens) {
    std::istringstream in(tokens);
    for (std::string t; in >> t;) {
      int b = editor.FindCardButton(t);
      ASSERT_GE(b, 0) << t;
      ASSERT_TRUE(editor.CardButtonClick(b)) << t << " refused after " << editor.Text();
    }
  }
  bool On(const std::string& token) const {
    int b = editor.FindCardButton(token);
    EXPECT_GE(b, 0) << token;
    return b >= 0 && editor.Enabled(b);
  }
  int EnabledCount() const {
    int n = 0;
    for (int i = 0; i < kCardButtonCount; ++i) n += editor.Enabled(i) ? 1 : 0;
    return n;
  }
  std::array<bool, kCardButtonCount> States() const {
    std::array<bool, kCardButtonCount> s{};
    for (int i = 0; i < kCardButtonCount; ++i) s[i] = editor.Enabled(i);
    return s;
  }

  NotationSet notation;
  TaskEditor editor{notation};
};

TEST_F(TaskEditorTest, FindCardButton) {
  UseEn();
  const std::string ranks = "6789XJQKA", suits = "sdch";
  for (int r = 0; r < 9; ++r) {
    for (int s = 0; s < 4; ++s) EXPECT_EQ(editor.FindCardButton(std::string{ranks[r], suits[s]}), 1 + 4 * r + s);
    EXPECT_EQ(editor.FindCardButton(std::string{ranks[r], '?'}), 37 + r);
  }
  for (int s = 0; s < 4; ++s) EXPECT_EQ(editor.FindCardButton(std::string{'?', suits[s]}), 46 + s);
  EXPECT_EQ(editor.FindCardButton("??"), 50);
  EXPECT_EQ(editor.FindCardButton("**"), 0);
  for (const char* bad : {"", "6", "6s ", "s6", "?*", "*?", "Zz", "ad"}) EXPECT_EQ(editor.FindCardButton(bad), -1) << bad;
  EXPECT_EQ(editor.FindCardButton(Ru("Тб")), -1);
  SetNotation(notation, 1);
  editor.BuildCardGrid();
  EXPECT_EQ(editor.FindCardButton(Ru("Тб")), 34);
  EXPECT_EQ(editor.FindCardButton(Ru("Кк")), 31);
  EXPECT_EQ(editor.FindCardButton(Ru("В?")), 42);
  EXPECT_EQ(editor.FindCardButton(Ru("?ч")), 49);
  EXPECT_EQ(editor.FindCardButton("Ad"), -1);
  EXPECT_EQ(editor.Caption(1), Ru("6п"));
}

TEST_F(TaskEditorTest, ThirtySixTokensFillTheTask) {
  UseEn();
  EXPECT_EQ(editor.TaskCaption(), "Task (L=0/36)");
  for (int k = 1; k <= 35; ++k) Click("??");
  EXPECT_EQ(editor.TaskLength(), 35);
  EXPECT_FALSE(editor.TaskComplete());
  EXPECT_EQ(editor.TaskCaption(), "Task (L=35/36)");
  EXPECT_EQ(EnabledCount(), 51);
  Click("??");
  EXPECT_EQ(editor.TaskLength(), 36);
  EXPECT_TRUE(editor.TaskComplete());
  EXPECT_EQ(editor.TaskCaption(), "Task (L=36/36)");
  EXPECT_EQ(EnabledCount(), 0);
  EXPECT_FALSE(editor.CardButtonClick(0));

  editor.ClearTask();
  Click(notation.baseDeck);  // 36 card codes
  EXPECT_EQ(editor.Text(), notation.baseDeck);
  EXPECT_EQ(editor.TaskLength(), 36);
  EXPECT_TRUE(editor.TaskComplete());
  EXPECT_EQ(EnabledCount(), 0);
}

TEST_F(TaskEditorTest, GapAlone) {
  UseEn();
  Click("**");
  EXPECT_EQ(editor.Text(), "** ");
  EXPECT_EQ(editor.TaskLength(), 36);
  EXPECT_TRUE(editor.TaskComplete());
  EXPECT_FALSE(editor.Enabled(kGapButton));
  EXPECT_EQ(EnabledCount(), 50);
  Click("Ad");
  EXPECT_TRUE(editor.Enabled(kGapButton));
  EXPECT_EQ(editor.TaskLength(), 36);
  Click("** 7s");
  EXPECT_EQ(editor.Text(), "** Ad ** 7s ");
  EXPECT_EQ(editor.TaskCaption(), "Task (L=36/36)");
}

TEST_F(TaskEditorTest, RankWildcardsUseUpTheirRank) {
  UseEn();
  Click("6? 6? 6?");
  EXPECT_TRUE(On("6s") && On("6h") && On("6?"));
  Click("6?");
  for (const char* t : {"6s", "6d", "6c", "6h", "6?"}) EXPECT_FALSE(On(t)) << t;
  EXPECT_EQ(EnabledCount(), 46);

  editor.ClearTask();
  Click("6s 6d 6c");
  EXPECT_TRUE(On("6h") && On("6?"));
  Click("6?");
  EXPECT_FALSE(On("6h"));
  EXPECT_FALSE(On("6?"));
  EXPECT_TRUE(On("7?") && On("?h") && On("??"));

  editor.ClearTask();
  Click("6s 6d 6c 6h");  // no six left for a wildcard
  EXPECT_FALSE(On("6?"));
  EXPECT_TRUE(On("?s") && On("7?"));
}

TEST_F(TaskEditorTest, SuitWildcardsUseUpTheirSuit) {
  UseEn();
  Click("6s 7s 8s 9s Xs Js Qs Ks");
  EXPECT_TRUE(On("As") && On("?s"));
  Click("?s");
  EXPECT_FALSE(On("As"));
  EXPECT_FALSE(On("?s"));
  EXPECT_TRUE(On("A?") && On("Ad") && On("?d"));

  editor.ClearTask();
  Click("6s 7s 8s 9s Xs Js Qs Ks As");
  EXPECT_FALSE(On("?s"));
  EXPECT_EQ(EnabledCount(), 51 - 10);
}

TEST_F(TaskEditorTest, RankAndSuitRulesFeedEachOther) {
  UseEn();
  // Seven spades leave 6s and As; one ?s does not decide yet.
  Click("7s 8s 9s Xs Js Qs Ks ?s 6? 6? 6?");
  EXPECT_TRUE(On("As") && On("?s") && On("6s"));
  // The fourth 6? takes 6s, which leaves As as the only spade for ?s.
  Click("6?");
  EXPECT_FALSE(On("6s"));
  EXPECT_FALSE(On("As"));
  EXPECT_FALSE(On("?s"));
  EXPECT_TRUE(On("Ad") && On("?d") && On("A?"));

  // The other way round, which needs a second pass: ?s takes 6s, the last
  // free spade, and then 6? has only 6h left.
  editor.ClearTask();
  Click("6d 6c 6? 7s 8s 9s Xs Js Qs Ks As");
  EXPECT_TRUE(On("6s") && On("6h") && On("6?"));
  Click("?s");
  EXPECT_FALSE(On("6s"));
  EXPECT_FALSE(On("?s"));
  EXPECT_FALSE(On("6h"));
  EXPECT_FALSE(On("6?"));
  EXPECT_TRUE(On("7h") && On("?h"));
}

TEST_F(TaskEditorTest, ClearTask) {
  UseEn();
  Click("6? 6? 6? 6? ** Ad");
  editor.SetVariantsReady(true);
  editor.ClearTask();
  EXPECT_EQ(editor.Text(), "");
  EXPECT_EQ(EnabledCount(), 51);
  EXPECT_EQ(editor.TaskCaption(), "Task (L=0/36)");
  EXPECT_EQ(editor.TaskLength(), 0);
  EXPECT_FALSE(editor.TaskComplete());
  EXPECT_FALSE(editor.VariantsReady());
}

TEST_F(TaskEditorTest, DeleteSelected) {
  UseEn();
  const std::string task = "6s 7d 8c 9h ";
  struct Case {
    int start, length;
    const char* after;
  };
  const Case cases[] = {
      {4, 3, "6s 9h "},        // middle of 7d to middle of 8c
      {5, 1, "6s 7d 8c 9h "},  // the space between 7d and 8c only
      {5, 2, "6s 7d 9h "},     // begins on 7d's space: 7d stays
      {4, 0, "6s 7d 8c 9h "},  // empty selection
      {0, 2, "7d 8c 9h "},     // one whole token
      {0, 1, "7d 8c 9h "},
      {3, 3, "6s 8c 9h "},     // token with its space
      {3, 4, "6s 9h "},        // reaches into the next token
      {7, 5, "6s 7d "},        // up to the end
      {0, 12, ""},
  };
  for (const Case& c : cases) {
    editor.LoadTaskText(task);
    ASSERT_EQ(editor.Text(), task);
    editor.DeleteSelected(c.start, c.length);
    EXPECT_EQ(editor.Text(), c.after) << c.start << "+" << c.length;
  }
}

TEST_F(TaskEditorTest, DeleteSelectedRebuildsTheTask) {
  UseEn();
  Click("** 6s **");
  editor.DeleteSelected(3, 1);
  EXPECT_EQ(editor.Text(), "** ");
  EXPECT_EQ(editor.TaskLength(), 36);
  EXPECT_FALSE(editor.Enabled(kGapButton));

  UseEn();  // the gap alone names no notation and loads as Ru
  editor.ClearTask();
  Click("6? 6? 6? 6? 7s Ad");
  editor.DeleteSelected(0, 1);
  EXPECT_EQ(editor.Text(), "6? 6? 6? 7s Ad ");
  EXPECT_TRUE(On("6s") && On("6?"));
  EXPECT_FALSE(On("Ad"));
  editor.DeleteSelected(12, 2);
  EXPECT_EQ(editor.Text(), "6? 6? 6? 7s ");
  EXPECT_TRUE(On("Ad"));
  EXPECT_FALSE(On("7s"));
  EXPECT_EQ(editor.TaskLength(), 4);
}

TEST_F(TaskEditorTest, DeletingDownToUndecidedTokensKeepsTheNotation) {
  UseEn();
  Click("** 6s ** 7?");
  editor.DeleteSelected(3, 2);  // 6s goes; "** 7?" names no notation
  EXPECT_EQ(editor.Text(), "** 7? ");
  EXPECT_EQ(notation.notationName, "En");
  EXPECT_EQ(editor.Caption(1), "6s");
  // Loading the same text from elsewhere still reads it as Ru.
  editor.LoadTaskText("** 7? ");
  EXPECT_EQ(notation.notationName, "Ru");
}

TEST_F(TaskEditorTest, LoadCleansTheText) {
  UseEn();
  editor.LoadTaskText("6. Ad 7s");  // a result number before the first "."
  EXPECT_EQ(editor.Text(), "Ad 7s ");
  editor.LoadTaskText("3. Ad. 7s");
  EXPECT_EQ(editor.Text(), "Ad 7s ");
  editor.LoadTaskText("<Ad>! [7s]0125 Kc\t\r\n");
  EXPECT_EQ(editor.Text(), "Ad 7s Kc ");
  editor.LoadTaskText("Ad Ad 7s Ad");
  EXPECT_EQ(editor.Text(), "Ad 7s ");
  editor.LoadTaskText("** **");
  EXPECT_EQ(editor.Text(), "** ");
  editor.LoadTaskText("6s ** ** ** 7d **");
  EXPECT_EQ(editor.Text(), "6s ** 7d ** ");
  editor.LoadTaskText("AdK");  // trailing odd character
  EXPECT_EQ(editor.Text(), "Ad ");
  editor.LoadTaskText(std::string("A\0d\x01 7\xFFs", 8));
  EXPECT_EQ(editor.Text(), "Ad 7s ");
  editor.LoadTaskText("");
  EXPECT_EQ(editor.Text(), "");
  EXPECT_EQ(editor.TaskCaption(), "Task (L=0/36)");
}

// What a load leaves out, and why, in the text's order; the task it builds
// is the one the cases above check.
TEST_F(TaskEditorTest, LoadTellsWhatItSkipped) {
  using W = SkippedText::Why;
  using Parts = std::vector<std::pair<W, std::string>>;
  auto load = [this](std::string_view text) {
    Parts parts;
    const SkippedTexts skipped = editor.LoadTaskText(text);
    EXPECT_EQ(skipped.more, 0u) << text;
    for (const SkippedText& p : skipped.parts) parts.emplace_back(p.why, p.text);
    return parts;
  };
  UseEn();
  EXPECT_EQ(load("6. Ad 7s"), (Parts{{W::BeforeDot, "6."}}));
  EXPECT_EQ(load("<Ad>! [7s]0125 Kc\t\r\n"),
            (Parts{{W::NotCardCharacter, "<"}, {W::NotCardCharacter, ">!"}, {W::NotCardCharacter, "["},
                   {W::NotCardCharacter, "]0125"}, {W::NotCardCharacter, "\t\r\n"}}));
  EXPECT_EQ(editor.Text(), "Ad 7s Kc ");
  EXPECT_EQ(load("Ad Ad 7s Ad"), (Parts{{W::AlreadyInTask, "Ad"}, {W::AlreadyInTask, "Ad"}}));
  EXPECT_EQ(load("** ** 6s"), (Parts{{W::RepeatedGap, "**"}}));
  EXPECT_EQ(load("AdK"), (Parts{{W::Unpaired, "K"}}));
  EXPECT_EQ(load("6s 6d 6c 6h 6? ?s ?s"), (Parts{{W::NoCardLeft, "6?"}}));
  EXPECT_EQ(load("6? 6? 6? 6? 6s 7s"), (Parts{{W::NoCardLeft, "6s"}}));
  // A dropped letter shifts the pairs after it: each is told.
  EXPECT_EQ(load("Zs Ad"), (Parts{{W::NotCardCharacter, "Z"}, {W::NoSuchToken, "sA"}, {W::Unpaired, "d"}}));
  EXPECT_EQ(editor.Text(), "");
  // The unassigned byte a character Windows-1251 cannot hold became.
  EXPECT_EQ(load("A\x98 **"), (Parts{{W::NotCardCharacter, "\x98"}, {W::NoSuchToken, "A*"}, {W::Unpaired, "*"}}));
  EXPECT_EQ(editor.TaskLength(), 0);

  // The first notation decides; a card of the other one is no token.
  EXPECT_EQ(load(Ru("6п Ad Тб")), (Parts{{W::NoSuchToken, "Ad"}}));
  EXPECT_EQ(editor.Text(), Ru("6п Тб "));

  EXPECT_EQ(load(notation.baseDeck + "?? 6?"), (Parts{{W::TaskFull, "??6?"}}));
  std::string many = "** ";
  for (int i = 0; i < 40; ++i) many += "?? ";
  EXPECT_EQ(load(many), (Parts{{W::TaskFull, "????????"}}));
  EXPECT_TRUE(load("** Ad 7s").empty());
}

TEST_F(TaskEditorTest, LoadKeepsTheFirstSkippedPartsAndCountsTheRest) {
  UseEn();
  std::string repeated;
  for (int i = 0; i < 5000; ++i) repeated += "6s ";
  const SkippedTexts skipped = editor.LoadTaskText(repeated);
  EXPECT_EQ(editor.Text(), "6s ");
  ASSERT_EQ(skipped.parts.size(), SkippedTexts::kMostParts);
  EXPECT_EQ(skipped.parts.back().why, SkippedText::Why::AlreadyInTask);
  EXPECT_EQ(skipped.more, 4999u - SkippedTexts::kMostParts);

  const SkippedTexts junk = editor.LoadTaskText(std::string(100000, '<') + " 7s");
  EXPECT_EQ(editor.Text(), "7s ");
  ASSERT_EQ(junk.parts.size(), 1u);
  EXPECT_EQ(junk.parts[0].text, std::string(SkippedTexts::kMostBytes, '<'));
}

TEST_F(TaskEditorTest, LoadStopsAfterThirtySixTokens) {
  UseEn();
  editor.LoadTaskText(notation.baseDeck + "?? 6?");
  EXPECT_EQ(editor.Text(), notation.baseDeck);
  std::string many;
  for (int i = 0; i < 40; ++i) many += "?? ";
  editor.LoadTaskText("** " + many);
  EXPECT_EQ(StripSpaces(editor.Text()).size(), 2u * 37);
  EXPECT_EQ(editor.Text().substr(0, 6), "** ?? ");
}

TEST_F(TaskEditorTest, LoadReplaysAndSwitchesNotation) {
  Click(Ru("Тб 7п ?ч 6? ** Кк"));
  const std::string saved = editor.Text();
  const auto states = States();
  editor.LoadTaskText(saved);
  EXPECT_EQ(editor.Text(), saved);
  EXPECT_EQ(States(), states);

  editor.LoadTaskText("6s Ad ?h");  // En text while Ru is active
  EXPECT_EQ(notation.notationName, "En");
  EXPECT_EQ(notation.rankLetters, "6789XJQKA");
  EXPECT_EQ(editor.Caption(1), "6s");
  EXPECT_EQ(editor.Text(), "6s Ad ?h ");
  EXPECT_FALSE(On("Ad"));

  editor.LoadTaskText("6? 7? **");  // nothing decides: back to Ru
  EXPECT_EQ(notation.notationName, "Ru");
  EXPECT_EQ(editor.Caption(1), Ru("6п"));
  EXPECT_EQ(editor.Text(), "6? 7? ** ");
}

TEST_F(TaskEditorTest, LoadSurvivesHugeAndBinaryInput) {
  UseEn();
  const auto began = std::chrono::steady_clock::now();
  std::mt19937 gen(7u);
  std::string binary(10u << 20, '\0');
  for (char& c : binary) c = static_cast<char>(gen() & 0xFF);
  editor.LoadTaskText(binary);
  EXPECT_EQ(editor.Text().size() % 3, 0u);
  EXPECT_LE(editor.TaskLength(), 36);
  EXPECT_EQ(editor.Text().find("** ** "), std::string::npos);

  std::string junk(10u << 20, '<');
  for (std::size_t i = 0; i < junk.size(); i += 7) junk[i] = '\0';
  editor.LoadTaskText(junk + "Kc 7s");
  EXPECT_EQ(editor.Text(), "Kc 7s ");

  std::string repeated;
  repeated.reserve(10u << 20);
  while (repeated.size() < (10u << 20)) repeated += "6s ";
  editor.LoadTaskText(repeated + "7d");
  EXPECT_EQ(editor.Text(), "6s 7d ");

  // Pairs that name no button cost a full search of the grid each.
  std::string unknown;
  unknown.reserve(1u << 20);
  while (unknown.size() < (1u << 20)) unknown += "?*";
  editor.LoadTaskText(unknown + "6d");
  EXPECT_EQ(editor.Text(), "6d ");
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - began).count();
  EXPECT_LT(ms, kSlowBuild * 3000);
}

TEST_F(TaskEditorTest, EveryChangeOfTheTextDropsTheVariants) {
  Click(Ru("Тб 7п ?ч 6? **"));
  editor.SetVariantsReady(true);
  editor.ShowVariants(12);
  editor.ConvertTaskNotation();  // already Ru: the same text again
  EXPECT_TRUE(editor.VariantsReady());
  EXPECT_EQ(editor.ShownVariants(), 12);
  editor.DeleteSelected(4, 0);
  EXPECT_TRUE(editor.VariantsReady());

  const auto states = States();
  SetNotation(notation, 2);
  editor.BuildCardGrid();
  editor.ConvertTaskNotation();
  EXPECT_EQ(editor.Text(), "Ad 7s ?h 6? ** ");
  EXPECT_FALSE(editor.VariantsReady());
  EXPECT_EQ(editor.ShownVariants(), -1);
  EXPECT_EQ(States(), states);  // the same buttons stand for the same cards
  EXPECT_FALSE(On("Ad"));

  SetNotation(notation, 1);
  editor.BuildCardGrid();
  editor.ConvertTaskNotation();
  EXPECT_EQ(editor.Text(), Ru("Тб 7п ?ч 6? ** "));

  editor.SetVariantsReady(true);
  editor.ShowVariants(3);
  Click(Ru("Кк"));
  EXPECT_FALSE(editor.VariantsReady());
  EXPECT_EQ(editor.ShownVariants(), -1);

  editor.SetVariantsReady(true);
  editor.ShowVariants(3);
  editor.DeleteSelected(0, 1);
  EXPECT_FALSE(editor.VariantsReady());
  EXPECT_EQ(editor.ShownVariants(), -1);
}

}  // namespace
}  // namespace zlc
