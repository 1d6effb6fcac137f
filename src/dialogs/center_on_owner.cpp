#include "dialogs/center_on_owner.h"

#include "dialogs/placement.h"

namespace quizmora {
namespace {

PlacementRect toPlacement(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

struct CentringFrame {
  PlacementRect centre;
  PlacementRect area;
};

// A child window lives in its parent's client coordinates.
bool childFrame(HWND dialog, CentringFrame& frame) {
  HWND parent = GetParent(dialog);
  RECT client{};
  if (!parent || !GetClientRect(parent, &client)) return false;
  frame.area = toPlacement(client);
  RECT centre = client;
  MapWindowPoints(parent, parent, reinterpret_cast<POINT*>(&centre), 2);
  frame.centre = toPlacement(centre);
  return true;
}

bool topLevelFrame(HWND dialog, CentringFrame& frame) {
  RECT workArea{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0)) return false;
  frame.area = toPlacement(workArea);
  frame.centre = frame.area;

  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner)) return true;
  RECT ownerRect{};
  if (GetWindowRect(owner, &ownerRect)) frame.centre = toPlacement(ownerRect);
  return true;
}

}  // namespace

void centerOnOwner(HWND dialog) {
  if (!IsWindow(dialog)) return;
  const bool child = (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) != 0;
  CentringFrame frame{};
  if (!(child ? childFrame(dialog, frame) : topLevelFrame(dialog, frame))) return;

  RECT window{};
  if (!GetWindowRect(dialog, &window)) return;
  const PlacementPoint position = centredPosition(
      frame.centre, frame.area, window.right - window.left, window.bottom - window.top);
  SetWindowPos(dialog, nullptr, position.x, position.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quizmora
