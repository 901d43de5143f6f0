#include "ui/runtime_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <utility>

#include "cards/cp1251.h"
#include "ui/text.h"

namespace zlc::ui {
namespace {

MessageSink& Sink() {
  static MessageSink sink;
  return sink;
}

// The reasons the core gives, in English; shown in the interface's language.
QString TranslatedReason(const std::string& reason) {
  static const char* const kReasons[] = {
      QT_TRANSLATE_NOOP("RuntimeMessages", "No such file or directory"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "No such folder"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Permission denied"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Operation not permitted"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "No space left on device"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Disk quota exceeded"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "File too large"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Read-only file system"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Input/output error"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Not a directory"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Is a directory"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Too many levels of symbolic links"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "File name too long"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Invalid argument"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Text file busy"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Not a regular file: a FIFO"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Not a regular file: a device"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "Not a regular file: a socket"),
      QT_TRANSLATE_NOOP("RuntimeMessages", "A link of another user, not followed"),
  };
  for (const char* known : kReasons) {
    if (reason == known) return QCoreApplication::translate("RuntimeMessages", known);
  }
  return QString::fromStdString(reason);
}

QString EscapedLine(const QString& line) {
  return QString::fromStdString(EscapeControlsUtf8(line.toStdString()));
}

struct Held {
  bool holding = false;
  bool toStandardError = false;
  QStringList messages;
};

Held& HeldMessages() {
  static Held held;
  return held;
}

// Held until the main window shows, handed to a test's sink, or shown.
void Deliver(QWidget* parent, const QString& message) {
  if (HeldMessages().toStandardError) {
    std::fprintf(stderr, "zlc: %s\n", message.toLocal8Bit().replace('\n', "\nzlc: ").constData());
    return;
  }
  if (HeldMessages().holding) {
    HeldMessages().messages << message;
    return;
  }
  if (Sink()) {
    Sink()(message);
    return;
  }
  QMessageBox::critical(parent, QApplication::applicationName(), message);
}

}  // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

void HoldRuntimeMessages() { HeldMessages().holding = true; }

void SendMessagesToStandardError() {
  Held& held = HeldMessages();
  held.toStandardError = true;
  held.holding = false;
  const QStringList messages = std::exchange(held.messages, {});
  for (const QString& message : messages) Deliver(nullptr, message);
}

void ReleaseRuntimeMessages(QWidget* parent) {
  Held& held = HeldMessages();
  held.holding = false;
  const QStringList messages = std::exchange(held.messages, {});
  for (const QString& message : messages) Deliver(parent, message);
}

QString MessageWords(const RuntimeMessage& message) {
  const auto words = [](const char* text) { return QCoreApplication::translate("RuntimeMessages", text); };
  switch (message.kind) {
    case MessageKind::FileNotFound:
      return words(QT_TRANSLATE_NOOP("RuntimeMessages", "File not found"));
    case MessageKind::IoError:
      return words(QT_TRANSLATE_NOOP("RuntimeMessages", "I/O error %1")).arg(ToQt(message.values[0]));
    case MessageKind::InvalidInteger:
      return words(QT_TRANSLATE_NOOP("RuntimeMessages", "'%1' is not a valid integer value"))
          .arg(ToQt(message.values[0]));
    case MessageKind::BadValuesSkipped:
      return words(QT_TRANSLATE_NOOP("RuntimeMessages", "%1 more bad values in %2 were skipped"))
          .arg(ToQt(message.values[0]), ToQt(message.values[1]));
    case MessageKind::Plain:
      break;
  }
  return ToQt(message.text);
}

void ShowRuntimeMessage(QWidget* parent, const QString& shown) {
  QStringList lines = shown.split('\n');
  for (QString& line : lines) line = EscapedLine(line);
  Deliver(parent, lines.join('\n'));
}

void ShowRuntimeMessage(QWidget* parent, const RuntimeMessage& message) {
  QString text = EscapedLine(MessageWords(message));
  if (!message.file.empty() || !message.reason.empty()) {
    // A name as the file system spells it, any byte that is no character
    // shown as its code.
    const QString file = QString::fromStdString(EscapeControlsUtf8(message.file));
    const QString reason = EscapedLine(TranslatedReason(message.reason));
    text += '\n' + (file.isEmpty() ? reason : reason.isEmpty() ? file : file + ": " + reason);
  }
  Deliver(parent, text);
}

}  // namespace zlc::ui
