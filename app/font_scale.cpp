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
namespace {

struct Desktop {
  double fontPoints = 0;
  QSize screen;  // the primary screen's available area, unscaled pixels
};

// A first look at the platform, gone before the program's application is
// made with the scale in force. It gets a copy of the arguments: it takes
// Qt's own out of the list it is given. No scale is in force while it looks,
// so that the screen comes in the display's own pixels.
Desktop LookAtDesktop(int argc, char** argv) {
  // The platform takes the launcher's start-up token out of the environment
  // as it connects; the probe must leave it for the application that shows
  // the window, or the launcher waits for a window that never says it came.
  constexpr const char* kKept[] = {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN", "QT_SCALE_FACTOR"};
  std::vector<std::pair<const char*, QByteArray>> kept;
  for (const char* name : kKept) {
    if (qEnvironmentVariableIsSet(name)) kept.emplace_back(name, qgetenv(name));
  }
  qunsetenv("QT_SCALE_FACTOR");
  Desktop desktop;
  {
    std::vector<char*> copy(argv, argv + argc);
    copy.push_back(nullptr);
    int copyCount = argc;
    QGuiApplication probe(copyCount, copy.data());
    desktop.fontPoints = ui::DesktopFontPoints();
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
      desktop.screen = primary->availableGeometry().size();
    }
  }
  for (const auto& [name, value] : kept) qputenv(name, value);
  return desktop;
}

// The largest scale, in quarter steps, at which the main window at its
// drawn size, with room for its menu bar and the desktop's frame, still
// fits the screen; 0 when the screen is not known.
double LargestFittingScale(QSize screen) {
  if (screen.isEmpty()) return 0;
  const double fits = std::min(screen.width() / double(ui::TForm1::kClientWidth),
                               screen.height() / double(ui::TForm1::kClientHeight + 60));
  return std::floor(fits * 4) / 4;
}

bool IsScreenless(int argc, char** argv) {
  QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
  }
  return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

// A scale the user set is theirs, but only as far as the screen goes: at a
// thousand the windows would take gigabytes and show nothing whole.
void HoldUsersScaleToScreen(int argc, char** argv) {
  bool ok = false;
  const double asked = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
  if (!ok || !std::isfinite(asked) || asked <= 1) return;
  const double fitting = LargestFittingScale(LookAtDesktop(argc, argv).screen);
  if (fitting > 0 && asked > std::max(1.0, fitting)) {
    qputenv("QT_SCALE_FACTOR", QByteArray::number(std::max(1.0, fitting)));
  }
}

}  // namespace

double ScaleWindowsToDesktopFont(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    HoldUsersScaleToScreen(argc, argv);
    return 1;
  }
  if (IsScreenless(argc, argv)) return 1;
  const Desktop desktop = LookAtDesktop(argc, argv);
  double scale = ui::LayoutScale(desktop.fontPoints);
  // Never past the screen.
  if (const double fitting = LargestFittingScale(desktop.screen); fitting > 0) {
    scale = std::max(1.0, std::min(scale, fitting));
  }
  if (scale > 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
  return scale;
}

}  // namespace zlc::app
