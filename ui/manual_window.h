// The manual in a window of its own, beside the main window: the installed
// copy when there is one, else the copy built into the program. Back and
// Forward (Alt+Left, Alt+Right) go along the links followed, Ctrl+F finds
// text, Esc closes the window.
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

class FindBar;

class ManualWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ManualWindow(const QUrl& source, QWidget* parent = nullptr);
  QTextBrowser* browser() const { return browser_; }
  FindBar* findBar() const { return findBar_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddKeyAction(const QString& name, const QList<QKeySequence>& keys);
  QWidget* MakeBar();
  void Loaded(const QUrl& url);
  void FitPicturesToView();

  QTextBrowser* browser_ = nullptr;
  FindBar* findBar_ = nullptr;
  bool fitPending_ = false;
};

// Adds "Manual" (F1) to the Help menu. The window is made on first use, as a
// child of `owner`, and shown again (not made anew) each later time.
QAction* AddManualEntry(QMenu* help, QWidget* owner);

}  // namespace zlc::ui
