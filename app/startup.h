// What the application is before its first window: its name (the title of
// its message boxes), its desktop entry, its icon on every window, its look.
#pragma once

namespace zlc::app {

void SetUpApplication();

}  // namespace zlc::app
