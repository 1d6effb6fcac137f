#pragma once
// The real main window, with its exam and changed flag open to the tests.

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
  HWND create() { return MainEditor::create(GetModuleHandleW(nullptr), IDD_MAINEDITOR); }
  // Created, shown and active, as the author finds it.
  HWND show() {
    HWND window = create();
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    pumpMessages();
    return window;
  }
  // Runs a menu command as the menu sends it; returns when the command has ended.
  void command(int id) { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  ExamDocument& exam() { return document; }
  bool changed() const { return examChanged; }
};

}  // namespace quizmora::test
