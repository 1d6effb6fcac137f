#pragma once
// The real main window, shown and active, with its exam and changed flag open to the tests.

#include <windows.h>

#include "common/message_pump.h"
#include "editor/main_editor.h"
#include "resources/resource_ids.h"

namespace quizmora::test {

class EditorUnderTest : public MainEditor {
 public:
  ~EditorUnderTest() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  HWND show() {
    HWND window = MainEditor::create(GetModuleHandleW(nullptr), IDD_MAINEDITOR);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    pumpMessages();
    return window;
  }
  // Runs a menu command as the menu sends it; returns when the command has ended.
  void command(int id) { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  ExamHeader& header() { return document.header; }
  bool changed() const { return examChanged; }
};

}  // namespace quizmora::test
