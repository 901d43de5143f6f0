#include "ui/menu_bar_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>

namespace zlc::ui {
namespace {

// Watches the whole program's keys: after the arrows leave an open menu for
// such an item, the bar shows it highlighted but the keys still go to the
// window's focused control.
class PlainItemKeys : public QObject {
 public:
  explicit PlainItemKeys(QMenuBar* bar) : QObject(bar), bar_(bar) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != bar_->window()) return false;
    // An item under the mouse is highlighted by hovering, not chosen.
    QAction* item = bar_->activeAction();
    if (!item || item->menu() || bar_->underMouse()) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
        if (!item->isEnabled()) return false;
        bar_->setActiveAction(nullptr);
        // After the key is done with: the item may open a modal dialog.
        QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        return true;
      case Qt::Key_Left:
        bar_->setActiveAction(Neighbour(item, -1));  // opens its menu
        return true;
      case Qt::Key_Right:
        bar_->setActiveAction(Neighbour(item, +1));
        return true;
      case Qt::Key_Escape:
        bar_->setActiveAction(nullptr);
        return true;
      default:
        return false;
    }
  }

 private:
  // The next visible item of the bar in `step`'s direction, round the ends.
  QAction* Neighbour(QAction* item, int step) const {
    const QList<QAction*> items = bar_->actions();
    const auto count = items.size();
    qsizetype at = items.indexOf(item);
    for (qsizetype k = 0; k < count; ++k) {
      at = (at + step + count) % count;
      if (items[at]->isVisible() && !items[at]->isSeparator()) return items[at];
    }
    return item;
  }

  QMenuBar* bar_;
};

}  // namespace

void RunPlainItemsFromKeys(QMenuBar* bar) {
  QCoreApplication::instance()->installEventFilter(new PlainItemKeys(bar));
}

}  // namespace zlc::ui
