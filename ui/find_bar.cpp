#include "ui/find_bar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace zlc::ui {

FindBar::FindBar(QTextEdit* view, QWidget* parent) : QWidget(parent), view_(view) {
  setObjectName("FindBar");
  auto* label = new QLabel(tr("&Find:"), this);
  field_ = new QLineEdit(this);
  field_->setObjectName("FindField");
  field_->setAccessibleName(tr("Find"));
  field_->setClearButtonEnabled(true);
  label->setBuddy(field_);
  previous_ = new QPushButton(tr("Previous"), this);
  previous_->setObjectName("FindPrevious");
  next_ = new QPushButton(tr("Next"), this);
  next_->setObjectName("FindNext");
  // Enter in the field finds; it must not press a button as well.
  for (QPushButton* button : {previous_, next_}) button->setAutoDefault(false);
  status_ = new QLabel(this);
  status_->setObjectName("FindStatus");
  // Room for the longest word it says, so that nothing moves when it speaks.
  const QFontMetrics metrics(status_->font());
  int widest = 0;
  for (const QString& word : {tr("Not found"), tr("Continued from the top"), tr("Continued from the end")}) {
    widest = std::max(widest, metrics.horizontalAdvance(word));
  }
  status_->setMinimumWidth(widest);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(label);
  row->addWidget(field_, 1);
  row->addWidget(previous_);
  row->addWidget(next_);
  row->addWidget(status_);

  // As one types, the match stays where it is while it still fits.
  connect(field_, &QLineEdit::textEdited, this, [this] { Find(false, From::SelectionStart); });
  connect(previous_, &QPushButton::clicked, this, &FindBar::FindPrevious);
  connect(next_, &QPushButton::clicked, this, &FindBar::FindNext);
  field_->installEventFilter(this);
}

void FindBar::Focus() {
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::FindNext() { Find(false, From::SelectionEnd); }
void FindBar::FindPrevious() { Find(true, From::SelectionStart); }

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ShiftModifier) FindPrevious();
      else FindNext();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FindBar::Find(bool backward, From from) {
  const QString text = field_->text();
  QTextCursor current = view_->textCursor();
  if (text.isEmpty()) {
    status_->clear();
    return;
  }
  QTextDocument* doc = view_->document();
  const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  QTextCursor start(doc);
  start.setPosition(from == From::SelectionStart ? current.selectionStart() : current.selectionEnd());
  QTextCursor found = doc->find(text, start, flags);
  QString note;
  if (found.isNull()) {
    QTextCursor other(doc);
    if (backward) other.movePosition(QTextCursor::End);
    found = doc->find(text, other, flags);
    note = backward ? tr("Continued from the end") : tr("Continued from the top");
  }
  if (found.isNull()) {
    current.clearSelection();
    view_->setTextCursor(current);
    status_->setText(tr("Not found"));
    return;
  }
  view_->setTextCursor(found);
  // A match out of sight, or at the bottom edge, is brought to the upper
  // third, with what follows it in view.
  const QRect shown = view_->cursorRect(found);
  const QRect seen = view_->viewport()->rect();
  if (!seen.adjusted(0, 0, 0, -seen.height() / 4).contains(shown)) {
    QScrollBar* bar = view_->verticalScrollBar();
    bar->setValue(bar->value() + shown.center().y() - view_->viewport()->height() / 3);
  }
  view_->ensureCursorVisible();
  status_->setText(note);
}

}  // namespace zlc::ui
