#include <gtest/gtest.h>

#include <string>

#include "analysis/classify.h"
#include "analysis/layout_line.h"
#include "analysis/result_record.h"
#include "cards/card_row.h"
#include "cards/notation.h"
#include "cards/task_editor.h"
#include "engine/layout.h"
#include "engine/settings.h"
#include "ru_text.h"

namespace zlc {
namespace {

NotationSet Notation(int kind) {
  NotationSet set;
  SetNotation(set, kind);
  return set;
}

// The cards read, or "fault N: text".
std::string Read(const std::string& text, int into = 2) {
  CardRowFault fault;
  const auto cards = ReadCardRow(text, Notation(into), fault);
  if (cards) return *cards;
  return "fault " + std::to_string(static_cast<int>(fault.why)) + ": " + fault.text;
}

std::string Fault(CardRowFault::Why why, const std::string& text) {
  return "fault " + std::to_string(static_cast<int>(why)) + ": " + text;
}

TEST(CardRow, EitherNotationWithOrWithoutSpaces) {
  EXPECT_EQ(Read("Ad 7s Kc"), "Ad7sKc");
  EXPECT_EQ(Read("Ad7sKc"), "Ad7sKc");
  EXPECT_EQ(Read("  Ad\t7s  Kc \r\n"), "Ad7sKc");
  EXPECT_EQ(Read(Ru("Тб7пКк")), "Ad7sKc");
  EXPECT_EQ(Read("Ad 7s Kc", 1), Ru("Тб7пКк"));
  // Each card is read in its own notation.
  EXPECT_EQ(Read(Ru("Xб 7s")), "Xd7s");
  EXPECT_EQ(Read("6s"), "6s");
  // The whole starting order, read back in the other notation.
  EXPECT_EQ(Read(std::string(kRuBaseDeck)), StripSpaces(kEnBaseDeck));
  EXPECT_EQ(Read(std::string(kEnBaseDeck), 1), StripSpaces(kRuBaseDeck));
}

TEST(CardRow, ResultLineOneWithEveryMarking) {
  // Line 1 of a result, as each marking writes it, reads back as its cards.
  Layout layout;
  const std::string dealt = StripSpaces(kRuBaseDeck);
  BindLayout(layout, dealt.data(), dealt.size());
  Chain work{};
  ClassifyElements(layout, work);
  ResultRecord record;
  RecordLayout(record, layout, Notation(1));
  record.rn = 1234;
  for (int transits : {0, 1}) {
    for (int statics : {0, 1, 2}) {
      for (int noSpaces : {0, 1}) {
        Settings marks;
        marks.markTransits = transits;
        marks.staticMarkMode = static_cast<StaticMarks>(statics);
        marks.deleteSpaces = noSpaces;
        std::string line;
        AppendLayoutLine(line, record, marks);
        EXPECT_EQ(Read(line, 1), dealt) << line;
      }
    }
  }
  EXPECT_EQ(Read(Ru("12. <[6п] 9к Дп> <[9б]> <[Xб] Кч ")), "6s9cQs9dXdKh");
  EXPECT_EQ(Read(" 7 . 6s 7d"), "6s7d");
}

TEST(CardRow, TextThatIsNoRowOfDistinctCards) {
  using Why = CardRowFault::Why;
  EXPECT_EQ(Read(""), Fault(Why::NoCard, ""));
  EXPECT_EQ(Read(" <> [] ! "), Fault(Why::NoCard, ""));
  EXPECT_EQ(Read("12. "), Fault(Why::NoCard, ""));
  EXPECT_EQ(Read("x1. 6s 7d"), Fault(Why::NumberExpected, "x1."));
  EXPECT_EQ(Read(". 6s 7d"), Fault(Why::NumberExpected, "."));
  EXPECT_EQ(Read("6s 7d."), Fault(Why::NumberExpected, "6s 7d."));
  EXPECT_EQ(Read("6s 7z"), Fault(Why::NotCardCharacter, "z"));
  EXPECT_EQ(Read("6s ?d"), Fault(Why::NotCardCharacter, "?"));
  EXPECT_EQ(Read("6s ** 7d"), Fault(Why::NotCardCharacter, "*"));
  EXPECT_EQ(Read("6s,7d"), Fault(Why::NotCardCharacter, ","));
  EXPECT_EQ(Read("ad"), Fault(Why::NotCardCharacter, "a"));  // letters as the notation writes them
  EXPECT_EQ(Read("6s s6"), Fault(Why::NoSuchCard, "s6"));
  EXPECT_EQ(Read(Ru("6s Тs")), Fault(Why::NoSuchCard, Ru("Тs")));
  EXPECT_EQ(Read("6s 7 8d"), Fault(Why::NoSuchCard, "78"));
  EXPECT_EQ(Read("6s 7d 8"), Fault(Why::Unpaired, "8"));
  EXPECT_EQ(Read("6s 7d 6s"), Fault(Why::RepeatedCard, "6s"));
  // The same card in the other notation is the same card.
  EXPECT_EQ(Read(Ru("6s 7d 6п")), Fault(Why::RepeatedCard, Ru("6п")));
  // A 37th card is always a repeated one.
  EXPECT_EQ(Read(std::string(kEnBaseDeck) + "Ad"), Fault(Why::RepeatedCard, "Ad"));
}

}  // namespace
}  // namespace zlc
