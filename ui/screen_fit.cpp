#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zlc::ui {
namespace {

// What a desktop's frame takes, for a window not yet framed: a title bar
// and borders.
constexpr QSize kFrameAllowance(16, 48);

QSize FrameOf(const QWidget& window) {
  if (!window.isVisible()) return kFrameAllowance;
  const QSize frame = window.frameGeometry().size() - window.geometry().size();
  return frame.isValid() && !frame.isNull() ? frame : kFrameAllowance;
}

const QScreen* ScreenOf(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

QSize RoomOnScreen(const QWidget& window) {
  const QScreen* screen = ScreenOf(window);
  if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  return (screen->availableGeometry().size() - FrameOf(window)).expandedTo(QSize(1, 1));
}

QSize HeldToScreen(const QWidget& window, QSize size) { return size.boundedTo(RoomOnScreen(window)); }

void HoldToScreen(QWidget& window) {
  const QSize room = RoomOnScreen(window);
  if (window.minimumWidth() > room.width() || window.minimumHeight() > room.height()) {
    window.setMinimumSize(window.minimumSize().boundedTo(room));
  }
  if (window.width() > room.width() || window.height() > room.height()) {
    window.resize(window.size().boundedTo(room));
  }
  // Its frame on the screen too, where it was placed: a window that grew
  // from its place must not hang over the screen's edge.
  const QScreen* screen = ScreenOf(window);
  if (!screen || !window.isWindow()) return;
  const QRect area = screen->availableGeometry();
  const QSize frame = window.size() + FrameOf(window);
  const QPoint place(std::clamp(window.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
                     std::clamp(window.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
  if (place != window.pos()) window.move(place);
}

}  // namespace zlc::ui
