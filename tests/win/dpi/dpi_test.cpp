// The program at the display's DPI: the runs in prefixes with LogPixels 120, 144 and 192 (see
// tests/win/CMakeLists.txt) check the same table as the run at 96. And the manifest that
// makes Windows hand the program the real DPI instead of stretching its window.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/editor_under_test.h"
#include "controls/dpi_scale.h"
#include "controls/window_dpi.h"

namespace quizmora::test {
namespace {

struct DpiCase {
  int dpi, answerWidth, correctWidth, iconSize;  // the list's columns, every button's icon
};
constexpr DpiCase kDpiCases[] = {
    {96, 200, 100, 16}, {120, 250, 125, 20}, {144, 300, 150, 24}, {192, 400, 200, 32}};

const DpiCase* dpiCase(int dpi) {
  for (const DpiCase& row : kDpiCases) {
    if (row.dpi == dpi) return &row;
  }
  return nullptr;
}

// The DPI this run was started at: the runs in prefixes of another DPI say it.
int requestedDpi() {
  const char* value = std::getenv("QZM_EXPECTED_DPI");
  return value ? std::atoi(value) : kDefaultDpi;
}

class DpiEditor : public EditorUnderTest {
 public:
  const auto& buttons() const { return iconButtons; }
  SIZE minimumSize() const { return resizer.minTrackSize(); }
};

int columnWidth(HWND window, int column) {
  return static_cast<int>(SendDlgItemMessageW(window, IDC_ANSWER_LIST, LVM_GETCOLUMNWIDTH,
                                              static_cast<WPARAM>(column), 0));
}

// The static texts and captioned buttons of `dialog` whose text does not fit the room their
// control leaves it at `dpi` (beside a radio button's box, inside a frame), one line each.
std::wstring cutTexts(HWND dialog, int dpi) {
  std::wstring cut;
  HDC dc = GetDC(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {}, text[128] = {};
    GetClassNameW(child, className, 16);
    if (GetWindowTextW(child, text, 128) == 0) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    int room = 0;
    if (lstrcmpiW(className, L"Static") == 0) {
      if ((style & SS_TYPEMASK) > SS_RIGHT) continue;  // icons, frames, pictures
    } else if (lstrcmpiW(className, L"Button") == 0) {
      const LONG type = style & BS_TYPEMASK;
      if (type == BS_OWNERDRAW) continue;
      room = type <= BS_DEFPUSHBUTTON ? scaleForDpi(6, dpi)
             : type == BS_GROUPBOX    ? scaleForDpi(10, dpi)
                                      : systemMetricForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi)) +
                                         scaleForDpi(3, dpi);
    } else {
      continue;
    }
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    RECT needed{}, client{};
    DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    GetClientRect(child, &client);
    if (needed.right + room > client.right || needed.bottom > client.bottom) {
      cut += std::wstring(text) + L": needs " + std::to_wstring(needed.right + room) + L" x " +
             std::to_wstring(needed.bottom) + L", has " + std::to_wstring(client.right) + L" x " +
             std::to_wstring(client.bottom) + L"\n";
    }
  }
  ReleaseDC(dialog, dc);
  return cut;
}

void expectScaledFor(const DpiEditor& editor, const DpiCase& row) {
  EXPECT_EQ(columnWidth(editor.hwnd(), 0), row.answerWidth) << row.dpi;
  EXPECT_EQ(columnWidth(editor.hwnd(), 1), row.correctWidth) << row.dpi;
  for (const IconButton& button : editor.buttons()) {
    RECT client{};
    GetClientRect(button.hwnd(), &client);
    EXPECT_EQ(button.inIconSize().cx, row.iconSize) << GetDlgCtrlID(button.hwnd());
    EXPECT_EQ(button.inIconSize().cy, row.iconSize) << GetDlgCtrlID(button.hwnd());
    // The icon and the frame around it fit in the button.
    EXPECT_GE(std::min(client.right, client.bottom), row.iconSize + 2) << GetDlgCtrlID(button.hwnd());
  }
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

TEST(DisplayDpiTest, ColumnsIconsAndTextsFollowTheDisplay) {
  DpiEditor editor;
  ASSERT_NE(editor.show(), nullptr);
  const int dpi = static_cast<int>(windowDpi(editor.hwnd()));
  ASSERT_EQ(dpi, requestedDpi());
  ASSERT_NE(dpiCase(dpi), nullptr);
  expectScaledFor(editor, *dpiCase(dpi));
  EXPECT_EQ(cutTexts(editor.hwnd(), dpi), L"");

  // The Settings, About and versions dialogs, as the dialog manager makes them at this DPI.
  for (int templateId : {IDD_SETTINGS, IDD_ABOUT, IDD_VERSIONS}) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     nullptr, &plainDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << templateId;
    EXPECT_EQ(cutTexts(dialog, dpi), L"") << templateId;
    DestroyWindow(dialog);
  }
}

