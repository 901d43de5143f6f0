// Room for captions longer than the ones a layout was drawn for: those of a
// translation, and those of any language in a face wider than the one the
// layouts were drawn with. A control whose caption does not fit grows, and
// the controls after it on its row move over to keep clear of it; where
// everything fits, the drawn geometry stays.
#pragma once

#include <QList>
#include <QWidget>

namespace zlc::ui {

// The width that shows the control's caption whole; 0 for a control
// without one.
int CaptionWidth(QWidget* control);

// Widens each control of the row, left to right, to its caption, and moves
// it past the one before it with `gap` pixels between them.
void FitRow(const QList<QWidget*>& row, int gap = 4);

// Widens `container` so that its children keep `margin` pixels to its right
// edge; a window of fixed size keeps its size fixed.
void FitWidthToChildren(QWidget* container, int margin);

}  // namespace zlc::ui
