#include "controls/text_property.h"

#include <algorithm>
#include <string>

#include "app/win_text.h"
#include "controls/dpi_scale.h"
#include "controls/inplace_property_edit.h"

namespace quizmora {
namespace {

constexpr UINT kValueTextFormat =
    DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_VCENTER;

}  // namespace

TextProperty::TextProperty(std::u16string_view name) : GridProperty(name) {}

TextProperty::~TextProperty() = default;

void TextProperty::drawValue(const GridDrawInfo& info) {
  std::u16string text;
  if (!value_.toText(text)) return;
  RECT rect = info.rect;
  rect.left += scaleForDpi(2, info.dpi);
  SetBkMode(info.dc, TRANSPARENT);
  SetTextColor(info.dc, (info.state & kCellDisabled) ? info.disabledTextColor : info.textColor);
  DrawTextW(info.dc, wideText(text), static_cast<int>(text.size()), &rect, kValueTextFormat);
}

HWND TextProperty::createInplaceEditor(HWND parent, const RECT& rect) {
  std::u16string text;
  if (!value_.toText(text)) return nullptr;
  editorWindow_ = InplacePropertyEdit::create(parent, rect, wideText(text));
  return editorWindow_;
}

bool TextProperty::activate(int reason, DWORD /*position*/) {
  if (reason == kActivateEdit && InplacePropertyEdit::fromWindow(editorWindow_)) {
    SetFocus(editorWindow_);
    SendMessageW(editorWindow_, EM_SETSEL, 0, -1);
  }
  return true;
}

bool TextProperty::displayText(wchar_t* buffer, int capacity) const {
  std::u16string text;
  if (!buffer || capacity <= 0 || !value_.toText(text)) return false;
  std::size_t count = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
  std::copy_n(text.data(), count, reinterpret_cast<char16_t*>(buffer));
  buffer[count] = L'\0';
  return true;
}

int TextProperty::displayTextLength() const {
  std::u16string text;
  if (!value_.toText(text)) return 0;
  return static_cast<int>(text.size());
}

bool TextProperty::getValue(GridValue& value) const {
  value = value_;
  return true;
}

bool TextProperty::setValueFromEditor(HWND editor) {
  int length = GetWindowTextLengthW(editor);
  std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
  SetLastError(ERROR_SUCCESS);
  int got = GetWindowTextW(editor, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  if (got == 0 && GetLastError() != ERROR_SUCCESS) return false;
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return setValue(GridValue::fromText(text));
}

bool TextProperty::setValue(const GridValue& value) {
  if (value_.isEmpty()) value_ = value;
  return SUCCEEDED(value_.assignConverted(value, value_.type()));
}

}  // namespace quizmora
