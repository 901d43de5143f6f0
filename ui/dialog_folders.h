// The file dialogs' memory for the session: for each kind of file, the
// folder last chosen and the name last chosen there. Kept in memory only:
// a new session starts again from the working folder, where the program's
// own files are, as it always has.
#pragma once

#include <QString>

namespace zlc::ui {

enum class FileKind { Task, Results, Csv, Png };

// The folder the kind's dialog opens in: the last one chosen for it while it
// is still a folder, else the working folder ".".
QString FolderFor(FileKind kind);
// The name last chosen for the kind in this session; empty before.
QString LastNameFor(FileKind kind);
// `path` was chosen in a dialog of this kind.
void RememberChoice(FileKind kind, const QString& path);
// As at the start of a session.
void ForgetChoices();

}  // namespace zlc::ui
