// A menu bar item that is a command, not a menu ("Options"), reached with
// F10 and the arrows: Enter, Return or Space runs it, as a click would. The
// toolkit opens menus with those keys but leaves such an item highlighted
// and doing nothing, and the arrows stop there; here they go on to the
// neighbouring menus and Escape leaves the bar.
#pragma once

class QMenuBar;

namespace zlc::ui {

void RunPlainItemsFromKeys(QMenuBar* bar);

}  // namespace zlc::ui
