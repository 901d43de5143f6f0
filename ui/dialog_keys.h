// Enter in a dialog: whatever is being typed is settled first, and only a
// dialog whose typed values were all taken closes as if "Ok" were pressed.
#pragma once

#include <functional>

class QDialog;
class QPushButton;
class QLineEdit;

namespace zlc::ui {

// settle() finishes the edits in progress and returns false when one of them
// was refused (its message has then been shown, and the dialog stays open).
// The editors are the line edits whose own Enter would otherwise only settle
// their number.
void AcceptOnEnter(QDialog* dialog, QPushButton* ok, std::function<bool()> settle,
                   std::initializer_list<QLineEdit*> editors = {});

}  // namespace zlc::ui
