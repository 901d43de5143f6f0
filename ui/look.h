// The windows' common look: one style and the small dialog font the layouts
// were drawn for (8 points at 96 dots per inch).
#pragma once

namespace zlc::ui {

void ApplyClassicLook();

}  // namespace zlc::ui
