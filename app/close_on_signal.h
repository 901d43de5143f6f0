// SIGTERM and SIGHUP, what a desktop session sends its programs when the
// user logs out, close the main window as its close box does: the settings
// are written, the scratch file goes, and the program ends with status 0.
#pragma once

class QWidget;

namespace zlc::app {

// From now on the two signals close `mainWindow` (dialogs open over it are
// closed first). Call once, with the window that lives until the end.
void CloseOnTerminationSignals(QWidget* mainWindow);

}  // namespace zlc::app
