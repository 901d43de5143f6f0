// The read-only task field. Its selection is what "delete selected" removes,
// so the selection stays when another control takes the focus: a press on
// the button, a Tab to it or a click in a list leaves it for the button.
#pragma once

#include <QLineEdit>

namespace zlc::ui {

class TaskField : public QLineEdit {
  Q_OBJECT

 public:
  explicit TaskField(QWidget* parent = nullptr);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace zlc::ui
