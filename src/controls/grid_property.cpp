#include "controls/grid_property.h"

#include "app/win_text.h"
#include "controls/dpi_scale.h"

namespace quizmora {

GridProperty::GridProperty(std::u16string_view name) : name_(name) {}

GridProperty::~GridProperty() = default;

void GridProperty::setOwner(HWND owner, LPARAM /*extra*/) { owner_ = owner; }

const std::u16string& GridProperty::name() const { return name_; }

void GridProperty::setEnabled(int flag) { enabled_ = flag == 1; }

bool GridProperty::isEnabled() const { return enabled_; }

void GridProperty::setItemData(DWORD value) { itemData_ = value; }

DWORD GridProperty::itemData() const { return itemData_; }

void GridProperty::drawName(const GridDrawInfo& info) {
  RECT rect = info.rect;
  rect.left += scaleForDpi(2, info.dpi);
  SetBkMode(info.dc, TRANSPARENT);
  SetTextColor(info.dc, info.textColor);
  DrawTextW(info.dc, wideText(name_), -1, &rect,
            DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
}

void GridProperty::drawValue(const GridDrawInfo& /*info*/) {}

HWND GridProperty::createInplaceEditor(HWND /*parent*/, const RECT& /*rect*/) { return nullptr; }

bool GridProperty::activate(int /*reason*/, DWORD /*position*/) { return true; }

bool GridProperty::displayText(wchar_t* /*buffer*/, int /*capacity*/) const { return false; }

int GridProperty::displayTextLength() const { return 0; }

bool GridProperty::getValue(GridValue& /*value*/) const { return false; }

bool GridProperty::setValueFromEditor(HWND /*editor*/) { return false; }

bool GridProperty::setValue(const GridValue& /*value*/) { return false; }

}  // namespace quizmora
