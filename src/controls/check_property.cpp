#include "controls/check_property.h"

#include "controls/dpi_scale.h"
#include "controls/grid_notify.h"
#include "controls/window_dpi.h"

namespace quizmora {

CheckProperty::CheckProperty(std::u16string_view name, bool ticked)
    : GridProperty(name), ticked_(ticked) {}

void CheckProperty::drawValue(const GridDrawInfo& info) {
  const UINT dpi = static_cast<UINT>(info.dpi);
  const int width = systemMetricForDpi(SM_CXMENUCHECK, dpi);
  const int height = systemMetricForDpi(SM_CYMENUCHECK, dpi);
  // Near the left edge rather than under the centred title; pulled up in short rows.
  int top = info.rect.top + scaleForDpi(2, info.dpi);
  if (top + height >= info.rect.bottom) top = info.rect.bottom - height - scaleForDpi(1, info.dpi);
  const int left = info.rect.left + scaleForDpi(10, info.dpi);
  RECT box{left, top, left + width, top + height};
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (ticked_) state |= DFCS_CHECKED;
  if (info.state & kCellDisabled) state |= DFCS_INACTIVE;
  DrawFrameControl(info.dc, &box, DFC_BUTTON, state);
}

bool CheckProperty::activate(int reason, DWORD /*position*/) {
  if ((reason != kActivateClick && reason != kActivateEdit) || !isEnabled()) return true;
  GridValue flipped = GridValue::fromBool(!ticked_);
  SendMessageW(owner(), kGridSetValue, reinterpret_cast<WPARAM>(&flipped),
               reinterpret_cast<LPARAM>(static_cast<GridProperty*>(this)));
  return true;
}

bool CheckProperty::getValue(GridValue& value) const {
  value = GridValue::fromBool(ticked_);
  return true;
}

bool CheckProperty::setValue(const GridValue& value) {
  if (value.type() != VT_BOOL) return false;
  ticked_ = value.boolValue();
  return true;
}

}  // namespace quizmora
