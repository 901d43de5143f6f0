// A window's drawing saved as a PNG file, all or nothing: the picture is
// made in memory first, so the file takes it whole or keeps what it held.
#pragma once

#include <QString>

class QWidget;

namespace zlc::ui {

// False, with the reason shown over `parent`, when it could not be saved.
bool SavePicturePng(QWidget* parent, QWidget& shown, const QString& path);

}  // namespace zlc::ui
