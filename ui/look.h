// The windows' common look: one style, the small dialog font the layouts
// were drawn for (8 points at 96 dots per inch) at the user's scale, and the
// face colour of the painted figures.
#pragma once

#include <QColor>

namespace zlc::ui {

void ApplyClassicLook();

// The design font's pixel size for a desktop whose default font has
// `points` points: 11 pixels at 8 points, in proportion above and below as
// far as the fixed layout holds.
int DesignFontPixels(double points);

// The face behind the black figures of the Hex Table and the filter
// dialog: fixed with them, so that they read under any palette.
inline constexpr QColor kFigureFace{240, 240, 240};

}  // namespace zlc::ui
