// Window binding: the object put on the module's list just before the creating call is
// bound by the window's first message; results go through the dialog result slot except
// for the messages that return them directly; an unhandled final message unbinds.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <vector>

#include "app/app_module.h"
#include "app/dialog_window.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

constexpr UINT kAnswer42 = WM_APP + 42;
constexpr int kMissingTemplate = 9999;

class RecordingDialog : public DialogWindow {
 public:
  std::vector<UINT> messages;
  HWND finalWindow = nullptr;
  HBRUSH dialogBrush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));

 protected:
  bool processMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    messages.push_back(message);
    switch (message) {
      case kAnswer42:
        result = 42;
        return true;
      case WM_CTLCOLORDLG:
        result = reinterpret_cast<LRESULT>(dialogBrush);
        return true;
      case WM_INITDIALOG:
        result = FALSE;
        return true;
      default:
        return false;
    }
  }
  void onFinalMessage(HWND window) override { finalWindow = window; }
};

class PendingObject : public WindowObject {
 public:
  void bindWindow(HWND window) override { bound = window; }
  HWND bound = nullptr;
};

HINSTANCE module() { return GetModuleHandleW(nullptr); }

TEST(DialogWindowTest, FirstMessageBindsTheObjectAndReachesItsMessageMap) {
  RecordingDialog dialog;
  HWND window = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialog.hwnd(), window);
  ASSERT_FALSE(dialog.messages.empty());
  // Every message from the first on reached the object, WM_INITDIALOG among them.
  EXPECT_NE(std::find(dialog.messages.begin(), dialog.messages.end(), UINT{WM_INITDIALOG}),
            dialog.messages.end());
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), nullptr);
  DestroyWindow(window);
}

TEST(DialogWindowTest, BindsTheMostRecentPendingObjectOfTheThread) {
  PendingObject older;
  AppModule::instance().addCreatingWindow(&older);
  RecordingDialog dialog;
  HWND window = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialog.hwnd(), window);
  EXPECT_EQ(older.bound, nullptr);
  // The older object is still waiting for its own window.
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), &older);
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), nullptr);
  DestroyWindow(window);
}

TEST(DialogWindowTest, FailedCreationLeavesNothingPending) {
  RecordingDialog dialog;
  EXPECT_EQ(dialog.create(module(), kMissingTemplate, nullptr), nullptr);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_TRUE(dialog.messages.empty());
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), nullptr);
  // The next window of the thread is not bound to the failed object.
  RecordingDialog next;
  HWND window = next.create(module(), IDD_MAINEDITOR, nullptr);
  EXPECT_EQ(next.hwnd(), window);
  EXPECT_TRUE(dialog.messages.empty());
  DestroyWindow(window);
}

TEST(DialogWindowTest, HandledResultsGoThroughTheResultSlotOrDirectly) {
  RecordingDialog dialog;
  HWND window = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(window, nullptr);
  // Through DWLP_MSGRESULT: the dialog manager returns it to the sender.
  EXPECT_EQ(SendMessageW(window, kAnswer42, 0, 0), 42);
  // The colour messages return their brush directly.
  HDC dc = GetDC(window);
  EXPECT_EQ(SendMessageW(window, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(window)),
            reinterpret_cast<LRESULT>(dialog.dialogBrush));
  ReleaseDC(window, dc);
  DestroyWindow(window);
}

// On 64-bit Windows objects may live above 4 GB (Wine's heap rarely does): the pointer to
// the object kept in the window must survive whole.
TEST(DialogWindowTest, ObjectAbove4GbIsBoundAndReached) {
  if constexpr (sizeof(void*) < 8) GTEST_SKIP() << "a 32-bit build has no such addresses";
  void* memory = VirtualAlloc(nullptr, sizeof(RecordingDialog),
                              MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
  ASSERT_NE(memory, nullptr);
  EXPECT_GT(reinterpret_cast<UINT_PTR>(memory), UINT_PTR{0xFFFFFFFFu});
  auto* dialog = new (memory) RecordingDialog;
  HWND window = dialog->create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialog->hwnd(), window);
  EXPECT_EQ(SendMessageW(window, kAnswer42, 0, 0), 42);
  DestroyWindow(window);
  dialog->~RecordingDialog();
  VirtualFree(memory, 0, MEM_RELEASE);
}

