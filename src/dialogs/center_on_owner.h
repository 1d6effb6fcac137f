#pragma once
// Places a dialog over the window it belongs to, kept inside the visible area.

#include <windows.h>

namespace quizmora {

// A child dialog is centred in its parent's client area. A top-level dialog is centred
// over its owner when the owner is visible and not minimised, else over the desktop work
// area, and is then kept inside the work area. Only the position changes.
void centerOnOwner(HWND dialog);

}  // namespace quizmora
