// The windows' common look: one style, the small dialog font the layouts
// were drawn for (8 points at 96 dots per inch) at the user's scale, and the
// face colour of the painted figures.
#pragma once

#include <QColor>

namespace zlc::ui {

// `layoutScale` is the factor the whole window was scaled by to follow the
// desktop's font (LayoutScale); the font is sized for the unscaled layout.
void ApplyClassicLook(double layoutScale = 1);

// The desktop's default font size in points, as the platform gives it.
double DesktopFontPoints();

// How much the whole window grows with a desktop font of `points` points:
// the layout holds fonts up to 12 pixels, so a larger font scales the layout
// instead, in steps of a quarter. 1 up to 9 points, 1.25 at 10, 2 at 16.
double LayoutScale(double points);

// The design font's pixel size for a desktop whose default font has
// `points` points, in a layout scaled by `layoutScale`: 11 pixels at 8
// points, in proportion above and below as far as the fixed layout holds.
int DesignFontPixels(double points, double layoutScale = 1);

// The face behind the black figures of the Hex Table and the filter
// dialog: fixed with them, so that they read under any palette.
inline constexpr QColor kFigureFace{240, 240, 240};

}  // namespace zlc::ui
