#include "ui/manual_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/screen_fit.h"

namespace zlc::ui {

QString ManualFileName() {
  //: The manual's file in this language, beside the English manual.md.
  return ManualWindow::tr("manual.md");
}

QStringList InstalledManualPaths() {
  // Next to the program first, so that a copy installed under any prefix
  // finds its own manual; then the build's install folder and Debian's. The
  // interface's language before English, wherever it is.
  QStringList folders{QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/zlc")};
#ifdef ZLC_DOC_DIR
  folders << QStringLiteral(ZLC_DOC_DIR);
#endif
  folders << QStringLiteral("/usr/share/doc/zlc");
  QStringList paths;
  for (const QString& name : {ManualFileName(), QStringLiteral("manual.md")}) {
    for (const QString& folder : folders) paths << folder + '/' + name;
  }
  paths.removeDuplicates();
  return paths;
}

QUrl ManualSource(const QStringList& installed) {
  // The interface's language first, installed or built in, and only then
  // English: an older installed copy may have the English manual alone.
  QStringList names{ManualFileName(), QStringLiteral("manual.md")};
  names.removeDuplicates();
  for (const QString& name : names) {
    for (const QString& path : installed) {
      if (QFileInfo(path).fileName() == name && QFileInfo(path).isFile()) return QUrl::fromLocalFile(path);
    }
    if (QFileInfo(":/manual/" + name).isFile()) return QUrl("qrc:/manual/" + name);
  }
  return QUrl("qrc:/manual/manual.md");
}

QString HeadingAnchor(const QString& heading) {
  QString anchor;
  for (const QChar c : heading.toLower()) {
    if (c.isLetterOrNumber() || c == '-' || c == '_') anchor += c;
    else if (c == ' ') anchor += '-';
  }
  return anchor;
}

void NameHeadings(QTextDocument* doc) {
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat name;
    name.setAnchor(true);
    name.setAnchorNames({HeadingAnchor(block.text())});
    cursor.mergeCharFormat(name);
  }
}

ManualWindow::ManualWindow(const QUrl& source, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("ManualWindow");
  setWindowTitle(tr("Zelt calculator manual"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("ManualBrowser");
  browser_->setAccessibleName(tr("Manual"));
  browser_->setOpenExternalLinks(true);
  // Markdown gives its headings no names; the manual's links to its own
  // sections need them. The browser loads the document again for such a
  // link and looks for the section before this names it: look again.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    NameHeadings(browser_->document());
    if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
  });
  // The pictures' links are relative, so they resolve against the source.
  browser_->setSource(source, QTextDocument::MarkdownResource);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(720, 640);
  layout->activate();
  HoldToScreen(*this);
}

QAction* AddManualEntry(QMenu* help, QWidget* owner) {
  QAction* action = help->addAction(ManualWindow::tr("Manual"));
  action->setObjectName("Manual1");
  action->setShortcut(QKeySequence(Qt::Key_F1));
  QObject::connect(action, &QAction::triggered, owner, [owner] {
    auto* window = owner->findChild<ManualWindow*>("ManualWindow", Qt::FindDirectChildrenOnly);
    if (!window) window = new ManualWindow(ManualSource(), owner);
    window->show();
    window->raise();
    window->activateWindow();
  });
  return action;
}

}  // namespace zlc::ui
