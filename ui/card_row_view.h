// A result's cards drawn as cards in their row, each in the place it was
// dealt at: static elements framed, transits arrowed, the segments of the F
// list shaded as groups, and a legend below. A step of the collapse
// highlights its triple and lifts the leaving card out; cards gone before
// it leave empty places, so the marks stay where they were.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "analysis/result_record.h"
#include "engine/collapse_replay.h"

namespace zlc::ui {

// A card's look: its rank as the notation in force writes it and its suit.
struct ShownCard {
  QString rank;
  int suit = 0;  // 0..3: spades, diamonds, clubs, hearts
  bool isStatic = false;
  bool transit = false;
};

// "7♠": the rank letter and the suit's symbol.
QString CardSymbolText(const ShownCard& card);

class CardRowView : public QWidget {
  Q_OBJECT

 public:
  explicit CardRowView(QWidget* parent = nullptr);

  void SetCards(const std::array<ShownCard, kDeckSize>& cards, int count);
  // `done` steps of `replay` made; 0 shows the whole row.
  void SetStep(const CollapseReplay* replay, int done);
  // How far the leaving card has moved out, 0..1.
  void SetLift(double lift);

  // Whether the card dealt at `position` is still in the row.
  bool CardInRow(int position) const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  struct Metrics {
    int cardWidth, cardHeight, gap, groupGap, lift, lineHeight, margin;
  };
  Metrics Measure() const;
  // Places every card for a width; returns the height the cards take.
  int PlaceCards(int width, std::array<QRect, kDeckSize>& rects) const;
  void DrawCard(QPainter& p, const QRect& r, const ShownCard& card, bool gone) const;
  // Draws the legend below `top`, or only measures it when `p` is null;
  // returns its height.
  int DrawLegend(QPainter* p, int top, int width) const;
  int LegendHeight(int width) const;

  std::array<ShownCard, kDeckSize> cards_{};
  int count_ = 0;
  std::array<QRect, kDeckSize> rects_{};
  std::uint64_t inRow_ = ~0ull;
  const CollapseStep* step_ = nullptr;
  double lift_ = 1;
};

}  // namespace zlc::ui
