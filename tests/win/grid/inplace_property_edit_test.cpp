// The in-place editor on its own: its window class, its look, and what it tells its parent
// when the focus goes. (Its keys are tested through the grid.)
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/app_module.h"
#include "controls/grid_notify.h"
#include "controls/inplace_property_edit.h"
#include "controls/scoped_gdi_object.h"

namespace quizmora::test {
namespace {

struct Report {
  UINT message;
  WPARAM wParam;
  bool operator==(const Report&) const = default;
};

// A visible window standing in for the grid: it records the editor's reports. It has a
// second edit box to take the focus away.
class EditorParent {
 public:
  EditorParent()
      : font_(
            CreateFontW(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma")) {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 300, 100, nullptr,
                              nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorParent::proc)));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    other_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 60, 100, 20, window_,
                             nullptr, nullptr, nullptr);
    SetForegroundWindow(window_);
    pump();
  }
  ~EditorParent() {
    DestroyWindow(window_);
    pump();
  }
  EditorParent(const EditorParent&) = delete;
  EditorParent& operator=(const EditorParent&) = delete;

  HWND createEditor(const wchar_t* text) {
    RECT rect{4, 4, 204, 24};
    HWND editor = InplacePropertyEdit::create(window_, rect, text);
    SetFocus(editor);
    pump();
    reports.clear();
    return editor;
  }

  void pump() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }

  void type(HWND target, const wchar_t* text) {
    for (; *text; ++text) PostMessageW(target, WM_CHAR, *text, 1);
    pump();
  }

  HWND window() const { return window_; }
  HWND other() const { return other_; }
  HFONT font() const { return font_.get(); }
  std::vector<Report> reports;

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditorParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kGridCommitEdit || message == kGridCancelEdit || message == kGridNavigate) {
      self->reports.push_back({message, wParam});
      // The grid closes the editor on a commit or cancel.
      if (message != kGridNavigate) PostMessageW(reinterpret_cast<HWND>(lParam), WM_CLOSE, 0, 0);
      return 0;
    }
    return CallWindowProcW(self->previous_, window, message, wParam, lParam);
  }

  ScopedGdiObject<HFONT> font_;
  HWND window_ = nullptr;
  HWND other_ = nullptr;
  WNDPROC previous_ = nullptr;
};

TEST(InplacePropertyEditTest, ClassIsAPrivateSuperclassOfEditRegisteredOnce) {
  EXPECT_TRUE(InplacePropertyEdit::registerClass());
  EXPECT_TRUE(InplacePropertyEdit::registerClass());
  WNDCLASSEXW editor{};
  editor.cbSize = sizeof(editor);
  WNDCLASSEXW edit{};
  edit.cbSize = sizeof(edit);
  HINSTANCE instance = AppModule::instance().instanceHandle();
  ASSERT_TRUE(GetClassInfoExW(instance, L"Quizmora_InplacePropertyEdit", &editor));
  ASSERT_TRUE(GetClassInfoExW(nullptr, L"EDIT", &edit));
  EXPECT_EQ(editor.style & CS_GLOBALCLASS, 0u);
  EXPECT_EQ(editor.style, edit.style & ~static_cast<UINT>(CS_GLOBALCLASS));
  EXPECT_NE(editor.lpfnWndProc, edit.lpfnWndProc);
  EXPECT_EQ(editor.cbWndExtra, edit.cbWndExtra);
  EXPECT_EQ(editor.hCursor, edit.hCursor);
}

TEST(InplacePropertyEditTest, NewEditorTakesTheParentsFontAndItsMargins) {
  EditorParent parent;
  HWND editor = parent.createEditor(L"Paris");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetParent(editor), parent.window());
  EXPECT_NE(InplacePropertyEdit::fromWindow(editor), nullptr);
  EXPECT_EQ(InplacePropertyEdit::fromWindow(parent.other()), nullptr);
  LONG_PTR style = GetWindowLongPtrW(editor, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL),
            WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  EXPECT_EQ(style & ES_MULTILINE, 0);
  EXPECT_EQ(GetWindowLongPtrW(editor, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
  EXPECT_EQ(GetDlgCtrlID(editor), 0);
  EXPECT_EQ(SendMessageW(editor, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(parent.font()));
  EXPECT_EQ(SendMessageW(editor, EM_GETMARGINS, 0, 0), MAKELONG(2, 0));
  EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
  wchar_t text[16] = {};
  GetWindowTextW(editor, text, 16);
  EXPECT_STREQ(text, L"Paris");
  RECT rect;
  GetWindowRect(editor, &rect);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 20);
}

TEST(InplacePropertyEditTest, EnterAndEscapeCharactersAreSwallowed) {
  EditorParent parent;
  HWND editor = parent.createEditor(L"abc");
  EXPECT_EQ(SendMessageW(editor, WM_CHAR, VK_RETURN, 1), 0);
  EXPECT_EQ(SendMessageW(editor, WM_CHAR, VK_ESCAPE, 1), 0);
  EXPECT_EQ(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
  SendMessageW(editor, WM_CHAR, L'd', 1);
  EXPECT_NE(SendMessageW(editor, EM_GETMODIFY, 0, 0), 0);
  LRESULT code = SendMessageW(editor, WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code & (DLGC_WANTALLKEYS | DLGC_WANTARROWS), DLGC_WANTALLKEYS | DLGC_WANTARROWS);
}

TEST(InplacePropertyEditTest, FocusRegainedAfterEscapeCountsChangesAgain) {
  EditorParent parent;
  HWND editor = parent.createEditor(L"abc");
  parent.type(editor, L"x");
  // Escape marks a cancel; a later focus gain clears the mark, so the next loss commits.
  PostMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 1);
  parent.pump();
  ASSERT_FALSE(IsWindow(editor));
  HWND second = parent.createEditor(L"abc");
  parent.type(second, L"y");
  SetFocus(parent.other());
  EXPECT_EQ(parent.reports, (std::vector<Report>{{kGridCommitEdit, 0}}));
}

}  // namespace
}  // namespace quizmora::test
