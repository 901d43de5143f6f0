#include "ui/card_row_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace zlc::ui {
namespace {

constexpr QChar kSuitSymbols[kSuitCount] = {QChar(0x2660), QChar(0x2666), QChar(0x2663), QChar(0x2665)};

// Card faces keep the colours of paper cards under any palette; the marks
// around them are drawn so that they read on a light and a dark window.
constexpr QColor kFace{253, 253, 250};
constexpr QColor kRed{200, 16, 46};
constexpr QColor kBlack{16, 16, 16};
constexpr QColor kStaticFrame{31, 58, 147};
constexpr QColor kTransit{224, 112, 0};
const QColor kGroupShades[2] = {QColor(70, 130, 180, 70), QColor(60, 170, 90, 70)};

bool IsRed(int suit) { return suit == 1 || suit == 3; }

}  // namespace

QString CardSymbolText(const ShownCard& card) { return card.rank + kSuitSymbols[card.suit]; }

CardRowView::CardRowView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void CardRowView::SetCards(const std::array<ShownCard, kDeckSize>& cards, int count) {
  cards_ = cards;
  count_ = count;
  PlaceCards(width(), rects_);
  updateGeometry();
  update();
}

void CardRowView::SetStep(const CollapseReplay* replay, int done) {
  step_ = replay && done > 0 ? &replay->steps[done - 1] : nullptr;
  inRow_ = step_ ? step_->rowAfter : ~0ull;
  update();
}

void CardRowView::SetLift(double lift) {
  lift_ = lift;
  update();
}

bool CardRowView::CardInRow(int position) const {
  return position >= 0 && position < count_ && ((inRow_ >> position) & 1u) != 0;
}

CardRowView::Metrics CardRowView::Measure() const {
  const int h = fontMetrics().height();
  const int cardHeight = h * 5 / 2 + 4;
  return {h * 2 + 2, cardHeight, std::max(2, h / 4), h, cardHeight / 2, cardHeight / 2 + cardHeight + h / 2,
          h / 2};
}

int CardRowView::PlaceCards(int width, std::array<QRect, kDeckSize>& rects) const {
  const Metrics m = Measure();
  int x = m.margin;
  int top = m.margin;
  for (int i = 0; i < count_; ++i) {
    if (x > m.margin && x + m.cardWidth + m.margin > width) {
      x = m.margin;
      top += m.lineHeight;
    }
    rects[static_cast<std::size_t>(i)] = QRect(x, top + m.lift, m.cardWidth, m.cardHeight);
    x += m.cardWidth + (cards_[static_cast<std::size_t>(i)].transit ? m.groupGap : m.gap);
  }
  return count_ == 0 ? 0 : top + m.lineHeight;
}

int CardRowView::heightForWidth(int width) const {
  std::array<QRect, kDeckSize> rects;
  return PlaceCards(width, rects) + LegendHeight(width) + Measure().margin;
}

QSize CardRowView::sizeHint() const {
  const Metrics m = Measure();
  const int width = 2 * m.margin + 18 * (m.cardWidth + m.gap) + 4 * m.groupGap;
  return {width, heightForWidth(width)};
}

QSize CardRowView::minimumSizeHint() const {
  const Metrics m = Measure();
  const int width = 2 * m.margin + 9 * (m.cardWidth + m.gap);
  return {width, heightForWidth(width)};
}

void CardRowView::resizeEvent(QResizeEvent*) { PlaceCards(width(), rects_); }

void CardRowView::DrawCard(QPainter& p, const QRect& r, const ShownCard& card, bool gone) const {
  const Metrics m = Measure();
  const int radius = m.cardWidth / 8;
  if (gone) {
    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
    return;
  }
  p.setBrush(kFace);
  p.setPen(card.isStatic ? QPen(kStaticFrame, 3) : QPen(QColor(128, 128, 128), 1));
  p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
  QFont face = font();
  face.setBold(true);
  p.setFont(face);
  p.setPen(IsRed(card.suit) ? kRed : kBlack);
  const QRect upper(r.left(), r.top() + 3, r.width(), r.height() / 2 - 3);
  p.drawText(upper, Qt::AlignCenter, card.rank);
  QFont symbol = font();
  symbol.setPixelSize(std::max(8, r.height() * 2 / 5));
  p.setFont(symbol);
  p.drawText(QRect(r.left(), r.center().y(), r.width(), r.height() / 2 - 2), Qt::AlignCenter,
             QString(kSuitSymbols[card.suit]));
  p.setFont(font());
}

namespace {

// A transit's arrow, pointing out of its segment.
void DrawTransitMark(QPainter& p, const QRect& card, int size) {
  const int x = card.right() + 2;
  const int y = card.center().y();
  QPainterPath arrow;
  arrow.moveTo(x, y - size);
  arrow.lineTo(x + size, y);
  arrow.lineTo(x, y + size);
  arrow.closeSubpath();
  p.fillPath(arrow, kTransit);
}

}  // namespace

