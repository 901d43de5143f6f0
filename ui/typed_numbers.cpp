#include "ui/typed_numbers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <limits>

#include "persist/io_error.h"
#include "ui/runtime_dialogs.h"
#include "ui/text.h"

namespace zlc::ui {

TypedNumbers::TypedNumbers(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}

void TypedNumbers::Watch(QComboBox* box, Take take) {
  entries_.push_back({box, std::move(take)});
  const std::size_t index = entries_.size() - 1;
  const auto settle = [this, index] { TakeFrom(entries_[index]); };
  connect(box->lineEdit(), &QLineEdit::editingFinished, this, settle);
  connect(box, &QComboBox::activated, this, settle);
}

bool TypedNumbers::Settle() {
  for (const Entry& entry : entries_) TakeFrom(entry);
  return messages_.isEmpty();
}

void TypedNumbers::TakeFrom(const Entry& entry) {
  const std::optional<QString> refused = entry.take();
  if (!refused) return;
  if (messages_.isEmpty()) {
    refusedBox_ = entry.box;
    QTimer::singleShot(0, this, &TypedNumbers::ShowRefusals);
  }
  messages_ << *refused;
}

void TypedNumbers::ShowRefusals() {
  const QPointer<QComboBox> box = refusedBox_;
  // Each message in turn; taken off the list only once shown, so that the
  // dialog cannot close before.
  while (!messages_.isEmpty()) {
    ShowRuntimeMessage(dialog_, messages_.first());
    messages_.removeFirst();
  }
  if (!box || !dialog_->isVisible()) return;
  // Back to the dialog, whether or not the window system hands it the
  // activation when the message goes.
  dialog_->activateWindow();
  box->setFocus(Qt::OtherFocusReason);
  box->lineEdit()->selectAll();
}

QString RefusalMessage(const QString& typed, TypedNumber::Verdict verdict, const QString& outOfRange,
                       std::int32_t least, std::int32_t most) {
  const std::string text = FromQt(typed);
  if (verdict != TypedNumber::Verdict::OutOfRange) return MessageWords(InvalidIntegerMessage(text));
  const bool below = typed.startsWith('-');
  QString range;
  if (least == std::numeric_limits<std::int32_t>::min() && !below) {
    range = QCoreApplication::translate("TypedNumbers", "at most %1").arg(most);
  } else if (most == std::numeric_limits<std::int32_t>::max() && below) {
    range = QCoreApplication::translate("TypedNumbers", "at least %1").arg(least);
  } else {
    range = QCoreApplication::translate("TypedNumbers", "%1 to %2").arg(least).arg(most);
  }
  return outOfRange.arg(ToQt(QuotableValue(text)), range);
}

}  // namespace zlc::ui
