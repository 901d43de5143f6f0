#include "ui/window_memory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <cstdio>

#include "cards/cp1251.h"
#include "persist/safe_open.h"

#include "ui/screen_fit.h"
#include "ui/unit1.h"

namespace zlc::ui {
namespace {

constexpr const char* kGeometry = "MainWindow/geometry";
constexpr const char* kMaximized = "MainWindow/maximized";
constexpr const char* kOpen = "MainWindow/openWindows";
constexpr const char* kRecentTasks = "RecentTasks/files";
// A store of ours holds a few lines; one past this is nothing of ours.
constexpr off_t kMostStoreBytes = 64 * 1024;

// Where the platform's store for this program lives, as QSettings names it.
QString StorePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/zlc/zlc.conf";
}

// Empty when the store may be read (a missing one too), else why not.
QString StoreRefusal(const QString& path) {
  const std::string name = QFile::encodeName(path).toStdString();
  int fd = -1;
  if (IoResult refused = OpenRegularForReading(name, fd)) {
    if (refused->code == ENOENT) return {};
    return QString::fromLocal8Bit(DescribeFailure(*refused, name, FileUse::Reading).reason);
  }
  struct stat st {};
  const bool tooLarge = ::fstat(fd, &st) == 0 && st.st_size > kMostStoreBytes;
  ::close(fd);
  return tooLarge ? QStringLiteral("larger than any store of this program") : QString();
}

}  // namespace

std::unique_ptr<QSettings> OpenWindowStore() {
  const QString path = StorePath();
  if (const QString refusal = StoreRefusal(path); !refusal.isEmpty()) {
    std::fprintf(stderr, "zlc: the windows' places are not remembered: %s: %s\n",
                 EscapeControlsUtf8(QFile::encodeName(path).toStdString()).c_str(),
                 refusal.toLocal8Bit().constData());
    return nullptr;
  }
  return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

void RememberWindows(QSettings& store, const TForm1& main) {
  // The frame's place and the inside's size, as move() and resize() take
  // them; of a maximized window those it had before, so that it comes back
  // maximized over them.
  const QPoint frameOffset = main.geometry().topLeft() - main.pos();
  const QRect normal = main.normalGeometry();
  // Never more than the screen holds: a size once too large would come back
  // at every start.
  store.setValue(kGeometry, QRect(normal.topLeft() - frameOffset, HeldToScreen(main, normal.size())));
  store.setValue(kMaximized, main.isMaximized());
  store.setValue(kOpen, main.OpenWindowNames());
  store.setValue(kRecentTasks, main.RecentTasks());
  store.sync();
}

void RestoreWindows(QSettings& store, TForm1& main) {
  const QRect frame = store.value(kGeometry).toRect();
  if (frame.isValid()) {
    const QSize size = HeldToScreen(main, frame.size()).expandedTo(main.minimumSize());
    main.resize(size);
    if (QGuiApplication::screenAt(frame.center()) != nullptr) main.move(frame.topLeft());
  }
  HoldToScreen(main);
  main.SetRecentTasks(store.value(kRecentTasks).toStringList());
  if (store.value(kMaximized, false).toBool()) main.setWindowState(main.windowState() | Qt::WindowMaximized);
}

void ReopenWindows(QSettings& store, TForm1& main) {
  for (const QString& name : store.value(kOpen).toStringList()) main.OpenWindowNamed(name);
  main.activateWindow();  // the keys go on to the main window, as before the quit
}

}  // namespace zlc::ui
