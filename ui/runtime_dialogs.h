// The runtime's message box and the file dialogs. Tests put their own
// answers in place of the modal boxes.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zlc::ui {

using MessageSink = std::function<void(const QString& message)>;
void SetMessageSink(MessageSink sink);
void ShowRuntimeMessage(QWidget* parent, const QString& message);

// Returns the chosen path, or an empty string when the user cancels.
using FileNameProvider = std::function<QString(const QString& title, const QString& suffix)>;
void SetFileNameProvider(FileNameProvider provider);
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& defaultSuffix);
QString AskOpenFileName(QWidget* parent, const QString& title, const QString& defaultSuffix);

}  // namespace zlc::ui
