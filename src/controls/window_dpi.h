#pragma once
// The dots per inch a window is shown at, and the system's sizes at a given DPI. The calls
// that answer per window exist from Windows 10 on; they are looked up when first needed, and
// older systems get the screen's DPI, which is then the one every window has.

#include <windows.h>

namespace quizmora {

// The DPI of `window` (of the screen when the system cannot tell per window or `window` is
// null); 96 on a display without scaling.
UINT windowDpi(HWND window);
// The screen's DPI, which GetSystemMetrics answers for.
UINT systemDpi();
// GetSystemMetrics(`index`) as it would be at `dpi`.
int systemMetricForDpi(int index, UINT dpi);
// Leaves moving and resizing a dialog's controls and fonts on a DPI change to the dialog
// itself; does nothing where the system would not do it anyway.
void keepDialogDpiLayoutOwn(HWND dialog);

}  // namespace quizmora
