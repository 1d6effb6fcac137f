#pragma once
// A dialog laid out like the program's main window (the same controls, ids and places),
// with its icon buttons and its resize layout, for the resize tests.

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/dialog_resizer.h"
#include "controls/icon_button.h"

namespace quizmora::test {

// The main window's layout table.
inline constexpr ResizeRule kFormRules[] = {{1000, kResizeSizeX | kResizeMoveY},
                                            {1001, kResizeMoveX | kResizeMoveY},
                                            {1002, kResizeSizeX | kResizeSizeY},
                                            {1022, kResizeMoveX},
                                            {1019, kResizeMoveX},
                                            {1021, kResizeMoveX},
                                            {1003, kResizeSizeX},
                                            {1004, kResizeSizeX},
                                            {1007, kResizeSizeX | kResizeSizeY},
                                            {1008, kResizeSizeX},
                                            {1009, kResizeSizeX | kResizeSizeY},
                                            {-1, 0}};

class FormDialog {
 public:
  // Creates the dialog hidden at (60, 40), sets up the layout with `rules`.
  explicit FormDialog(const ResizeRule* rules = kFormRules);
  ~FormDialog();
  FormDialog(const FormDialog&) = delete;
  FormDialog& operator=(const FormDialog&) = delete;

  HWND window() const { return window_; }
  DialogResizer& resizer() { return resizer_; }
  HWND item(int id) const { return GetDlgItem(window_, id); }
  // The control's rectangle in the dialog's client coordinates.
  RECT itemRect(int id) const;
  SIZE clientSize() const;
  void show() const;

 private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void attachButtons();

  const ResizeRule* rules_;
  HWND window_ = nullptr;
  DialogResizer resizer_;
  std::vector<std::unique_ptr<IconButton>> buttons_;
};

}  // namespace quizmora::test
