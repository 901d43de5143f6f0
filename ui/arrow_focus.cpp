#include "ui/arrow_focus.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace zlc::ui {
namespace {

QPoint Centre(const QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }

class ArrowFilter : public QObject {
 public:
  ArrowFilter(QObject* owner, QList<QWidget*> controls) : QObject(owner), controls_(std::move(controls)) {
    for (QWidget* w : controls_) w->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* from = static_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // A button outside a dialog ignores Enter; a person expects it to press.
      auto* button = qobject_cast<QAbstractButton*>(from);
      if (!button) return false;
      button->click();
      return true;
    }
    QWidget* next = ArrowNeighbour(controls_, from, key->key());
    if (next) next->setFocus(Qt::OtherFocusReason);
    // An arrow at the grid's edge stays there rather than scroll or wander.
    return next != nullptr || ArrowKey(key->key());
  }

 private:
  static bool ArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  }
  QList<QWidget*> controls_;
};

}  // namespace

QWidget* ArrowNeighbour(const QList<QWidget*>& controls, const QWidget* from, int key) {
  const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
  if (!horizontal && key != Qt::Key_Up && key != Qt::Key_Down) return nullptr;
  const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
  const QPoint origin = Centre(from);
  // Controls whose centres lie within half a control's height count as one
  // row: the bottom row of the grid is not quite straight.
  const int sameRow = from->height() / 2;
  struct Step {
    QWidget* w;
    int along;
    int across;
  };
  QList<Step> steps;
  for (QWidget* w : controls) {
    if (w == from || !w->isEnabled() || !w->isVisible() || w->focusPolicy() == Qt::NoFocus) continue;
    const QPoint d = Centre(w) - origin;
    const int along = sign * (horizontal ? d.x() : d.y());
    const int across = std::abs(horizontal ? d.y() : d.x());
    if (along <= 0 || (horizontal && across > sameRow)) continue;
    steps.append({w, along, across});
  }
  if (steps.isEmpty()) return nullptr;
  if (horizontal) {
    // The next one along the row.
    return std::min_element(steps.begin(), steps.end(),
                            [](const Step& a, const Step& b) { return a.along < b.along; })
        ->w;
  }
  // The nearest row that way with a control to go to, and in it the control
  // nearest the column: a used card is stepped over, not the row.
  int nearestRow = steps.front().along;
  for (const Step& s : steps) nearestRow = std::min(nearestRow, s.along);
  const Step* best = nullptr;
  for (const Step& s : steps) {
    if (s.along > nearestRow + sameRow) continue;
    if (!best || s.across < best->across || (s.across == best->across && s.along < best->along)) best = &s;
  }
  return best->w;
}

void WalkWithArrows(QObject* owner, const QList<QWidget*>& controls) { new ArrowFilter(owner, controls); }

void ChainTabOrder(const QList<QWidget*>& controls) {
  for (qsizetype i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace zlc::ui
