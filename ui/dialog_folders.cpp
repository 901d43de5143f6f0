#include "ui/dialog_folders.h"

#include <QFileInfo>
#include <array>

namespace zlc::ui {
namespace {

struct Choice {
  QString folder;
  QString name;
};

Choice& ChoiceFor(FileKind kind) {
  static std::array<Choice, 4> choices;
  return choices.at(static_cast<std::size_t>(kind));
}

}  // namespace

QString FolderFor(FileKind kind) {
  const QString& folder = ChoiceFor(kind).folder;
  // A folder removed or renamed since: back to where a session starts.
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QStringLiteral(".");
}

QString LastNameFor(FileKind kind) { return ChoiceFor(kind).name; }

void RememberChoice(FileKind kind, const QString& path) {
  const QFileInfo chosen(path);
  ChoiceFor(kind) = {chosen.absolutePath(), chosen.fileName()};
}

void ForgetChoices() {
  for (FileKind kind : {FileKind::Task, FileKind::Results, FileKind::Csv, FileKind::Png}) ChoiceFor(kind) = {};
}

}  // namespace zlc::ui
