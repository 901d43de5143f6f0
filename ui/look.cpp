#include "ui/look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace zlc::ui {

void ApplyClassicLook() {
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The layouts were drawn for a narrow sans serif; take the closest one this
  // machine has, so that every caption fits its control.
  QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arimo", "Nimbus Sans",
                                               "DejaVu Sans Condensed", "DejaVu Sans"});
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);  // 8 points at 96 dpi
  QApplication::setFont(font);
}

}  // namespace zlc::ui
