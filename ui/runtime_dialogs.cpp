#include "ui/runtime_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zlc::ui {
namespace {

MessageSink& Sink() {
  static MessageSink sink;
  return sink;
}

FileNameProvider& Provider() {
  static FileNameProvider provider;
  return provider;
}

QString Ask(QWidget* parent, const QString& title, const QString& suffix, QFileDialog::AcceptMode mode) {
  if (Provider()) return Provider()(title, suffix);
  QFileDialog dialog(parent, title, ".");
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

void ShowRuntimeMessage(QWidget* parent, const QString& message) {
  if (Sink()) {
    Sink()(message);
    return;
  }
  QMessageBox::critical(parent, QApplication::applicationName(), message);
}

void SetFileNameProvider(FileNameProvider provider) { Provider() = std::move(provider); }

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& defaultSuffix) {
  return Ask(parent, title, defaultSuffix, QFileDialog::AcceptSave);
}

QString AskOpenFileName(QWidget* parent, const QString& title, const QString& defaultSuffix) {
  return Ask(parent, title, defaultSuffix, QFileDialog::AcceptOpen);
}

}  // namespace zlc::ui
