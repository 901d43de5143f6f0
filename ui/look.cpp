#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

namespace zlc::ui {

int DesignFontPixels(double points) {
  if (!(points > 0)) return 11;
  // Below 9 pixels no caption reads. The layout's sizes are fixed (buttons
  // 14 pixels high, list lines 13 apart) and hold no more than 12: a larger
  // font clips the captions and overlaps the lines. The whole window grows
  // with QT_SCALE_FACTOR instead.
  return std::clamp(static_cast<int>(std::lround(11.0 * points / 8.0)), 9, 12);
}

void ApplyClassicLook() {
  // The desktop's own font size, asked before the design font replaces it.
  const QFont desktop = QApplication::font();
  const double points =
      desktop.pointSizeF() > 0 ? desktop.pointSizeF() : desktop.pixelSize() * 72.0 / 96.0;
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The layouts were drawn for a narrow sans serif; take the closest one this
  // machine has, so that every caption fits its control.
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "Nimbus Sans",
                                               "DejaVu Sans Condensed", "DejaVu Sans"});
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(DesignFontPixels(points));
  QApplication::setFont(font);
}

}  // namespace zlc::ui
