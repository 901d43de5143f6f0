#include "ui/menu_bar_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace zlc::ui {
namespace {

// Watches the whole program's keys: after the arrows leave an open menu for
// such an item, the bar shows it highlighted but the keys still go to the
// window's focused control. The watch is armed only by those arrows, and
// disarmed by any other key, a click or the window losing the focus, so that
// a highlight left behind never takes the keys of a person who went back to
// the window.
class PlainItemKeys : public QObject {
 public:
  explicit PlainItemKeys(QMenuBar* bar) : QObject(bar), bar_(bar) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        Disarm();
        return false;
      case QEvent::WindowDeactivate:
        if (watched == bar_->window()) Disarm();
        return false;
      case QEvent::KeyPress:
        break;
      default:
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!armed_) {
      armed_ = (key == Qt::Key_Left || key == Qt::Key_Right) && FromTheBar(watched);
      return false;
    }
    auto* target = qobject_cast<QWidget*>(watched);
    QAction* item = bar_->activeAction();
    if (!target || target->window() != bar_->window() || !item || item->menu()) {
      // A menu of the bar has the keys again, or the bar let go.
      armed_ = item != nullptr;
      return false;
    }
    switch (key) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
        Disarm();
        // After the key is done with: the item may open a modal dialog.
        if (item->isEnabled()) QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        return true;
      case Qt::Key_Left:
        bar_->setActiveAction(Neighbour(item, -1));  // opens its menu
        return true;
      case Qt::Key_Right:
        bar_->setActiveAction(Neighbour(item, +1));
        return true;
      case Qt::Key_Escape:
        Disarm();
        return true;
      default:
        Disarm();
        return false;
    }
  }

 private:
  // The bar itself, in its keyboard mode, or one of its menus.
  bool FromTheBar(QObject* watched) const {
    if (watched == bar_) return true;
    const auto* menu = qobject_cast<const QMenu*>(watched);
    return menu && bar_->actions().contains(menu->menuAction());
  }

  void Disarm() {
    if (!armed_) return;
    armed_ = false;
    QAction* item = bar_->activeAction();
    if (item && !item->menu()) bar_->setActiveAction(nullptr);
  }

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
  bool armed_ = false;
};

}  // namespace

void RunPlainItemsFromKeys(QMenuBar* bar) {
  QCoreApplication::instance()->installEventFilter(new PlainItemKeys(bar));
}

}  // namespace zlc::ui
