// The runtime's message box, and with it the file dialogs. Tests put their
// own answers in place of the modal boxes.
#pragma once

#include <QString>
#include <functional>

#include "persist/io_error.h"
#include "ui/file_dialogs.h"  // the file dialogs, declared apart

class QWidget;

namespace zlc::ui {

using MessageSink = std::function<void(const QString& message)>;
void SetMessageSink(MessageSink sink);
// A message already in the interface's language, each line with its
// control characters escaped (a file name or a typed value may hold them).
void ShowRuntimeMessage(QWidget* parent, const QString& message);
// The runtime's words of a core message in the interface's language, from
// its kind and values.
QString MessageWords(const RuntimeMessage& message);
// A message of the core: the runtime's words, and on the line under them
// the file's name and the reason.
void ShowRuntimeMessage(QWidget* parent, const RuntimeMessage& message);

// From now on messages go to standard error, not into a box: the program
// is closing because the session ends or it was told to (SIGTERM), and no
// one is there to press "OK" before it may go.
void SendMessagesToStandardError();

// Messages of the start-up (a bad configuration value, a data folder that
// cannot be used) come before the main window is on the screen. Held, they
// wait for it and then show over it, in the order they came.
void HoldRuntimeMessages();
void ReleaseRuntimeMessages(QWidget* parent);

}  // namespace zlc::ui
