#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

namespace zlc::ui {

namespace {

// The layout's font at 8 points, and the largest it holds: buttons are 14
// pixels high, list lines 13 apart.
constexpr double kDesignPixels = 11;
constexpr int kMostPixels = 12;

double WantedPixels(double points) { return kDesignPixels * points / 8.0; }

}  // namespace

double LayoutScale(double points) {
  if (!(points > 0)) return 1;
  return std::max(1.0, std::floor(WantedPixels(points) / kDesignPixels * 4) / 4);
}

int DesignFontPixels(double points, double layoutScale) {
  if (!(points > 0) || !(layoutScale > 0)) return static_cast<int>(kDesignPixels);
  // Below 9 pixels no caption reads; above 12 the captions clip and the lines
  // overlap, which the layout's scale takes up instead.
  return std::clamp(static_cast<int>(std::lround(WantedPixels(points) / layoutScale)), 9, kMostPixels);
}

double DesktopFontPoints() {
  const QFont desktop = QGuiApplication::font();
  return desktop.pointSizeF() > 0 ? desktop.pointSizeF() : desktop.pixelSize() * 72.0 / 96.0;
}

void ApplyClassicLook(double layoutScale) {
  // The desktop's own font size, asked before the design font replaces it.
  const double points = DesktopFontPoints();
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The layouts were drawn for a narrow sans serif; take the closest one this
  // machine has, so that every caption fits its control.
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "Nimbus Sans",
                                               "DejaVu Sans Condensed", "DejaVu Sans"});
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(DesignFontPixels(points, layoutScale));
  QApplication::setFont(font);
}

}  // namespace zlc::ui
