// The about box's picture: a fan of four cards, one of each suit, beside a
// hexagram, drawn in code so that it scales with nothing and needs no file.
#pragma once

#include <QPixmap>
#include <QSize>

namespace zlc::ui {

QPixmap DrawAboutPicture(QSize size, qreal pixelRatio = 1);

}  // namespace zlc::ui
