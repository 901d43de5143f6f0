#include "app/font_scale.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "ui/look.h"
#include "ui/unit1.h"

namespace zlc::app {

double ScaleWindowsToDesktopFont(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) return 1;
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
  }
  if (platform.startsWith("offscreen") || platform.startsWith("minimal")) return 1;
  // The platform takes the launcher's start-up token out of the environment
  // as it connects; the probe must leave it for the application that shows
  // the window, or the launcher waits for a window that never says it came.
  constexpr const char* kStartupTokens[] = {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"};
  std::vector<std::pair<const char*, QByteArray>> tokens;
  for (const char* name : kStartupTokens) {
    if (qEnvironmentVariableIsSet(name)) tokens.emplace_back(name, qgetenv(name));
  }
  double points = 0;
  QSize screen;
  {
    // A first look at the platform, gone before the program's application
    // is made with the scale in force. It gets a copy of the arguments: it
    // takes Qt's own out of the list it is given.
    std::vector<char*> copy(argv, argv + argc);
    copy.push_back(nullptr);
    int copyCount = argc;
    QGuiApplication probe(copyCount, copy.data());
    points = ui::DesktopFontPoints();
    if (const QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->availableGeometry().size();
  }
  for (const auto& [name, value] : tokens) qputenv(name, value);
  double scale = ui::LayoutScale(points);
  if (!screen.isEmpty()) {
    // Never past the screen: the main window at its drawn size, with room
    // for its menu bar and the desktop's frame, must still fit.
    const double fits = std::min(screen.width() / double(ui::TForm1::kClientWidth),
                                 screen.height() / double(ui::TForm1::kClientHeight + 60));
    scale = std::max(1.0, std::min(scale, std::floor(fits * 4) / 4));
  }
  if (scale > 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  return scale;
}

}  // namespace zlc::app
