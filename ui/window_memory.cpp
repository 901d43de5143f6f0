#include "ui/window_memory.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QStringList>

#include "ui/unit1.h"

namespace zlc::ui {
namespace {

constexpr const char* kGeometry = "MainWindow/geometry";
constexpr const char* kMaximized = "MainWindow/maximized";
constexpr const char* kOpen = "MainWindow/openWindows";

}  // namespace

void RememberWindows(QSettings& store, const TForm1& main) {
  // The frame's place and the inside's size, as move() and resize() take
  // them; of a maximized window those it had before, so that it comes back
  // maximized over them.
  const QPoint frameOffset = main.geometry().topLeft() - main.pos();
  const QRect normal = main.normalGeometry();
  store.setValue(kGeometry, QRect(normal.topLeft() - frameOffset, normal.size()));
  store.setValue(kMaximized, main.isMaximized());
  store.setValue(kOpen, main.OpenWindowNames());
  store.sync();
}

void RestoreWindows(QSettings& store, TForm1& main) {
  const QRect frame = store.value(kGeometry).toRect();
  if (frame.isValid()) {
    const QSize size = frame.size().expandedTo(main.minimumSize());
    main.resize(size);
    if (QGuiApplication::screenAt(frame.center()) != nullptr) main.move(frame.topLeft());
  }
  if (store.value(kMaximized, false).toBool()) main.setWindowState(main.windowState() | Qt::WindowMaximized);
}

void ReopenWindows(QSettings& store, TForm1& main) {
  for (const QString& name : store.value(kOpen).toStringList()) main.OpenWindowNamed(name);
  main.activateWindow();  // the keys go on to the main window, as before the quit
}

}  // namespace zlc::ui
