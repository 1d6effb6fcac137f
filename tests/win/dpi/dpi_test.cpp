// The program at the display's DPI: the runs in prefixes with LogPixels 120, 144 and 192 (see
// tests/win/CMakeLists.txt) check the same table as the run at 96. And the manifest that
// makes Windows hand the program the real DPI instead of stretching its window.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/editor_under_test.h"
#include "controls/dpi_scale.h"
#include "controls/window_dpi.h"
#include "resources/resource_ids.h"

namespace quizmora::test {
namespace {

struct DpiCase {
  int dpi;
  int answerWidth;   // the answer list's first column
  int correctWidth;  // its second column
  int iconSize;      // every icon button's icon
};

constexpr DpiCase kDpiCases[] = {
    {96, 200, 100, 16},
    {120, 250, 125, 20},
    {144, 300, 150, 24},
    {192, 400, 200, 32},
};

const DpiCase* dpiCase(int dpi) {
  for (const DpiCase& row : kDpiCases) {
    if (row.dpi == dpi) return &row;
  }
  return nullptr;
}

constexpr int kIconButtonIds[] = {
    IDC_PREV_QUESTION, IDC_NEXT_QUESTION, IDC_ADD_QUESTION, IDC_UPDATE_QUESTION,
    IDC_DELETE_QUESTION, IDC_CLEAN_FIELDS, IDC_COPY_QUESTION, IDC_PASTE_QUESTION,
    IDC_GOTO_QUESTION, IDC_ADD_ANSWER, IDC_DELETE_ANSWER};

class DpiEditor : public EditorUnderTest {
 public:
  const IconButton* buttonOf(HWND control) const {
    for (const IconButton& button : iconButtons) {
      if (button.hwnd() == control) return &button;
    }
    return nullptr;
  }
  SIZE minimumSize() const { return resizer.minTrackSize(); }
};

int columnWidth(HWND window, int column) {
  return static_cast<int>(SendDlgItemMessageW(window, IDC_ANSWER_LIST, LVM_GETCOLUMNWIDTH,
                                              static_cast<WPARAM>(column), 0));
}

std::wstring describe(HWND control) {
  wchar_t text[128] = {};
  GetWindowTextW(control, text, 128);
  return L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" \"" + text + L"\"";
}

// Every static text and every button with a caption of `dialog` whose text is wider or taller
// than the room its control gives it, at `dpi`.
std::vector<std::wstring> cutTexts(HWND dialog, int dpi) {
  std::vector<std::wstring> cut;
  HDC dc = GetDC(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    wchar_t text[128] = {};
    GetClassNameW(child, className, 16);
    if (GetWindowTextW(child, text, 128) == 0) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    int room = 0;  // what the control's frame, box or indent leaves of its width
    if (lstrcmpiW(className, L"Static") == 0) {
      if ((style & SS_TYPEMASK) > SS_RIGHT) continue;  // icons, frames, bitmaps
    } else if (lstrcmpiW(className, L"Button") == 0) {
      switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
          room = scaleForDpi(6, dpi);
          break;
        case BS_GROUPBOX:
          room = scaleForDpi(10, dpi);
          break;
        case BS_OWNERDRAW:
          continue;
        default:  // radio buttons and check boxes: the box and the gap after it
          room = systemMetricForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi)) + scaleForDpi(3, dpi);
      }
    } else {
      continue;
    }
    auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT needed{};
    DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    RECT client{};
    GetClientRect(child, &client);
    if (needed.right + room > client.right || needed.bottom > client.bottom) {
      cut.push_back(describe(child) + L": needs " + std::to_wstring(needed.right + room) + L" x " +
                    std::to_wstring(needed.bottom) + L", has " + std::to_wstring(client.right) +
                    L" x " + std::to_wstring(client.bottom));
    }
  }
  ReleaseDC(dialog, dc);
  return cut;
}

std::wstring joined(const std::vector<std::wstring>& lines) {
  std::wstring all;
  for (const std::wstring& line : lines) all += line + L"\n";
  return all;
}

// The columns and icons of the main window are as the table says for `dpi`.
void expectScaledFor(DpiEditor& editor, const DpiCase& row) {
  HWND window = editor.hwnd();
  EXPECT_EQ(columnWidth(window, 0), row.answerWidth) << row.dpi;
  EXPECT_EQ(columnWidth(window, 1), row.correctWidth) << row.dpi;
  for (int id : kIconButtonIds) {
    HWND control = GetDlgItem(window, id);
    const IconButton* button = editor.buttonOf(control);
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(button->inIconSize().cx, row.iconSize) << id << " at " << row.dpi;
    EXPECT_EQ(button->inIconSize().cy, row.iconSize) << id << " at " << row.dpi;
    RECT client{};
    GetClientRect(control, &client);
    // The icon and the frame around it fit in the button.
    EXPECT_GE(client.right, row.iconSize + 2) << id << " at " << row.dpi;
    EXPECT_GE(client.bottom, row.iconSize + 2) << id << " at " << row.dpi;
  }
}

