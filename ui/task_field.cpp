#include "ui/task_field.h"

#include <QFocusEvent>
#include <QSignalBlocker>

namespace zlc::ui {

TaskField::TaskField(QWidget* parent) : QLineEdit(parent) { setReadOnly(true); }

// A line edit drops its selection when it loses the focus; this one puts it
// back, the cursor at the same end, so the selection made by the user stays
// the one shown and the one deleted.
void TaskField::focusOutEvent(QFocusEvent* event) {
  // The selection is gone and back within this call; nobody may act on the
  // moment between (the button would be disabled and lose the focus).
  const QSignalBlocker quiet(this);
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  const bool cursorAtStart = cursorPosition() == start;
  QLineEdit::focusOutEvent(event);
  if (start < 0 || length == 0 || hasSelectedText()) return;
  if (cursorAtStart) {
    setSelection(start + length, -length);
  } else {
    setSelection(start, length);
  }
}

}  // namespace zlc::ui
