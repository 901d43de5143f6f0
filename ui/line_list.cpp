#include "ui/line_list.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/text.h"

namespace zlc::ui {

LineListView::LineListView(const ResultList& list, QWidget* parent)
    : QAbstractScrollArea(parent), list_(list), clears_(list.Clears()) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  Sync();
}

void LineListView::Sync() {
  QScrollBar* v = verticalScrollBar();
  if (list_.Clears() != clears_) {
    clears_ = list_.Clears();
    shown_ = list_.Size();
    selectedFromBottom_ = -1;
    UpdateScrollBars();
    v->setValue(0);
  } else if (list_.Size() != shown_) {
    const auto added = static_cast<int>(list_.Size() - shown_);
    const bool atTop = v->value() == 0;
    shown_ = list_.Size();
    UpdateScrollBars();
    if (!atTop) v->setValue(v->value() + added);
  } else {
    return;
  }
  viewport()->update();
}

QString LineListView::LineText(std::size_t index) const {
  // Lines the view has not taken in yet sit above its first line.
  const std::size_t line = ListLine(index);
  return line < list_.Size() ? ToQt(list_.Line(line)) : QString();
}

int LineListView::VisibleLines() const {
  return std::max(1, viewport()->height() / kLineHeight);
}

std::size_t LineListView::TopLine() const { return static_cast<std::size_t>(verticalScrollBar()->value()); }

std::ptrdiff_t LineListView::LineAt(QPoint pos) const {
  if (pos.y() < 0 || pos.x() < 0 || pos.x() >= viewport()->width()) return -1;
  const std::size_t index = TopLine() + static_cast<std::size_t>(pos.y() / kLineHeight);
  return index < shown_ ? static_cast<std::ptrdiff_t>(index) : -1;
}

QRect LineListView::LineRect(std::size_t index) const {
  const auto row = static_cast<int>(static_cast<std::ptrdiff_t>(index) - static_cast<std::ptrdiff_t>(TopLine()));
  return {0, row * kLineHeight, viewport()->width(), kLineHeight};
}

std::ptrdiff_t LineListView::SelectedLine() const {
  if (selectedFromBottom_ < 0 || static_cast<std::size_t>(selectedFromBottom_) >= shown_) return -1;
  return static_cast<std::ptrdiff_t>(shown_) - 1 - selectedFromBottom_;
}

void LineListView::UpdateScrollBars() {
  QScrollBar* v = verticalScrollBar();
  const int visible = VisibleLines();
  const auto total = static_cast<long long>(shown_);
  v->setRange(0, static_cast<int>(std::clamp<long long>(total - visible, 0, INT32_MAX)));
  v->setPageStep(visible);
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, widest_ - viewport()->width()));
  h->setPageStep(viewport()->width());
}

void LineListView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette& pal = palette();
  const std::size_t top = TopLine();
  const int rows = viewport()->height() / kLineHeight + 1;
  const int dx = horizontalScrollBar()->value();
  const std::ptrdiff_t selected = SelectedLine();
  int widest = widest_;
  for (int r = 0; r < rows && top + static_cast<std::size_t>(r) < shown_; ++r) {
    const std::size_t index = top + static_cast<std::size_t>(r);
    const QRect rect(0, r * kLineHeight, viewport()->width(), kLineHeight);
    const QString text = LineText(index);
    const bool isSelected = static_cast<std::ptrdiff_t>(index) == selected;
    if (isSelected) p.fillRect(rect, pal.highlight());
    p.setPen(isSelected ? pal.highlightedText().color() : pal.text().color());
    p.drawText(rect.adjusted(2 - dx, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               text);
    widest = std::max(widest, fontMetrics().horizontalAdvance(text) + 4);
  }
  if (widest != widest_) {
    widest_ = widest;
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, widest_ - viewport()->width()));
    h->setPageStep(viewport()->width());
  }
}

void LineListView::mousePressEvent(QMouseEvent* event) {
  const std::ptrdiff_t line = LineAt(event->position().toPoint());
  if (line >= 0) {
    selectedFromBottom_ = static_cast<std::ptrdiff_t>(shown_) - 1 - line;
    viewport()->update();
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void LineListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void LineListView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace zlc::ui
