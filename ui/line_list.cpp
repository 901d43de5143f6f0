#include "ui/line_list.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/accessibility.h"
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
  InstallAccessibility();
  Sync();
}

void LineListView::Sync() {
  QScrollBar* v = verticalScrollBar();
  const auto kept = static_cast<std::size_t>(list_.Arrived() - list_.FirstKept());
  if (list_.Clears() != clears_) {
    clears_ = list_.Clears();
    known_ = list_.Arrived();
    shown_ = kept;
    selectedArrival_ = -1;
    UpdateScrollBars();
    v->setValue(0);
  } else if (list_.Arrived() != known_ || kept != shown_) {
    const auto added = static_cast<int>(list_.Arrived() - known_);
    const bool atTop = v->value() == 0;
    known_ = list_.Arrived();
    shown_ = kept;
    UpdateScrollBars();
    if (!atTop) v->setValue(v->value() + added);
  } else {
    return;
  }
  viewport()->update();
  AnnounceLinesChanged(this);
}

QString LineListView::LineText(std::size_t index) const {
  // Lines the view has not taken in yet sit above its first line; lines the
  // core forgot since are empty.
  const std::int64_t arrival = ArrivalOf(index);
  if (arrival < static_cast<std::int64_t>(list_.FirstKept())) return {};
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
  if (selectedArrival_ < static_cast<std::int64_t>(list_.FirstKept()) ||
      selectedArrival_ >= static_cast<std::int64_t>(known_)) {
    return -1;
  }
  return static_cast<std::ptrdiff_t>(static_cast<std::int64_t>(known_) - 1 - selectedArrival_);
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

std::pair<std::ptrdiff_t, std::ptrdiff_t> LineListView::CurrentResult() const {
  const std::ptrdiff_t line = SelectedLine();
  if (line < 0) return {-1, -1};
  const std::size_t core = ListLine(static_cast<std::size_t>(line));
  const std::ptrdiff_t start = core < list_.Size() ? list_.BlockStart(core) : -1;
  if (start < 0) return {line, line + 1};
  const std::ptrdiff_t first = std::max<std::ptrdiff_t>(0, line - (static_cast<std::ptrdiff_t>(core) - start));
  return {first, std::min<std::ptrdiff_t>(first + 3, static_cast<std::ptrdiff_t>(shown_))};
}

namespace {

QColor Blend(const QColor& under, const QColor& over, double amount) {
  return QColor::fromRgbF(static_cast<float>(under.redF() + (over.redF() - under.redF()) * amount),
                          static_cast<float>(under.greenF() + (over.greenF() - under.greenF()) * amount),
                          static_cast<float>(under.blueF() + (over.blueF() - under.blueF()) * amount));
}

}  // namespace

void LineListView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette& pal = palette();
  const std::size_t top = TopLine();
  const int rows = viewport()->height() / kLineHeight + 1;
  const int dx = horizontalScrollBar()->value();
  const std::ptrdiff_t selected = SelectedLine();
  // The result of the current line is marked whole, its three lines; in
  // full colour in the list that has the focus, faintly in the other.
  const auto [first, end] = CurrentResult();
  const bool focused = hasFocus();
  const QColor mark = focused ? pal.color(QPalette::Active, QPalette::Highlight)
                              : Blend(pal.color(QPalette::Base), pal.color(QPalette::Active, QPalette::Highlight), 0.3);
  const QColor markedText = focused ? pal.color(QPalette::Active, QPalette::HighlightedText) : pal.text().color();
  int widest = widest_;
  for (int r = 0; r < rows && top + static_cast<std::size_t>(r) < shown_; ++r) {
    const std::size_t index = top + static_cast<std::size_t>(r);
    const auto at = static_cast<std::ptrdiff_t>(index);
    const QRect rect(0, r * kLineHeight, viewport()->width(), kLineHeight);
    const QString text = LineText(index);
    const bool marked = at >= first && at < end;
    if (marked) p.fillRect(rect, mark);
    if (at == selected && focused) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = rect;
      focus.backgroundColor = mark;
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
    p.setPen(marked ? markedText : pal.text().color());
    p.drawText(rect.adjusted(2 - dx, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               text);
    widest = std::max(widest, fontMetrics().horizontalAdvance(text) + 4);
  }
  // The list that takes the keys wears a frame in the highlight colour.
  if (focused) {
    p.setPen(QPen(pal.color(QPalette::Active, QPalette::Highlight), 2));
    p.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
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
    selectedArrival_ = ArrivalOf(static_cast<std::size_t>(line));
    viewport()->update();
    AnnounceCurrentLine(this);
  }
  QAbstractScrollArea::mousePressEvent(event);
}

void LineListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const std::ptrdiff_t line = LineAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && line >= 0) {
    emit openRequested(line);
    event->accept();
    return;
  }
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void LineListView::SetCurrentLine(std::ptrdiff_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= shown_) {
    selectedArrival_ = -1;
  } else {
    selectedArrival_ = ArrivalOf(static_cast<std::size_t>(index));
    EnsureVisible(static_cast<std::size_t>(index));
  }
  viewport()->update();
  AnnounceCurrentLine(this);
}

