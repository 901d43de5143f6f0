// Enter in a dialog: whatever is being typed is settled first, and only a
// dialog whose typed values were all taken closes as if "Ok" were pressed.
#pragma once

#include <functional>

class QDialog;
class QPushButton;
class QWidget;

namespace zlc::ui {

// settle() finishes the edits in progress and returns false when one of them
// was refused (its message is then on its way, and the dialog stays open).
// The editors are the controls that take Enter themselves before the dialog
// sees it (an editable combo box settles its number and lets the key go on).
void AcceptOnEnter(QDialog* dialog, QPushButton* ok, std::function<bool()> settle,
                   std::initializer_list<QWidget*> editors = {});

}  // namespace zlc::ui
