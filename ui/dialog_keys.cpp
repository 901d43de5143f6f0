#include "ui/dialog_keys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace zlc::ui {
namespace {

class EnterFilter : public QObject {
 public:
  EnterFilter(QDialog* dialog, QPushButton* ok, std::function<bool()> settle)
      : QObject(dialog), ok_(ok), settle_(std::move(settle)) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    // The key is taken either way: a refused number leaves the dialog open
    // with its message shown, rather than closing on the old value.
    if (settle_() && ok_->isEnabled()) ok_->click();
    return true;
  }

 private:
  QPushButton* ok_;
  std::function<bool()> settle_;
};

}  // namespace

void AcceptOnEnter(QDialog* dialog, QPushButton* ok, std::function<bool()> settle) {
  // Keys the focused control does not use travel up to the dialog.
  dialog->installEventFilter(new EnterFilter(dialog, ok, std::move(settle)));
}

}  // namespace zlc::ui
