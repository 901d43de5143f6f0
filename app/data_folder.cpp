#include "app/data_folder.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <filesystem>
#include <system_error>

#include "ui/runtime_dialogs.h"

namespace zlc::app {

QString DataFolderPath() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.local/share";
  return QDir::cleanPath(base + "/zlc");
}

QString EnterDataFolder(const QString& path) {
  namespace fs = std::filesystem;
  const fs::path folder(QFile::encodeName(path).toStdString());
  std::error_code ec;
  fs::create_directories(folder, ec);  // fails on a file in the way
  if (!ec) fs::current_path(folder, ec);
  if (ec) return QString::fromLocal8Bit(ec.message());
  return {};
}

bool UseDataFolderIfAsked(const QStringList& arguments) {
  if (!arguments.contains(QLatin1String(kDataFolderOption))) return false;
  const QString folder = DataFolderPath();
  const QString error = EnterDataFolder(folder);
  if (error.isEmpty()) return true;
  ui::ShowRuntimeMessage(nullptr, QString("The data folder %1 cannot be used: %2.\n\n"
                                          "The calculator keeps its files in %3 instead.")
                                      .arg(QDir::toNativeSeparators(folder), error,
                                           QDir::toNativeSeparators(QDir::currentPath())));
  return false;
}

}  // namespace zlc::app
