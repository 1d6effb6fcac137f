#pragma once
// Runs the test thread's queued messages (GUI test helper).

#include <windows.h>

namespace quizmora::test {

inline void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Pumps for about `milliseconds`, so that timers and input from the display get their turn.
inline void pumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    pumpMessages();
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
  pumpMessages();
}

}  // namespace quizmora::test
