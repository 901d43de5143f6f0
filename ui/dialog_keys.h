// Enter in a dialog: whatever is being typed is settled first, and only a
// dialog whose typed values were all taken closes as if "Ok" were pressed.
#pragma once

#include <functional>

class QDialog;
class QPushButton;

namespace zlc::ui {

// settle() finishes the edits in progress and returns false when one of them
// was refused (its message is then on its way, and the dialog stays open).
// An editable combo box settles its number itself first and lets Enter go
// on to the dialog.
void AcceptOnEnter(QDialog* dialog, QPushButton* ok, std::function<bool()> settle);

}  // namespace zlc::ui
