#include "ui/card_words.h"

#include <QCoreApplication>

#include "cards/task_editor.h"

namespace zlc::ui {
namespace {

constexpr const char* kContext = "CardWords";

constexpr const char* kRanks[kRankCount] = {
    QT_TRANSLATE_NOOP("CardWords", "six"),   QT_TRANSLATE_NOOP("CardWords", "seven"),
    QT_TRANSLATE_NOOP("CardWords", "eight"), QT_TRANSLATE_NOOP("CardWords", "nine"),
    QT_TRANSLATE_NOOP("CardWords", "ten"),   QT_TRANSLATE_NOOP("CardWords", "jack"),
    QT_TRANSLATE_NOOP("CardWords", "queen"), QT_TRANSLATE_NOOP("CardWords", "king"),
    QT_TRANSLATE_NOOP("CardWords", "ace")};
constexpr const char* kSuits[kSuitCount] = {
    QT_TRANSLATE_NOOP("CardWords", "spades"), QT_TRANSLATE_NOOP("CardWords", "diamonds"),
    QT_TRANSLATE_NOOP("CardWords", "clubs"), QT_TRANSLATE_NOOP("CardWords", "hearts")};
// The wildcards as whole phrases: a language whose "any" takes the gender
// of the card cannot build them from "any" and a word.
constexpr const char* kAnyRank[kRankCount] = {
    QT_TRANSLATE_NOOP("CardWords", "any six"),   QT_TRANSLATE_NOOP("CardWords", "any seven"),
    QT_TRANSLATE_NOOP("CardWords", "any eight"), QT_TRANSLATE_NOOP("CardWords", "any nine"),
    QT_TRANSLATE_NOOP("CardWords", "any ten"),   QT_TRANSLATE_NOOP("CardWords", "any jack"),
    QT_TRANSLATE_NOOP("CardWords", "any queen"), QT_TRANSLATE_NOOP("CardWords", "any king"),
    QT_TRANSLATE_NOOP("CardWords", "any ace")};
constexpr const char* kAnySuit[kSuitCount] = {
    QT_TRANSLATE_NOOP("CardWords", "any spade"), QT_TRANSLATE_NOOP("CardWords", "any diamond"),
    QT_TRANSLATE_NOOP("CardWords", "any club"), QT_TRANSLATE_NOOP("CardWords", "any heart")};
constexpr const char* kStates[3] = {QT_TRANSLATE_NOOP("CardWords", "any"),
                                    QT_TRANSLATE_NOOP("CardWords", "static"),
                                    QT_TRANSLATE_NOOP("CardWords", "mobile")};

QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

}  // namespace

QString CardWords(int rank, int suit) {
  return QCoreApplication::translate("CardWords", "%1 of %2").arg(Tr(kRanks[rank]), Tr(kSuits[suit]));
}

QString SuitWords(int suit) { return Tr(kSuits[suit]); }

// Indexes as the grid lays them out: the 36 cards rank by rank, the rank
// wildcards, the suit wildcards, "??", and the gap at 0.
QString GridButtonWords(int index) {
  constexpr int kFirstRankWildcard = 1 + kRankCount * kSuitCount;
  constexpr int kFirstSuitWildcard = kFirstRankWildcard + kRankCount;
  constexpr int kCardWildcard = kFirstSuitWildcard + kSuitCount;
  if (index == kGapButton) return QCoreApplication::translate("CardWords", "gap");
  if (index < kFirstRankWildcard) return CardWords((index - 1) / kSuitCount, (index - 1) % kSuitCount);
  if (index < kFirstSuitWildcard) return Tr(kAnyRank[index - kFirstRankWildcard]);
  if (index < kCardWildcard) return Tr(kAnySuit[index - kFirstSuitWildcard]);
  return QCoreApplication::translate("CardWords", "any card");
}

QString ElementStateWords(ElementState state) { return Tr(kStates[static_cast<int>(state)]); }

}  // namespace zlc::ui
