#include "ui/anchors.h"

#include <QEvent>
#include <algorithm>

#include "ui/caption_fit.h"

namespace zlc::ui {

void AnchorLayout::SetInsets(QWidget* container, QMargins insets) {
  for (Container& c : containers_) {
    if (c.widget == container) {
      c.insets = insets;
      return;
    }
  }
  containers_.push_back({container, insets});
}

QMargins AnchorLayout::InsetsOf(QWidget* container) const {
  for (const Container& c : containers_) {
    if (c.widget == container) return c.insets;
  }
  return {};
}

void AnchorLayout::Place(QWidget* child, QRect designRect, Align align, unsigned anchors) {
  QWidget* parent = child->parentWidget();
  child->setGeometry(designRect);
  entries_.push_back({child, designRect, parent->size(), align, anchors});
  parent->installEventFilter(this);
}

AnchorLayout::Entry* AnchorLayout::EntryOf(QWidget* child) {
  for (Entry& e : entries_) {
    if (e.child == child) return &e;
  }
  return nullptr;
}

void AnchorLayout::FitRow(const QList<QWidget*>& row, int gap) {
  if (row.isEmpty()) return;
  auto rightOnly = [](const Entry* e) { return (e->anchors & kRight) && !(e->anchors & kLeft); };
  int right = -1;
  for (QWidget* child : row) {
    Entry* e = EntryOf(child);
    if (!e || rightOnly(e)) continue;
    QRect& r = e->designRect;
    r.setWidth(std::max(r.width(), CaptionWidth(child)));
    if (right >= 0) r.moveLeft(std::max(r.left(), right + gap));
    right = r.left() + r.width();
  }
  int left = -1;
  for (auto it = row.crbegin(); it != row.crend(); ++it) {
    Entry* e = EntryOf(*it);
    if (!e || !rightOnly(e)) continue;
    QRect& r = e->designRect;
    r.setLeft(r.right() + 1 - std::max(r.width(), CaptionWidth(*it)));
    if (left >= 0) r.moveRight(std::min(r.right(), left - gap - 1));
    left = r.left();
  }
  Relayout(row.first()->parentWidget());
}

bool AnchorLayout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched->isWidgetType()) {
    Relayout(static_cast<QWidget*>(watched));
  }
  return QObject::eventFilter(watched, event);
}

void AnchorLayout::Relayout(QWidget* container) {
  const QSize size = container->size();
  QRect free = QRect(QPoint(0, 0), size).marginsRemoved(InsetsOf(container));

  // Aligned controls in the order they were placed: tops and bottoms take
  // their strip, the client control takes what is left.
  for (const Entry& e : entries_) {
    if (e.child->parentWidget() != container) continue;
    switch (e.align) {
      case Align::Top:
        e.child->setGeometry(free.left(), free.top(), free.width(), e.designRect.height());
        free.setTop(free.top() + e.designRect.height());
        break;
      case Align::Bottom:
        e.child->setGeometry(free.left(), free.bottom() + 1 - e.designRect.height(), free.width(),
                             e.designRect.height());
        free.setBottom(free.bottom() - e.designRect.height());
        break;
      default:
        break;
    }
  }
  for (const Entry& e : entries_) {
    if (e.child->parentWidget() != container) continue;
    if (e.align == Align::Client) {
      e.child->setGeometry(free);
    } else if (e.align == Align::None) {
      const int dw = size.width() - e.designParent.width();
      const int dh = size.height() - e.designParent.height();
      QRect r = e.designRect;
      if ((e.anchors & kRight) && (e.anchors & kLeft)) r.setWidth(r.width() + dw);
      else if (e.anchors & kRight) r.moveLeft(r.left() + dw);
      if ((e.anchors & kBottom) && (e.anchors & kTop)) r.setHeight(r.height() + dh);
      else if (e.anchors & kBottom) r.moveTop(r.top() + dh);
      e.child->setGeometry(r);
    }
  }
}

}  // namespace zlc::ui
