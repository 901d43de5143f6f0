// The program's icon, the same pictures as the desktop menu's, built into
// the program so that every window shows it on any desktop.
#pragma once

#include <QIcon>

namespace zlc::app {

QIcon ProgramIcon();

}  // namespace zlc::app
