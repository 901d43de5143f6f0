// The window grows with the desktop's font: the layout is drawn for a small
// font, and a desktop whose font is larger than the layout holds has the
// whole window scaled instead (Qt's own scaling, so that the painted cards,
// figures and lines grow with the captions).
#pragma once

namespace zlc::app {

// Asks the platform for the desktop's font before the application starts
// (the scale can only be set then) and sets Qt's scale factor to follow it.
// Returns the factor set, 1 when none was needed. A scale factor the user
// has set already is left as it stands as far as the screen holds the main
// window at it, and lowered to the largest that does beyond; a run without
// a screen gets no factor.
double ScaleWindowsToDesktopFont(int argc, char** argv);

}  // namespace zlc::app
