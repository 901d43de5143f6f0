// The per-user data folder. The calculator keeps its files ("zlc.cfg", the
// result logs, "variants") in the working directory; started from the desktop
// menu ("zlc --data-folder") it works in $XDG_DATA_HOME/zlc instead of the
// home folder, made on the first start.
#pragma once

#include <QString>
#include <QStringList>

namespace zlc::app {

inline constexpr char kDataFolderOption[] = "--data-folder";

// $XDG_DATA_HOME/zlc; ~/.local/share/zlc when XDG_DATA_HOME is unset, empty
// or not an absolute path (as the XDG base directory rules say).
QString DataFolderPath();

// Makes the folder, with its parents, and changes into it. Returns an empty
// string on success, else the reason it failed; the working directory is
// then unchanged.
QString EnterDataFolder(const QString& path);

// With "--data-folder" among the arguments, enters the data folder; when that
// fails, says so in a message box and stays in the current directory.
// Returns whether the working directory is now the data folder.
bool UseDataFolderIfAsked(const QStringList& arguments);

}  // namespace zlc::app
