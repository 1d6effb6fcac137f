// The main window right after start: its controls, menu, icons, answer list, placement and
// the editing state.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "recording_editor.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class StartStateTest : public testing::Test {
 protected:
  void SetUp() override {
    window = editor.create();
    ASSERT_NE(window, nullptr);
  }
  HWND control(int id) const { return GetDlgItem(window, id); }

  RecordingEditor editor;
  HWND window = nullptr;
};

struct ControlCase {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  RECT dialogUnits;  // left, top, width, height as in the control table
  DWORD styles;      // style bits the control must have
  bool enabled;
};

constexpr DWORD kBothScrollBars = WS_VSCROLL | WS_HSCROLL;
constexpr DWORD kIconButtonStyles = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

const ControlCase kControls[] = {
    {IDC_PREV_QUESTION, L"Button", L"", {0, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_NEXT_QUESTION, L"Button", L"", {17, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_ADD_QUESTION, L"Button", L"", {39, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_UPDATE_QUESTION, L"Button", L"", {57, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_DELETE_QUESTION, L"Button", L"", {75, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_CLEAN_FIELDS, L"Button", L"", {97, 2, 17, 14}, kIconButtonStyles, true},
    {IDC_COPY_QUESTION, L"Button", L"", {115, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_PASTE_QUESTION, L"Button", L"", {133, 2, 17, 14}, kIconButtonStyles, false},
    {IDC_QUESTION_LABEL, L"Static", L"Question", {240, 5, 29, 8}, WS_VISIBLE, true},
    {IDC_QUESTION_NUMBER, L"Edit", L"", {270, 2, 20, 14}, ES_NUMBER | WS_TABSTOP, true},
    {IDC_GOTO_QUESTION, L"Button", L"", {291, 2, 17, 14}, kIconButtonStyles, true},
    {IDC_QUESTION_GROUP, L"Button", L"New Question", {3, 16, 308, 245}, BS_GROUPBOX, true},
    {IDC_QUESTION_TEXT,
     L"Edit",
     L"",
     {9, 26, 297, 64},
     ES_MULTILINE | ES_WANTRETURN | kBothScrollBars | WS_TABSTOP,
     true},
    {IDC_TYPE_GROUP, L"Button", L"Type", {9, 94, 298, 32}, BS_GROUPBOX, true},
    {IDC_TYPE_ONE_CHOICE,
     L"Button",
     L"Only One Choice",
     {19, 107, 69, 10},
     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
     true},
    {IDC_TYPE_MULTIPLE_CHOICE,
     L"Button",
     L"Multiple Choices",
     {127, 107, 67, 10},
     BS_AUTORADIOBUTTON,
     true},
    {IDC_TYPE_FLASH_CARD, L"Button", L"Flash Card", {224, 107, 49, 10}, BS_AUTORADIOBUTTON, true},
    {IDC_ANSWER_GROUP, L"Button", L"Answer(s)", {9, 128, 297, 129}, BS_GROUPBOX, true},
    {IDC_ADD_ANSWER, L"Button", L"", {15, 139, 17, 14}, kIconButtonStyles, true},
    {IDC_ANSWER_TEXT,
     L"Edit",
     L"",
     {41, 139, 261, 56},
     ES_MULTILINE | ES_WANTRETURN | kBothScrollBars | WS_TABSTOP,
     true},
    {IDC_DELETE_ANSWER, L"Button", L"", {15, 198, 17, 14}, kIconButtonStyles, true},
    {IDC_ANSWER_LIST,
     L"SysListView32",
     L"",
     {41, 198, 261, 55},
     LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP,
     true},
    {IDC_STATUS_LEFT, L"Static", L"", {1, 263, 233, 13}, SS_SUNKEN, true},
    {IDC_STATUS_RIGHT, L"Static", L"", {237, 263, 65, 13}, SS_SUNKEN, true},
};

TEST_F(StartStateTest, EveryControlHasItsKindTextPlaceStylesAndEnabledState) {
  for (const ControlCase& test : kControls) {
    SCOPED_TRACE(test.id);
    HWND item = control(test.id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(classOf(item), test.className);
    EXPECT_EQ(textOf(item), test.text);
    auto style = static_cast<DWORD>(GetWindowLongW(item, GWL_STYLE));
    if ((test.styles & 0x0F) != 0 && test.className == std::wstring(L"Button")) {
      EXPECT_EQ(style & 0x0F, test.styles & 0x0F);  // the button kind is a number, not bits
    }
    EXPECT_EQ(style & test.styles & ~DWORD{0x0F}, test.styles & ~DWORD{0x0F});
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(IsWindowEnabled(item) != FALSE, test.enabled);

    // Position and size convert from dialog units each on its own, as the dialog manager
    // does.
    RECT expected = test.dialogUnits;
    MapDialogRect(window, &expected);
    RECT actual{};
    GetWindowRect(item, &actual);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right - actual.left, expected.right);
    EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
  }
}

TEST_F(StartStateTest, AnswerListHasABorder) {
  // The list view turns its WS_BORDER into a sunken client edge.
  HWND list = control(IDC_ANSWER_LIST);
  bool border = GetWindowLongW(list, GWL_STYLE) & WS_BORDER;
  bool clientEdge = GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
  EXPECT_TRUE(border || clientEdge);
}

TEST_F(StartStateTest, GroupBoxesAreTransparentSoTheDialogPaintsTheirInsides) {
  for (int id : {IDC_QUESTION_GROUP, IDC_TYPE_GROUP, IDC_ANSWER_GROUP}) {
    EXPECT_TRUE(GetWindowLongW(control(id), GWL_EXSTYLE) & WS_EX_TRANSPARENT) << id;
  }
}

TEST_F(StartStateTest, WindowIsHiddenWithCaptionAndFrame) {
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(textOf(window), L"QuizmoraBuilder");
  auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  for (DWORD bit : {DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MINIMIZEBOX},
                    DWORD{WS_MAXIMIZEBOX}, DWORD{WS_THICKFRAME}, DWORD{WS_CLIPCHILDREN}}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(StartStateTest, OnlyOneChoiceIsSelected) {
  EXPECT_EQ(IsDlgButtonChecked(window, IDC_TYPE_ONE_CHOICE), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(window, IDC_TYPE_MULTIPLE_CHOICE), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(window, IDC_TYPE_FLASH_CARD), BST_UNCHECKED);
}

TEST_F(StartStateTest, MenuHasItsItemsAndIdentifiers) {
  struct Item {
    int popup;
    int position;
    const wchar_t* text;  // null for a separator
    UINT id;
  };
  const Item items[] = {
      {0, 0, L"New Exam\tCtrl+N", ID_FILE_NEW_EXAM},
      {0, 1, L"Open...\tCtrl+O", ID_FILE_OPEN},
      {0, 2, L"Save\tCtrl+S", ID_FILE_SAVE},
      {0, 3, L"Save As...\tCtrl+Shift+S", ID_FILE_SAVE_AS},
      {0, 4, nullptr, 0},
      {0, 5, L"Settings...", ID_FILE_SETTINGS},
      {0, 6, nullptr, 0},
      {0, 7, L"Import from Old format", ID_FILE_IMPORT_OLD},
      {0, 8, L"Add Questions from Other Tools...", ID_FILE_ADD_FROM_TOOLS},
      {0, 9, L"Export to Other Tools...", ID_FILE_EXPORT_TO_TOOLS},
      {0, 10, L"Printable Sheet...", ID_FILE_PRINT_SHEET},
      {0, 11, L"Printable Sheet with Answers...", ID_FILE_PRINT_SHEET_WITH_ANSWERS},
      {0, 12, L"Printable Versions...", ID_FILE_PRINT_VERSIONS},
      {0, 13, L"Upload file to the Web", ID_FILE_UPLOAD_WEB},
      {0, 14, L"Upload to PocketPC", ID_FILE_UPLOAD_POCKETPC},
      {0, 15, nullptr, 0},
      {0, 16, L"Exit", ID_FILE_EXIT},
      {1, 0, L"Undo\tCtrl+Z", ID_EDIT_UNDO},
      {1, 1, L"Redo\tCtrl+Y", ID_EDIT_REDO},
      {1, 2, nullptr, 0},
      {1, 3, L"Find...\tCtrl+F", ID_EDIT_FIND},
      {1, 4, L"Find Next\tF3", ID_EDIT_FIND_NEXT},
      {1, 5, nullptr, 0},
      {1, 6, L"Move Question Up\tCtrl+Shift+Up", ID_EDIT_MOVE_UP},
      {1, 7, L"Move Question Down\tCtrl+Shift+Down", ID_EDIT_MOVE_DOWN},
      {2, 0, L"About...", ID_HELP_ABOUT},
  };
  HMENU menu = GetMenu(window);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  int position = 0;
  for (const wchar_t* title : {L"File", L"Edit", L"Help"}) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position++), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, title);
  }
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 0)), 17);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 1)), 8);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 2)), 1);
  for (const Item& item : items) {
    SCOPED_TRACE(item.position);
    HMENU popup = GetSubMenu(menu, item.popup);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    wchar_t itemText[64] = {};
    info.dwTypeData = itemText;
    info.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(item.position), TRUE, &info));
    if (!item.text) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_STREQ(itemText, item.text);
    EXPECT_EQ(info.wID, item.id);
  }
}

