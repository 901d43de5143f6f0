#include "app/startup.h"

#include <QApplication>

#include "app/program_icon.h"
#include "ui/look.h"
#include "ui/translation.h"

namespace zlc::app {

void SetUpApplication(double layoutScale) {
  QApplication::setApplicationName("zlc");
  // The menu entry's icon on Wayland; on X11 the windows carry the icon
  // themselves, and a window without one shows the desktop's generic one.
  QApplication::setDesktopFileName("io.github.zlc.Calculator");
  QApplication::setWindowIcon(ProgramIcon());
  ui::ApplyClassicLook(layoutScale);
  ui::InstallTranslation(QLocale::system());
}

}  // namespace zlc::app
