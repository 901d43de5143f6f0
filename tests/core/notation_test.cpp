#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cards/notation.h"
#include "ru_text.h"

namespace zlc {
namespace {

const char* const kEnDeckText =
    "Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd "
    "Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d ";
const char* const kRuDeckText =
    "Тб 7п Кк Тч 9к Кп 6п 8п Xч 7к 8к Вп 6ч 6к Вч Тп Дп Вк 7б 7ч 9п Xп Xк Вб "
    "Кч Xб 8ч 9ч Кб Дч Дб 8б Дк 6б Тк 9б ";

void ExpectSet(const NotationSet& set, const std::string& name, const std::string& ranks,
               const std::string& suits, const std::string& deck) {
  EXPECT_EQ(set.notationName, name);
  EXPECT_EQ(set.rankLetters, ranks);
  EXPECT_EQ(set.suitLetters, suits);
  EXPECT_EQ(set.baseDeck, deck);
}

TEST(Notation, SetNotationKinds) {
  NotationSet set;
  ExpectSet(set, "Ru", Ru("6789XВДКТ"), Ru("пбкч"), Ru(kRuDeckText));
  SetNotation(set, 2);
  ExpectSet(set, "En", "6789XJQKA", "sdch", kEnDeckText);
  for (int kind : {0, 3, -1, 12}) SetNotation(set, kind);
  ExpectSet(set, "En", "6789XJQKA", "sdch", kEnDeckText);
  SetNotation(set, 1);
  ExpectSet(set, "Ru", Ru("6789XВДКТ"), Ru("пбкч"), Ru(kRuDeckText));
  // The Cyrillic king and clubs differ in case, and so in their byte.
  EXPECT_EQ(set.rankLetters[7], '\xCA');
  EXPECT_EQ(set.suitLetters[2], '\xEA');
}

TEST(Notation, BaseDecksHoldEveryCardOnceInTheSameOrder) {
  for (int kind : {1, 2}) {
    NotationSet set;
    SetNotation(set, kind);
    ASSERT_EQ(set.baseDeck.size(), 108u);
    std::set<std::string> seen;
    for (std::size_t k = 0; k < 36; ++k) {
      EXPECT_EQ(set.baseDeck[3 * k + 2], ' ');
      std::string code = set.baseDeck.substr(3 * k, 2);
      EXPECT_NE(set.rankLetters.find(code[0]), std::string::npos) << code;
      EXPECT_NE(set.suitLetters.find(code[1]), std::string::npos) << code;
      seen.insert(code);
    }
    EXPECT_EQ(seen.size(), 36u);
  }
  // Same order: the Ru deck is the En deck letter for letter.
  const std::string en = kEnDeckText;
  const std::string ru = Ru(kRuDeckText);
  const std::string enR = "6789XJQKA", enS = "sdch", ruR = Ru("6789XВДКТ"), ruS = Ru("пбкч");
  for (std::size_t k = 0; k < 36; ++k) {
    EXPECT_EQ(ru[3 * k], ruR[enR.find(en[3 * k])]) << k;
    EXPECT_EQ(ru[3 * k + 1], ruS[enS.find(en[3 * k + 1])]) << k;
  }
}

TEST(Notation, CardCodeIsRankThenSuit) {
  NotationSet set;
  EXPECT_EQ(CardCode(set, 8, 1), Ru("Тб"));
  EXPECT_EQ(CardCode(set, 7, 2), Ru("Кк"));
  SetNotation(set, 2);
  EXPECT_EQ(CardCode(set, 8, 1), "Ad");
  EXPECT_EQ(CardCode(set, 4, 3), "Xh");
  EXPECT_EQ(CardCode(set, 0, 0), "6s");
}

TEST(Notation, ConvertTaskRoundTrip) {
  const std::string ru = Ru("Тб 7п ?ч 6? ** Кк Вб X? ?? ");
  const std::string en = "Ad 7s ?h 6? ** Kc Jd X? ?? ";
  NotationSet set;
  SetNotation(set, 2);
  EXPECT_EQ(ConvertTaskNotation(set, ru), en);
  SetNotation(set, 1);
  EXPECT_EQ(ConvertTaskNotation(set, en), ru);
  EXPECT_EQ(ConvertTaskNotation(set, ConvertTaskNotation(set, ru)), ru);
}

TEST(Notation, ConvertLeavesTextAlreadyInTargetAlone) {
  NotationSet set;
  const std::string ru = Ru("Тб 7п Кк ?ч 6? X? ** ");
  EXPECT_EQ(ConvertTaskNotation(set, ru), ru);
  SetNotation(set, 2);
  const std::string en = "Ad 7s Kc ?h 6? X? ** ";
  EXPECT_EQ(ConvertTaskNotation(set, en), en);
  EXPECT_EQ(ConvertTaskNotation(set, ""), "");
}

// The selector's text while the user types: only a whole name switches, and
// the name in force never takes the letters of something else, so that it
// is always a notation a later start can read back.
TEST(Notation, OnlyAWholeNameSwitches) {
  NotationSet set;
  SelectNotationName(set, "En");
  ExpectSet(set, "En", "6789XJQKA", "sdch", kEnDeckText);
  for (const char* other : {"Eng", "en", "E", "", " En", "Fr", "Ru\n"}) {
    SelectNotationName(set, other);
    ExpectSet(set, "En", "6789XJQKA", "sdch", kEnDeckText);
  }
  SelectNotationName(set, "Ru");
  ExpectSet(set, "Ru", Ru("6789XВДКТ"), Ru("пбкч"), Ru(kRuDeckText));
  SelectNotationName(set, "R");
  SelectNotationName(set, "RuEn");
  ExpectSet(set, "Ru", Ru("6789XВДКТ"), Ru("пбкч"), Ru(kRuDeckText));
}

TEST(Notation, DetectNotation) {
  EXPECT_EQ(DetectNotation("6?7?**"), Notation::Ru);  // nothing decides
  EXPECT_EQ(DetectNotation(""), Notation::Ru);
  EXPECT_EQ(DetectNotation(Ru("6пAd")), Notation::Ru);  // the first token decides
  EXPECT_EQ(DetectNotation(Ru("Ad6п")), Notation::En);
  // A shared rank letter leaves it to the suit.
  EXPECT_EQ(DetectNotation("6d"), Notation::En);
  EXPECT_EQ(DetectNotation(Ru("Xч")), Notation::Ru);
  EXPECT_EQ(DetectNotation(Ru("**X?9пAd")), Notation::Ru);
  EXPECT_EQ(DetectNotation("?s"), Notation::En);
  EXPECT_EQ(DetectNotation(Ru("?к")), Notation::Ru);
  EXPECT_EQ(DetectNotation("*h"), Notation::En);
  // A rank letter of one notation only decides even with a foreign suit.
  EXPECT_EQ(DetectNotation(Ru("Тs")), Notation::Ru);
  EXPECT_EQ(DetectNotation(Ru("Aп")), Notation::En);
  EXPECT_EQ(DetectNotation(Ru("Кs")), Notation::Ru);
  // A trailing odd character is no token.
  EXPECT_EQ(DetectNotation("6?A"), Notation::Ru);
  EXPECT_EQ(DetectNotation(Ru("??К")), Notation::Ru);
  EXPECT_EQ(DetectNotation("6?7?s"), Notation::Ru);
}

TEST(Notation, LabelText) {
  NotationSet set;
  EXPECT_EQ(NotationLabelText(set), Ru("{6,7,8,9,X,В,Д,К,Т} && {п,б,к,ч}"));
  SetNotation(set, 2);
  EXPECT_EQ(NotationLabelText(set), "{6,7,8,9,X,J,Q,K,A} && {s,d,c,h}");
}

}  // namespace
}  // namespace zlc
