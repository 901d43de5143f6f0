// The cards, wildcards and element states in words, for screen readers: one
// small table, each word translatable, so that a translation replaces them
// all in one place.
#pragma once

#include <QString>

#include "filter/filter_settings.h"

namespace zlc::ui {

// "six of spades": rank 0..8 = six .. ace, suit 0..3 = spades, diamonds,
// clubs, hearts.
QString CardWords(int rank, int suit);
// "spades", "diamonds", "clubs" or "hearts".
QString SuitWords(int suit);
// What a button of the card grid stands for, by its index: a card, "any
// six", "any spade", "any card" or "gap".
QString GridButtonWords(int index);
// "any", "static" or "mobile".
QString ElementStateWords(ElementState state);

}  // namespace zlc::ui
