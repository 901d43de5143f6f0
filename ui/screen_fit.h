// Windows never larger than the screen they open on: a remembered size, a
// size drawn for a larger font, or a scale the user set may ask for more
// than the screen has, and a window beyond the screen cannot be moved or
// closed by its frame (and a huge one takes gigabytes of memory).
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace zlc::ui {

// The room for a window's inside on its screen (the primary one before it
// has one): the available area less the desktop's frame around it.
QSize RoomOnScreen(const QWidget& window);

// A size no larger than that room.
QSize HeldToScreen(const QWidget& window, QSize size);

// The window made no larger than its screen's room, its smallest size too
// where its layout asks for more than the screen has.
void HoldToScreen(QWidget& window);

}  // namespace zlc::ui