// Moved to a display of another DPI (96 to 144, any other to 96) and back: the window takes
// the rectangle it is offered unless its minimum size there is larger, and its font, columns,
// icons and minimum size follow; back home, everything is as it was.
TEST(DisplayDpiTest, MovingToAnotherDisplayScalesTheWindow) {
  DpiEditor editor;
  HWND window = editor.show();
  ASSERT_NE(window, nullptr);
  const int home = static_cast<int>(windowDpi(window));
  const int away = home == kDefaultDpi ? 144 : kDefaultDpi;
  ASSERT_NE(dpiCase(home), nullptr);
  RECT start{}, now{};
  GetWindowRect(window, &start);
  const SIZE startMinimum = editor.minimumSize();
  auto moveTo = [window](int dpi, const RECT& rect) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
    pumpMessages();
  };

  const SIZE offered{rescalePixels(start.right - start.left, home, away),
                     rescalePixels(start.bottom - start.top, home, away)};
  moveTo(away, {start.left, start.top, start.left + offered.cx, start.top + offered.cy});
  GetWindowRect(window, &now);
  EXPECT_EQ(now.left, start.left);
  EXPECT_EQ(now.top, start.top);
  EXPECT_EQ(now.right - now.left, std::max(offered.cx, editor.minimumSize().cx));
  EXPECT_EQ(now.bottom - now.top, std::max(offered.cy, editor.minimumSize().cy));
  EXPECT_EQ(editor.minimumSize().cx > startMinimum.cx, away > home);
  EXPECT_EQ(editor.minimumSize().cy > startMinimum.cy, away > home);
  EXPECT_EQ(columnWidth(window, 0), rescalePixels(dpiCase(home)->answerWidth, home, away));
  EXPECT_EQ(columnWidth(window, 1), rescalePixels(dpiCase(home)->correctWidth, home, away));
  LOGFONTW font{};  // the template's 8 points at the new DPI
  GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(window, IDC_QUESTION_TEXT, WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -rescalePixels(8, 72, away));
  const IconButton& next = editor.buttons()[0];
  RECT client{};
  GetClientRect(next.hwnd(), &client);
  EXPECT_EQ(next.inIconSize().cx, buttonIconSize(away, client.right - 2, client.bottom - 2));
  EXPECT_EQ(cutTexts(window, away), L"");

  moveTo(home, start);
  GetWindowRect(window, &now);
  EXPECT_TRUE(EqualRect(&now, &start));
  expectScaledFor(editor, *dpiCase(home));
  EXPECT_EQ(editor.minimumSize().cx, startMinimum.cx);
  EXPECT_EQ(editor.minimumSize().cy, startMinimum.cy);
}

TEST(ManifestTest, DeclaresDpiAwarenessSystemsAndCommonControls) {
  std::wstring path = L"Z:";  // Wine maps / to Z:
  for (char c : std::string(QZM_PROGRAM_EXE)) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program, found))),
                             SizeofResource(program, found));
  FreeLibrary(program);

  const char* const kEntries[] = {
      "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
      "PerMonitorV2, PerMonitor</dpiAwareness>",
      "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
      "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",  // Vista
      "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // 7
      "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // 8
      "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // 8.1
      "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // 10 and 11
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\n"
      "                        processorArchitecture=\"*\"",
      "processorArchitecture=\"*\" name=\"QuizmoraBuilder\"",
  };
  for (const char* entry : kEntries) EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
}

}  // namespace
}  // namespace quizmora::test
