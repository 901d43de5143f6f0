// A card label of the filter dialog: a left click (press and release on
// it), or Space or Enter while it has the focus, cycles its card through
// any, static and mobile. It shows its focus with the style's frame and
// tells the dialog, which frames the card's bar too. To a screen reader it
// is a check box: checked for static, half checked for mobile.
#pragma once

#include <QLabel>
#include <functional>

#include "filter/filter_settings.h"

class QAccessibleInterface;

namespace zlc::ui {

class CardLabel : public QLabel {
  Q_OBJECT

 public:
  CardLabel(QWidget* parent, std::function<void()> onClick, std::function<void()> onFocus);

  ElementState State() const { return state_; }
  // The state shown; a screen reader hears of a change.
  void SetState(ElementState state);
  // What a click does.
  void Press() { onClick_(); }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  std::function<void()> onClick_;
  std::function<void()> onFocus_;
  bool pressed_ = false;
  ElementState state_ = ElementState::Any;
};

// The accessible side of a card label.
QAccessibleInterface* MakeCardLabelInterface(CardLabel* label);

}  // namespace zlc::ui
