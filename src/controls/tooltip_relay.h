#pragma once
// A tooltip only shows for a control that hands it its mouse messages; it needs the position
// and time the message came with, which the message itself does not carry.

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

namespace quizmora {

inline void relayMouseToTooltip(HWND tooltip, HWND owner, UINT message, WPARAM wParam,
                                LPARAM lParam) {
  if (!tooltip) return;
  const DWORD position = GetMessagePos();
  MSG relayed{owner,
              message,
              wParam,
              lParam,
              static_cast<DWORD>(GetMessageTime()),
              {GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
  SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace quizmora
