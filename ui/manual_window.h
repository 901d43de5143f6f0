// The manual in a window of its own, beside the main window: the installed
// copy when there is one, else the copy built into the program.
#pragma once

#include <QStringList>
#include <QUrl>
#include <QWidget>

class QAction;
class QMenu;
class QTextBrowser;

namespace zlc::ui {

// The places an installed manual may be, most specific first.
QStringList InstalledManualPaths();
// The first installed manual that exists, else the built-in one.
QUrl ManualSource(const QStringList& installed = InstalledManualPaths());

class ManualWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ManualWindow(const QUrl& source, QWidget* parent = nullptr);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

// Adds "Manual" (F1) to the Help menu. The window is made on first use, as a
// child of `owner`, and shown again (not made anew) each later time.
QAction* AddManualEntry(QMenu* help, QWidget* owner);

}  // namespace zlc::ui
