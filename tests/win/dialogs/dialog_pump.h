#pragma once
// Runs queued messages through a modeless dialog's keyboard handling, as the program's
// message loop does for its own dialog (GUI test helper).

#include <windows.h>

namespace quizmora::test {

inline void pumpDialog(HWND dialog, DWORD milliseconds = 0) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (GetTickCount() - start >= milliseconds) return;
    Sleep(10);
  }
}

inline LPARAM clientPoint(POINT point) { return MAKELPARAM(point.x, point.y); }

}  // namespace quizmora::test
