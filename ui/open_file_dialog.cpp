#include "ui/open_file_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace zlc::ui {

OpenFileDialog::OpenFileDialog(QWidget* parent, const QString& title, const QString& folder,
                               const QString& suffix)
    : QFileDialog(parent, title, folder), suffix_(suffix) {
  setAcceptMode(AcceptOpen);
  setFileMode(ExistingFile);
  // The toolkit's own dialog enables Open only for a name that exists as
  // typed, or that its filter shows; this one for any name it can open.
  // Where the desktop's own dialog stands in, it has no such parts.
  auto* buttons = findChild<QDialogButtonBox*>();
  open_ = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
  if (auto* field = findChild<QLineEdit*>("fileNameEdit"); field && open_) {
    // After the dialog's own reaction to the text, which was connected first.
    connect(field, &QLineEdit::textChanged, this, [this] { KeepOpenUsable(); });
    open_->installEventFilter(this);
  }
}

QString OpenFileDialog::Suffixed(const QString& path) const {
  const QFileInfo typed(path);
  const QFileInfo withSuffix(path + '.' + suffix_);
  if (suffix_.isEmpty() || typed.exists() || typed.fileName().contains('.') || !withSuffix.isFile()) {
    return {};
  }
  return withSuffix.filePath();
}

QString OpenFileDialog::Typed() const {
  const auto* field = findChild<QLineEdit*>("fileNameEdit");
  return field && !field->text().isEmpty() ? directory().absoluteFilePath(field->text()) : QString();
}

bool OpenFileDialog::TypedNameOpens() const {
  const QString typed = Typed();
  return !typed.isEmpty() && (QFileInfo(typed).isFile() || !Suffixed(typed).isEmpty());
}

void OpenFileDialog::KeepOpenUsable() {
  if (open_ && !open_->isEnabled() && TypedNameOpens()) open_->setEnabled(true);
}

bool OpenFileDialog::eventFilter(QObject* watched, QEvent* event) {
  // The dialog disables Open on other occasions too (a folder read in):
  // looked at again once it has done so.
  if (watched == open_ && event->type() == QEvent::EnabledChange && !open_->isEnabled()) {
    QMetaObject::invokeMethod(this, [this] { KeepOpenUsable(); }, Qt::QueuedConnection);
  }
  return QFileDialog::eventFilter(watched, event);
}

void OpenFileDialog::accept() {
  // By the name typed, not by what the list has selected: typing "sub/x"
  // selects the folder "sub" on the way, and the folder may still be so
  // when Open is pressed.
  const QString typed = !Typed().isEmpty() ? Typed() : selectedFiles().value(0);
  chosen_ = QFileInfo(typed).isFile() ? typed : Suffixed(typed);
  if (!chosen_.isEmpty()) {
    QDialog::accept();
    return;
  }
  // A folder is entered, a missing file is refused in the dialog.
  QFileDialog::accept();
}

QString OpenFileDialog::Chosen() const { return chosen_.isEmpty() ? selectedFiles().value(0) : chosen_; }

}  // namespace zlc::ui
