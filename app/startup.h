// What the application is before its first window: its name (the title of
// its message boxes), its desktop entry, its icon on every window, its look.
#pragma once

namespace zlc::app {

// `layoutScale`: what ScaleWindowsToDesktopFont set.
void SetUpApplication(double layoutScale = 1);

}  // namespace zlc::app
