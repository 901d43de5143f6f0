// The manual in a window of its own, beside the main window: the installed
// copy when there is one, else the copy built into the program.
#pragma once

#include <QStringList>
#include <QUrl>
#include <QWidget>

class QAction;
class QMenu;
class QTextBrowser;
class QTextDocument;

namespace zlc::ui {

// The manual's file name in the interface's language ("manual.md" in English).
QString ManualFileName();
// The places an installed manual may be, most specific first.
QStringList InstalledManualPaths();
// The manual in the interface's language, installed or else built in; the
// English one when there is none in that language.
QUrl ManualSource(const QStringList& installed = InstalledManualPaths());

// The name a link within the manual gives a heading: lower case, spaces as
// hyphens, other punctuation left out ("Where your files are" is
// "where-your-files-are").
QString HeadingAnchor(const QString& heading);
// Names every heading of the document so.
void NameHeadings(QTextDocument* doc);

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
