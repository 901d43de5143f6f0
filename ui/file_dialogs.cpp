#include "ui/file_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>
#include <utility>

#include "ui/open_file_dialog.h"

namespace zlc::ui {
namespace {

FileAnswerer& Answerer() {
  static FileAnswerer answerer;
  return answerer;
}

QString DefaultSuffix(FileKind kind) {
  switch (kind) {
    case FileKind::Task:
      return QStringLiteral("zlt");
    case FileKind::Results:
      return {};  // a result or a list is saved under the name as typed
    case FileKind::Csv:
      return QStringLiteral("csv");
    case FileKind::Png:
      return QStringLiteral("png");
  }
  return {};
}

QString Filter(const QString& words, const char* patterns) { return words + " (" + patterns + ')'; }

QStringList NameFilters(FileKind kind, bool save) {
  QStringList filters;
  switch (kind) {
    case FileKind::Task:
      filters << Filter(QCoreApplication::translate("FileDialogs", "Tasks"), "*.zlt");
      // A saved result opens as the task of its layout.
      if (!save) filters << Filter(QCoreApplication::translate("FileDialogs", "Results"), "*.txt");
      break;
    case FileKind::Results:
      filters << Filter(QCoreApplication::translate("FileDialogs", "Results"), "*.txt");
      break;
    case FileKind::Csv:
      filters << Filter(QCoreApplication::translate("FileDialogs", "CSV tables"), "*.csv");
      break;
    case FileKind::Png:
      filters << Filter(QCoreApplication::translate("FileDialogs", "PNG pictures"), "*.png");
      break;
  }
  return filters << Filter(QCoreApplication::translate("FileDialogs", "All files"), "*");
}

QString Shown(QWidget* parent, const FileQuestion& question) {
  if (!question.save) {
    OpenFileDialog dialog(parent, question.title, question.folder, question.defaultSuffix);
    dialog.setObjectName("OpenDialog1");
    dialog.setNameFilters(question.nameFilters);
    return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : QString();
  }
  QFileDialog dialog(parent, question.title, question.folder);
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(question.defaultSuffix);
  dialog.setNameFilters(question.nameFilters);
  if (!question.suggestedName.isEmpty()) dialog.selectFile(question.suggestedName);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString Ask(QWidget* parent, const QString& title, FileKind kind, bool save, QString suggestedName) {
  const QString suffix = DefaultSuffix(kind);
  if (save && suggestedName.isEmpty() && !suffix.isEmpty()) {
    // The file last opened or saved of this kind, when it is one of its own
    // files (a task opened from a result's file is not saved over it).
    const QString last = LastNameFor(kind);
    if (QFileInfo(last).suffix().compare(suffix, Qt::CaseInsensitive) == 0) suggestedName = last;
  }
  const FileQuestion question{title, kind, save, FolderFor(kind), suggestedName, suffix,
                              NameFilters(kind, save)};
  const QString path = Answerer() ? Answerer()(question) : Shown(parent, question);
  if (!path.isEmpty()) RememberChoice(kind, path);
  return path;
}

}  // namespace

void SetFileAnswerer(FileAnswerer answerer) { Answerer() = std::move(answerer); }

void SetFileNameProvider(FileNameProvider provider) {
  if (!provider) {
    Answerer() = nullptr;
    return;
  }
  Answerer() = [provider = std::move(provider)](const FileQuestion& question) {
    return provider(question.title, question.defaultSuffix);
  };
}

QString AskSaveFileName(QWidget* parent, const QString& title, FileKind kind, const QString& suggestedName) {
  return Ask(parent, title, kind, true, suggestedName);
}

QString AskOpenFileName(QWidget* parent, const QString& title, FileKind kind) {
  return Ask(parent, title, kind, false, {});
}

QString ResultFileName(const QString& number) {
  bool digits = !number.isEmpty();
  for (const QChar c : number) digits = digits && c >= '0' && c <= '9';
  return digits ? "result-" + number + ".txt" : QStringLiteral("result.txt");
}

QString FileNameOf(const QWidget* shown, const QString& suffix) {
  const QString name = shown ? shown->objectName() : QString();
  if (name.isEmpty()) return {};
  QString words;
  for (const QChar c : name) {
    if (c.isUpper() && !words.isEmpty()) words += '-';
    words += c.toLower();
  }
  return words + '.' + suffix;
}

}  // namespace zlc::ui
