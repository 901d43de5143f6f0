#include "ui/manual_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/find_bar.h"
#include "ui/manual_layout.h"
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

namespace {

// Set on the first block of a document once it is laid out for reading: a
// document the browser loads again comes without it.
constexpr int kLaidOut = 1;

}  // namespace

ManualWindow::ManualWindow(const QUrl& source, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("ManualWindow");
  setWindowTitle(tr("Zelt calculator manual"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("ManualBrowser");
  browser_->setAccessibleName(tr("Manual"));
  browser_->setOpenExternalLinks(true);
  connect(browser_, &QTextBrowser::sourceChanged, this, &ManualWindow::Loaded);
  browser_->installEventFilter(this);
  browser_->viewport()->installEventFilter(this);
  // The pictures' links are relative, so they resolve against the source.
  browser_->setSource(source, QTextDocument::MarkdownResource);
  findBar_ = new FindBar(browser_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(MakeBar());
  layout->addWidget(browser_, 1);
  connect(AddKeyAction("CloseManual", {QKeySequence(Qt::Key_Escape)}), &QAction::triggered, this,
          &QWidget::close);
  connect(AddKeyAction("FindInManual", QKeySequence::keyBindings(QKeySequence::Find)), &QAction::triggered,
          findBar_, &FindBar::Focus);
  connect(AddKeyAction("FindNextInManual", QKeySequence::keyBindings(QKeySequence::FindNext)),
          &QAction::triggered, findBar_, &FindBar::FindNext);
  connect(AddKeyAction("FindPreviousInManual", QKeySequence::keyBindings(QKeySequence::FindPrevious)),
          &QAction::triggered, findBar_, &FindBar::FindPrevious);
  // The keys scroll the text from the start.
  browser_->setFocus();
  resize(720, 640);
  layout->activate();
  HoldToScreen(*this);
}

// A key of the whole window, whichever of its controls has the focus.
QAction* ManualWindow::AddKeyAction(const QString& name, const QList<QKeySequence>& keys) {
  auto* action = new QAction(this);
  action->setObjectName(name);
  action->setShortcuts(keys);
  addAction(action);
  return action;
}

QWidget* ManualWindow::MakeBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName("ManualBar");
  auto* row = new QHBoxLayout(bar);
  const int gap = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
  row->setContentsMargins(gap, gap, gap, gap);
  const struct {
    const char* name;
    QString text;
    QStyle::StandardPixmap icon;
    QKeySequence::StandardKey keys;
    void (QTextBrowser::*go)();
    void (QTextBrowser::*available)(bool);
  } kSteps[] = {
      {"ManualBack", tr("Back"), QStyle::SP_ArrowBack, QKeySequence::Back, &QTextBrowser::backward,
       &QTextBrowser::backwardAvailable},
      {"ManualForward", tr("Forward"), QStyle::SP_ArrowForward, QKeySequence::Forward, &QTextBrowser::forward,
       &QTextBrowser::forwardAvailable},
  };
  for (const auto& step : kSteps) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(step.keys);
    QAction* action = AddKeyAction(step.name, keys);
    action->setText(step.text);
    action->setIcon(style()->standardIcon(step.icon));
    if (!keys.isEmpty()) {
      action->setToolTip(step.text + " (" + keys.first().toString(QKeySequence::NativeText) + ")");
    }
    action->setEnabled(false);
    connect(action, &QAction::triggered, browser_, step.go);
    connect(browser_, step.available, action, &QAction::setEnabled);
    auto* button = new QToolButton(bar);
    button->setObjectName(QString(step.name) + "Button");
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    row->addWidget(button);
  }
  row->addSpacing(3 * gap);
  row->addWidget(findBar_, 1);
  return bar;
}

void ManualWindow::Loaded(const QUrl& url) {
  QTextDocument* doc = browser_->document();
  // Markdown gives its headings no names; the manual's links to its own
  // sections need them. The browser may load the document again for such a
  // link and look for the section before this names it: look again.
  if (doc->firstBlock().userState() != kLaidOut) {
    NameHeadings(doc);
    LayOutForReading(doc);
    if (browser_->isVisible()) FitPicturesToView();
    doc->firstBlock().setUserState(kLaidOut);
  }
  if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
}

bool ManualWindow::eventFilter(QObject* watched, QEvent* event) {
  // The text has no cursor to move: Home and End (with Ctrl or without) go
  // to its start and its end, as in any reader.
  if (watched == browser_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Home || key == Qt::Key_End) {
      browser_->verticalScrollBar()->triggerAction(key == Qt::Key_Home ? QAbstractSlider::SliderToMinimum
                                                                       : QAbstractSlider::SliderToMaximum);
      return true;
    }
  }
  // Fitted once the resizing is over: refitting may bring the scroll bar,
  // which narrows the view again.
  if (watched == browser_->viewport() && event->type() == QEvent::Resize && !fitPending_) {
    fitPending_ = true;
    QMetaObject::invokeMethod(this, &ManualWindow::FitPicturesToView, Qt::QueuedConnection);
  }
  return QWidget::eventFilter(watched, event);
}

void ManualWindow::FitPicturesToView() {
  fitPending_ = false;
  QTextDocument* doc = browser_->document();
  // A long document is laid out in steps; a change between two of them
  // leaves what follows a table unlaid, blank. The layout is finished first.
  doc->pageCount();
  FitPictures(doc, browser_->viewport()->width() - 2 * doc->documentMargin());
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