TEST(DialogWindowTest, UnhandledFinalMessageUnbinds) {
  RecordingDialog dialog;
  HWND window = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.finalWindow, window);
  EXPECT_EQ(dialog.messages.back(), UINT{WM_NCDESTROY});
  // The object can be bound to a new window afterwards.
  HWND second = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  EXPECT_NE(second, nullptr);
  EXPECT_EQ(dialog.hwnd(), second);
  DestroyWindow(second);
}

TEST(DialogWindowTest, DestroyingTheObjectDestroysItsWindow) {
  HWND window = nullptr;
  {
    RecordingDialog dialog;
    window = dialog.create(module(), IDD_MAINEDITOR, nullptr);
    ASSERT_NE(window, nullptr);
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST(DialogWindowTest, ModalDialogEndsWithItsResult) {
  class ClosingDialog : public DialogWindow {
   protected:
    bool processMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
      if (message != WM_INITDIALOG) return false;
      PostMessageW(hwnd(), WM_APP, 0, 0);
      result = TRUE;
      return true;
    }
  };
  class EndingDialog : public ClosingDialog {
   protected:
    bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
      if (message == WM_APP) return endDialog(77);
      return ClosingDialog::processMessage(message, wParam, lParam, result);
    }
  };
  EndingDialog dialog;
  EXPECT_EQ(dialog.doModal(module(), IDD_MAINEDITOR, nullptr), 77);
  EXPECT_EQ(dialog.doModal(module(), kMissingTemplate, nullptr), -1);
  EXPECT_EQ(AppModule::instance().takeCreatingWindow(), nullptr);
}

// The child a notification names, for each kind of notification message.
TEST(DialogWindowTest, NotifyingChildOfEachNotification) {
  RecordingDialog dialog;
  HWND parent = dialog.create(module(), IDD_MAINEDITOR, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND button = GetDlgItem(parent, IDC_ADD_ANSWER);
  HWND list = GetDlgItem(parent, IDC_ANSWER_LIST);
  NMHDR notify{list, IDC_ANSWER_LIST, NM_CLICK};
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.CtlID = IDC_ADD_ANSWER;
  draw.hwndItem = button;
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_BUTTON;
  measure.CtlID = IDC_ADD_ANSWER;
  MEASUREITEMSTRUCT menuMeasure{};
  menuMeasure.CtlType = ODT_MENU;
  DELETEITEMSTRUCT deleted{};
  deleted.hwndItem = list;
  auto asLParam = [](auto* record) { return reinterpret_cast<LPARAM>(record); };
  LPARAM buttonParam = reinterpret_cast<LPARAM>(button);
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND expected;
  };
  const Case cases[] = {
      {"command from a control", WM_COMMAND, MAKEWPARAM(IDC_ADD_ANSWER, BN_CLICKED), buttonParam,
       button},
      {"command from the menu", WM_COMMAND, ID_FILE_EXIT, 0, nullptr},
      {"notify", WM_NOTIFY, IDC_ANSWER_LIST, asLParam(&notify), list},
      {"draw item", WM_DRAWITEM, IDC_ADD_ANSWER, asLParam(&draw), button},
      {"draw menu item", WM_DRAWITEM, 0, asLParam(&draw), nullptr},
      {"measure item", WM_MEASUREITEM, IDC_ADD_ANSWER, asLParam(&measure), button},
      {"measure menu item", WM_MEASUREITEM, 0, asLParam(&menuMeasure), nullptr},
      {"delete item", WM_DELETEITEM, IDC_ANSWER_LIST, asLParam(&deleted), list},
      {"button colour", WM_CTLCOLORBTN, 0, buttonParam, button},
      {"static colour", WM_CTLCOLORSTATIC, 0, buttonParam, button},
      {"scroll", WM_VSCROLL, 0, buttonParam, button},
      {"parent notify create", WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, IDC_ADD_ANSWER), buttonParam,
       button},
      {"parent notify click", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, IDC_ADD_ANSWER),
       MAKELPARAM(3, 4), button},
      {"not a notification", WM_SIZE, 0, buttonParam, nullptr},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(DialogWindow::notifyingChild(parent, test.message, test.wParam, test.lParam),
              test.expected)
        << test.name;
  }
  DestroyWindow(parent);
}

}  // namespace
}  // namespace quizmora
