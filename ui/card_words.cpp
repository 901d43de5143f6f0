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
// A suit as in "six of spades" and as in "any spade".
constexpr const char* kSuits[kSuitCount] = {
    QT_TRANSLATE_NOOP("CardWords", "spades"), QT_TRANSLATE_NOOP("CardWords", "diamonds"),
    QT_TRANSLATE_NOOP("CardWords", "clubs"), QT_TRANSLATE_NOOP("CardWords", "hearts")};
constexpr const char* kSuit[kSuitCount] = {
    QT_TRANSLATE_NOOP("CardWords", "spade"), QT_TRANSLATE_NOOP("CardWords", "diamond"),
    QT_TRANSLATE_NOOP("CardWords", "club"), QT_TRANSLATE_NOOP("CardWords", "heart")};
constexpr const char* kStates[3] = {QT_TRANSLATE_NOOP("CardWords", "any"),
                                    QT_TRANSLATE_NOOP("CardWords", "static"),
                                    QT_TRANSLATE_NOOP("CardWords", "mobile")};

QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

}  // namespace

QString CardWords(int rank, int suit) {
  return QCoreApplication::translate(kContext, "%1 of %2").arg(Tr(kRanks[rank]), Tr(kSuits[suit]));
}

QString SuitWords(int suit) { return Tr(kSuits[suit]); }

// Indexes as the grid lays them out: the 36 cards rank by rank, the rank
// wildcards, the suit wildcards, "??", and the gap at 0.
QString GridButtonWords(int index) {
  constexpr int kFirstRankWildcard = 1 + kRankCount * kSuitCount;
  constexpr int kFirstSuitWildcard = kFirstRankWildcard + kRankCount;
  constexpr int kCardWildcard = kFirstSuitWildcard + kSuitCount;
  const QString any = QCoreApplication::translate(kContext, "any %1");
  if (index == kGapButton) return QCoreApplication::translate(kContext, "gap");
  if (index < kFirstRankWildcard) return CardWords((index - 1) / kSuitCount, (index - 1) % kSuitCount);
  if (index < kFirstSuitWildcard) return any.arg(Tr(kRanks[index - kFirstRankWildcard]));
  if (index < kCardWildcard) return any.arg(Tr(kSuit[index - kFirstSuitWildcard]));
  return QCoreApplication::translate(kContext, "any card");
}

QString ElementStateWords(ElementState state) { return Tr(kStates[static_cast<int>(state)]); }

}  // namespace zlc::ui
