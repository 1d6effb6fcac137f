#pragma once
// A cell holding text, edited in place in a single-line editor.

#include "controls/grid_property.h"

namespace quizmora {

class TextProperty : public GridProperty {
 public:
  explicit TextProperty(std::u16string_view name = {});
  ~TextProperty() override;

  PropertyKind kind() const override { return PropertyKind::kText; }
  // One line, vertically centred, cut with an ellipsis when too long.
  void drawValue(const GridDrawInfo& info) override;
  HWND createInplaceEditor(HWND parent, const RECT& rect) override;
  // kActivateEdit focuses the open editor and selects all of its text.
  bool activate(int reason, DWORD position) override;
  bool displayText(wchar_t* buffer, int capacity) const override;
  int displayTextLength() const override;
  bool getValue(GridValue& value) const override;
  bool setValueFromEditor(HWND editor) override;
  // The first value fixes the kind; every later value is converted to it.
  bool setValue(const GridValue& value) override;

  // The editor this property created last (it may be gone by now).
  HWND editorWindow() const { return editorWindow_; }

 private:
  GridValue value_;
  HWND editorWindow_ = nullptr;
};

}  // namespace quizmora
