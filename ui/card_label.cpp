#include "ui/card_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace zlc::ui {
namespace {

class CardLabelInterface : public QAccessibleWidget {
 public:
  explicit CardLabelInterface(CardLabel* label) : QAccessibleWidget(label, QAccessible::CheckBox) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Label()->State() == ElementState::Static;
    s.checkStateMixed = Label()->State() == ElementState::Mobile;
    return s;
  }
  QStringList actionNames() const override { return {toggleAction(), pressAction()}; }
  void doAction(const QString& name) override {
    if (name == toggleAction() || name == pressAction()) Label()->Press();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  CardLabel* Label() const { return static_cast<CardLabel*>(widget()); }
};

}  // namespace

QAccessibleInterface* MakeCardLabelInterface(CardLabel* label) { return new CardLabelInterface(label); }

CardLabel::CardLabel(QWidget* parent, std::function<void()> onClick, std::function<void()> onFocus)
    : QLabel(parent), onClick_(std::move(onClick)), onFocus_(std::move(onFocus)) {
  // Reached with Tab and the arrows; a click leaves the focus where it was.
  setFocusPolicy(Qt::TabFocus);
}

void CardLabel::SetState(ElementState state) {
  if (state == state_) return;
  state_ = state;
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  changed.checkStateMixed = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void CardLabel::mousePressEvent(QMouseEvent* e) {
  pressed_ = e->button() == Qt::LeftButton;
  e->accept();
}

void CardLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  e->accept();
  if (click) onClick_();
}

void CardLabel::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  if ((e->modifiers() & ~Qt::KeypadModifier) == 0 &&
      (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
    e->accept();
    onClick_();
    return;
  }
  QLabel::keyPressEvent(e);
}

void CardLabel::focusInEvent(QFocusEvent* e) {
  QLabel::focusInEvent(e);
  update();
  onFocus_();
}

void CardLabel::focusOutEvent(QFocusEvent* e) {
  QLabel::focusOutEvent(e);
  update();
  onFocus_();
}

void CardLabel::paintEvent(QPaintEvent* e) {
  QLabel::paintEvent(e);
  if (!hasFocus()) return;
  QPainter p(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &p, this);
}

}  // namespace zlc::ui
