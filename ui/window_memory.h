// Where the main window stood, how large it was, and which of its own
// windows were open: kept in the platform's settings store (on Linux
// ~/.config/zlc/zlc.conf), never in zlc.cfg, whose lines stay the
// calculator's settings only.
#pragma once

#include <memory>

class QSettings;

namespace zlc::ui {

class TForm1;

// The store, or none when what stands under its name is no file to read
// (a FIFO would block the start for ever) or is larger than any store of
// ours: then nothing is read from it or written to it, and a warning goes
// to standard error.
std::unique_ptr<QSettings> OpenWindowStore();

void RememberWindows(QSettings& store, const TForm1& main);
// Before the main window is shown. A position that lies on no screen (a
// monitor since unplugged) is left to the window's own default.
void RestoreWindows(QSettings& store, TForm1& main);
// After it is shown: the windows of its own that were open at the quit.
void ReopenWindows(QSettings& store, TForm1& main);

}  // namespace zlc::ui
