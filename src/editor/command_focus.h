#pragma once
// Where the keyboard focus belongs once a command of the main window has run. A command
// that disables the control holding the focus (Add Question, Prev at the first question,
// Delete of the last question) would otherwise leave the window with no focus at all, and
// every key would go nowhere until the author clicked into a box.

#include <functional>

namespace quizmora {

// `command`: the command's identifier. `focusedBefore`: the main window's control that held
// the focus when the command began (0 for none). `canTakeFocus(id)`: whether control `id` is
// now enabled and visible. Returns the control to focus, or 0 for the first control in tab
// order that can take it.
int focusAfterCommand(int command, int focusedBefore, const std::function<bool(int)>& canTakeFocus);

}  // namespace quizmora