void CardRowView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const Metrics m = Measure();

  // The segments as groups: one shaded band per segment and line, its
  // length written over the first card of the segment.
  int group = 0;
  int groupStart = 0;
  for (int i = 0; i < count_; ++i) {
    const bool ends = cards_[static_cast<std::size_t>(i)].transit || i == count_ - 1;
    const bool wraps = i + 1 < count_ && rects_[static_cast<std::size_t>(i + 1)].top() != rects_[static_cast<std::size_t>(i)].top();
    if (ends || wraps) {
      const QRect first = rects_[static_cast<std::size_t>(groupStart)];
      const QRect last = rects_[static_cast<std::size_t>(i)];
      const QRect band(first.left() - m.gap, first.top() - m.lift / 2, last.right() - first.left() + 2 * m.gap,
                       m.cardHeight + m.lift / 2 + m.gap);
      p.setPen(Qt::NoPen);
      p.setBrush(kGroupShades[group % 2]);
      p.drawRoundedRect(band, m.gap, m.gap);
      groupStart = i + 1;
    }
    if (ends) ++group;
  }
  p.setPen(palette().color(QPalette::WindowText));
  int start = 0;
  for (int i = 0; i < count_; ++i) {
    if (!cards_[static_cast<std::size_t>(i)].transit && i != count_ - 1) continue;
    const QRect first = rects_[static_cast<std::size_t>(start)];
    p.drawText(QRect(first.left(), first.top() - m.lift / 2, m.cardWidth * 2, m.lift / 2), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(i - start + 1));
    start = i + 1;
  }

  for (int i = 0; i < count_; ++i) {
    const QRect r = rects_[static_cast<std::size_t>(i)];
    const ShownCard& card = cards_[static_cast<std::size_t>(i)];
    const bool leaving = step_ && step_->leaving.position == i;
    if (!leaving) DrawCard(p, r, card, !CardInRow(i));
    if (card.transit) DrawTransitMark(p, r, m.groupGap / 2 - 1);
  }

  if (step_) {
    // The step's triple: the two cards that matched across the middle one
    // framed, and the leaving card lifted out of its place.
    const QColor mark = palette().color(QPalette::Highlight);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(mark, 3));
    for (const ChainEntry& e : {step_->jumped, step_->matched}) {
      p.drawRoundedRect(rects_[e.position].adjusted(-3, -3, 3, 3), m.gap, m.gap);
    }
    const int at = step_->leaving.position;
    const QRect from = rects_[static_cast<std::size_t>(at)];
    DrawCard(p, from, cards_[static_cast<std::size_t>(at)], true);
    const QRect lifted = from.translated(0, -static_cast<int>(m.lift * lift_));
    p.setOpacity(1 - 0.5 * lift_);
    DrawCard(p, lifted, cards_[static_cast<std::size_t>(at)], false);
    p.setOpacity(1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(mark, 3, Qt::DotLine));
    p.drawRoundedRect(lifted.adjusted(-3, -3, 3, 3), m.gap, m.gap);
  }

  std::array<QRect, kDeckSize> rects;
  DrawLegend(&p, PlaceCards(width(), rects), width());

  // The keys act on the cards while they have the focus: shown as a frame.
  if (hasFocus()) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void CardRowView::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  update();
}

void CardRowView::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  update();
}

// The legend flows like the cards; measured by a run of its drawing that
// draws nothing.
int CardRowView::LegendHeight(int width) const { return DrawLegend(nullptr, 0, width); }

int CardRowView::DrawLegend(QPainter* painter, int top, int width) const {
  const Metrics m = Measure();
  const int h = fontMetrics().height();
  const QRect sample(0, 0, h * 3 / 2, h * 2);
  struct Entry {
    QString text;
    int kind;
  };
  const Entry entries[] = {
      {tr("static element"), 0},  {tr("mobile element"), 1},           {tr("transit: ends a segment"), 2},
      {tr("segment of the F list, its length above"), 3}, {tr("the step's matching cards"), 4},
      {tr("the card leaving"), 5},
  };
  const int room = std::max(width, sample.width() * 8);
  int x = m.margin;
  int y = top + m.gap;
  for (const Entry& e : entries) {
    const int itemWidth = sample.width() + m.gap + fontMetrics().horizontalAdvance(e.text) + m.groupGap;
    if (x > m.margin && x + itemWidth > room) {
      x = m.margin;
      y += sample.height() + m.gap;
    }
    if (painter) {
      QPainter& p = *painter;
      const QRect s = sample.translated(x, y);
      ShownCard card{QString(), 0, e.kind == 0, false};
      switch (e.kind) {
        case 0:
        case 1: DrawCard(p, s, card, false); break;
        case 2: DrawTransitMark(p, s.adjusted(0, 0, -s.width() / 2, 0), s.height() / 3); break;
        case 3:
          p.setPen(Qt::NoPen);
          p.setBrush(kGroupShades[0]);
          p.drawRoundedRect(s, m.gap, m.gap);
          break;
        case 4:
          DrawCard(p, s.adjusted(3, 3, -3, -3), card, false);
          p.setBrush(Qt::NoBrush);
          p.setPen(QPen(palette().color(QPalette::Highlight), 3));
          p.drawRoundedRect(s.adjusted(1, 1, -1, -1), m.gap, m.gap);
          break;
        default:
          p.setOpacity(0.5);
          DrawCard(p, s.adjusted(3, 3, -3, -3), card, false);
          p.setOpacity(1);
          p.setBrush(Qt::NoBrush);
          p.setPen(QPen(palette().color(QPalette::Highlight), 3, Qt::DotLine));
          p.drawRoundedRect(s.adjusted(1, 1, -1, -1), m.gap, m.gap);
          break;
      }
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(QRect(s.right() + m.gap, s.top(), itemWidth, s.height()), Qt::AlignLeft | Qt::AlignVCenter, e.text);
    }
    x += itemWidth;
  }
  return y + sample.height() + m.gap - top;
}

}  // namespace zlc::ui