void LineListView::EnsureVisible(std::size_t index) {
  QScrollBar* v = verticalScrollBar();
  const auto line = static_cast<long long>(index);
  const int visible = VisibleLines();
  if (line < v->value()) {
    v->setValue(static_cast<int>(line));
  } else if (line >= static_cast<long long>(v->value()) + visible) {
    v->setValue(static_cast<int>(line - visible + 1));
  }
}

// The keys move the current line as in any list: arrows by a line, Page keys
// by a screenful, Home and End (with or without Ctrl) to either end.
void LineListView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    if (SelectedLine() >= 0) emit copyRequested(SelectedLine());
    return;
  }
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (event->key() == Qt::Key_Menu || shiftF10) {
    RequestMenu();
    return;
  }
  if (shown_ == 0) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedLine() >= 0) {
    emit openRequested(SelectedLine());
    event->accept();
    return;
  }
  const auto last = static_cast<std::ptrdiff_t>(shown_) - 1;
  const std::ptrdiff_t current = SelectedLine();
  const std::ptrdiff_t page = std::max(1, VisibleLines() - 1);
  std::ptrdiff_t next = current;
  switch (event->key()) {
    case Qt::Key_Down: next = current < 0 ? static_cast<std::ptrdiff_t>(TopLine()) : current + 1; break;
    case Qt::Key_Up: next = current < 0 ? static_cast<std::ptrdiff_t>(TopLine()) : current - 1; break;
    case Qt::Key_PageDown: next = std::max<std::ptrdiff_t>(current, 0) + page; break;
    case Qt::Key_PageUp: next = std::max<std::ptrdiff_t>(current, 0) - page; break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = last; break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  SetCurrentLine(std::clamp<std::ptrdiff_t>(next, 0, last));
  event->accept();
}

// The Menu key arrives here on some window systems, as a key press on others.
void LineListView::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) {
    RequestMenu();
    event->accept();
    return;
  }
  QAbstractScrollArea::contextMenuEvent(event);
}

void LineListView::RequestMenu() {
  const std::ptrdiff_t line = SelectedLine();
  QPoint at(viewport()->width() / 4, 0);
  if (line >= 0) {
    EnsureVisible(static_cast<std::size_t>(line));
    at.setY(LineRect(static_cast<std::size_t>(line)).bottom());
  }
  emit menuRequested(line, at);
}

// A list reached from the keyboard shows where the keys will act.
void LineListView::focusInEvent(QFocusEvent* event) {
  if (SelectedLine() < 0 && shown_ > 0 && event->reason() != Qt::MouseFocusReason) SetCurrentLine(static_cast<std::ptrdiff_t>(TopLine()));
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  AnnounceCurrentLine(this);
}

void LineListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void LineListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void LineListView::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace zlc::ui
