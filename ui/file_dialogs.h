// The dialogs that choose a file to open or save. Each kind of file has its
// own name filters (its own first, "All files" last), the extension added
// to a typed name without one, and the folder last used for it in the
// session; a save may suggest a name. Tests answer the dialogs themselves.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "ui/dialog_folders.h"

class QWidget;

namespace zlc::ui {

// What a file dialog asks, as a test's answerer sees it.
struct FileQuestion {
  QString title;
  FileKind kind = FileKind::Task;
  bool save = false;
  QString folder;         // where it opens
  QString suggestedName;  // in the name field at first; empty for none
  QString defaultSuffix;  // added to a typed name without an extension; empty for none
  QStringList nameFilters;
};

// Returns the chosen path, or an empty string when the user cancels.
using FileAnswerer = std::function<QString(const FileQuestion& question)>;
void SetFileAnswerer(FileAnswerer answerer);
// The same with the title and the default extension only.
using FileNameProvider = std::function<QString(const QString& title, const QString& suffix)>;
void SetFileNameProvider(FileNameProvider provider);

// A task's save suggests the name last chosen for a task in the session.
QString AskSaveFileName(QWidget* parent, const QString& title, FileKind kind,
                        const QString& suggestedName = {});
QString AskOpenFileName(QWidget* parent, const QString& title, FileKind kind);

// The name suggested for one result: "result-12.txt" for result 12.
QString ResultFileName(const QString& number);
// The name suggested for what a control shows: its object name in lower
// case words joined by hyphens ("BalanceChart" gives "balance-chart.csv").
QString FileNameOf(const QWidget* shown, const QString& suffix);

}  // namespace zlc::ui