TEST_F(StartStateTest, AnswerListHasItsTwoColumnsAndNoRows) {
  HWND list = control(IDC_ANSWER_LIST);
  struct Column {
    const wchar_t* title;
    int width;
  };
  const Column columns[] = {{L"Answer", 200}, {L"Correct Answer", 100}};
  for (int i = 0; i < 2; ++i) {
    wchar_t title[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, columns[i].title);
    EXPECT_EQ(column.cx, columns[i].width);
  }
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(editor.grid().hwnd(), list);
  EXPECT_EQ(editor.grid().rowCount(), 0);
}

TEST_F(StartStateTest, WindowIsCentredOnTheWorkArea) {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT frame{};
  GetWindowRect(window, &frame);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  EXPECT_LE(std::abs(frame.left - (area.left + (area.right - area.left - width) / 2)), 1);
  EXPECT_LE(std::abs(frame.top - (area.top + (area.bottom - area.top - height) / 2)), 1);
}

TEST_F(StartStateTest, BigAndSmallIconsAreTheProgramIconAtTheSystemSizes) {
  struct Case {
    WPARAM kind;
    int width;
    int height;
  };
  const Case cases[] = {
      {ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
      {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)},
  };
  for (const Case& test : cases) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, test.kind, 0));
    ASSERT_NE(icon, nullptr) << test.kind;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    EXPECT_EQ(mask.bmWidth, test.width);
    EXPECT_EQ(mask.bmHeight, info.hbmColor ? test.height : 2 * test.height);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST_F(StartStateTest, IconButtonsHaveTheirIconsAndTooltips) {
  struct Case {
    int controlId;
    const wchar_t* tooltip;
  };
  // The set-up order.
  const Case cases[] = {
      {IDC_NEXT_QUESTION, L"Next Question"},
      {IDC_PREV_QUESTION, L"Prev Question"},
      {IDC_ADD_ANSWER, L"Add Answer"},
      {IDC_DELETE_ANSWER, L"Delete Answer"},
      {IDC_ADD_QUESTION, L"Add Question"},
      {IDC_UPDATE_QUESTION, L"Update Question"},
      {IDC_DELETE_QUESTION, L"Delete Question"},
      {IDC_CLEAN_FIELDS, L"Clean Fields"},
      {IDC_COPY_QUESTION, L"Copy Question and Answers"},
      {IDC_PASTE_QUESTION, L"Paste Question and Answer"},
      {IDC_GOTO_QUESTION, L"Go to Question #"},
  };
  for (int i = 0; i < MainEditor::kIconButtonCount; ++i) {
    SCOPED_TRACE(i);
    const IconButton& button = editor.button(i);
    EXPECT_EQ(button.hwnd(), control(cases[i].controlId));
    EXPECT_NE(button.inIcon(), nullptr);
    EXPECT_EQ(button.outIcon(), nullptr);
    EXPECT_EQ(button.inIconSize().cx, 16);
    EXPECT_EQ(button.inIconSize().cy, 16);
    EXPECT_EQ(button.iconAlignment(), IconButton::kIconAbove);
    ASSERT_NE(button.tooltip(), nullptr);
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = button.hwnd();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(button.tooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, cases[i].tooltip);
  }
}

TEST_F(StartStateTest, EditingStateIsEmpty) {
  EXPECT_EQ(editor.exam(), ExamDocument{});
  EXPECT_EQ(editor.exam().header.mode, ExamMode::AnyMode);
  EXPECT_TRUE(editor.exam().filePath.empty());
  EXPECT_EQ(editor.current(), 0);
  EXPECT_EQ(editor.ticked(), 0);
  EXPECT_EQ(editor.clipboard(), QuestionRecord{});
  EXPECT_TRUE(editor.handled.empty());
}

TEST_F(StartStateTest, LayoutIsSetUpWithTheStartSizeAsMinimum) {
  const DialogResizer& layout = editor.layout();
  EXPECT_TRUE(layout.hasGrip());
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(layout.minTrackSize().cx, frame.right - frame.left);
  EXPECT_EQ(layout.minTrackSize().cy, frame.bottom - frame.top);
  // The grip's row, then the eleven rows of the window's table.
  ASSERT_EQ(layout.entries().size(), 12u);
  EXPECT_EQ(layout.entries()[0].controlId, IDC_SIZE_GRIP);
}

}  // namespace
}  // namespace quizmora