// The DPI this run was started at: the runs in prefixes of another DPI say it.
int requestedDpi() {
  const char* value = std::getenv("QZM_EXPECTED_DPI");
  return value ? std::atoi(value) : kDefaultDpi;
}

TEST(DisplayDpiTest, ColumnsIconsAndTextsFollowTheDisplay) {
  DpiEditor editor;
  HWND window = editor.show();
  ASSERT_NE(window, nullptr);
  const int dpi = static_cast<int>(windowDpi(window));
  ASSERT_EQ(dpi, requestedDpi());
  const DpiCase* row = dpiCase(dpi);
  ASSERT_NE(row, nullptr) << dpi;
  expectScaledFor(editor, *row);
  EXPECT_EQ(joined(cutTexts(window, dpi)), L"");
}

INT_PTR CALLBACK plainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(DisplayDpiTest, DialogTextsFitTheirControls) {
  const int dpi = requestedDpi();
  for (int templateId : {IDD_SETTINGS, IDD_ABOUT}) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     nullptr, &plainDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << templateId;
    EXPECT_EQ(joined(cutTexts(dialog, dpi)), L"") << templateId;
    DestroyWindow(dialog);
  }
}

// Moved to a display of another DPI (96 to 144, any other to 96) and back: the window takes
// the rectangle it is offered, and its font, columns, icons and minimum size follow; back
// home, everything is as it was.
TEST(DisplayDpiTest, MovingToAnotherDisplayScalesTheWindow) {
  DpiEditor editor;
  HWND window = editor.show();
  ASSERT_NE(window, nullptr);
  const int home = static_cast<int>(windowDpi(window));
  const int away = home == kDefaultDpi ? 144 : kDefaultDpi;
  const DpiCase* homeRow = dpiCase(home);
  ASSERT_NE(homeRow, nullptr);

  RECT start{};
  GetWindowRect(window, &start);
  const SIZE startMinimum = editor.minimumSize();
  auto moveTo = [&](int dpi, const RECT& rect) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
    pumpMessages();
  };
  const RECT offered{start.left, start.top,
                     start.left + rescalePixels(start.right - start.left, home, away),
                     start.top + rescalePixels(start.bottom - start.top, home, away)};
  moveTo(away, offered);

  // Text does not grow exactly with the DPI: the window is as offered unless its minimum size
  // at the new DPI is larger.
  RECT now{};
  GetWindowRect(window, &now);
  EXPECT_EQ(now.left, offered.left);
  EXPECT_EQ(now.top, offered.top);
  EXPECT_EQ(now.right - now.left,
            std::max<LONG>(offered.right - offered.left, editor.minimumSize().cx));
  EXPECT_EQ(now.bottom - now.top,
            std::max<LONG>(offered.bottom - offered.top, editor.minimumSize().cy));
  EXPECT_EQ(editor.minimumSize().cx > startMinimum.cx, away > home);
  EXPECT_EQ(editor.minimumSize().cy > startMinimum.cy, away > home);
  EXPECT_EQ(columnWidth(window, 0), rescalePixels(homeRow->answerWidth, home, away));
  EXPECT_EQ(columnWidth(window, 1), rescalePixels(homeRow->correctWidth, home, away));
  // The template's 8 points at the new DPI.
  LOGFONTW awayFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(window, IDC_QUESTION_TEXT, WM_GETFONT, 0, 0)),
             sizeof(awayFont), &awayFont);
  EXPECT_EQ(awayFont.lfHeight, -rescalePixels(8, 72, away));
  HWND next = GetDlgItem(window, IDC_NEXT_QUESTION);
  RECT client{};
  GetClientRect(next, &client);
  EXPECT_EQ(editor.buttonOf(next)->inIconSize().cx,
            buttonIconSize(away, client.right - 2, client.bottom - 2));
  EXPECT_EQ(joined(cutTexts(window, away)), L"");

  moveTo(home, start);
  GetWindowRect(window, &now);
  EXPECT_TRUE(EqualRect(&now, &start));
  expectScaledFor(editor, *homeRow);
  EXPECT_EQ(editor.minimumSize().cx, startMinimum.cx);
  EXPECT_EQ(editor.minimumSize().cy, startMinimum.cy);
  EXPECT_EQ(joined(cutTexts(window, home)), L"");
}

// The program's path as Windows sees it: the build gives a Unix path, Wine maps / to Z:.
std::wstring programPath() {
  std::wstring path = L"Z:";
  for (char c : std::string(QZM_PROGRAM_EXE)) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

TEST(ManifestTest, DeclaresDpiAwarenessSystemsAndCommonControls) {
  HMODULE program = LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(program, found));
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
