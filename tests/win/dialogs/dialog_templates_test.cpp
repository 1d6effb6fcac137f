// The Settings and About dialogs as laid out: caption, frame and size, and every control in
// tab order with its class, text, place, size and style.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/message_pump.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"

namespace quizmora::test {
namespace {

struct ControlCase {
  const wchar_t* className;
  int id;
  const wchar_t* text;  // null: not compared (the icon)
  RECT units;           // left, top, width, height in dialog units
  DWORD styleMask;      // the style bits compared ...
  DWORD style;          // ... and their expected values
};

struct TemplateCase {
  const char* name;
  int templateId;
  const wchar_t* caption;
  SIZE units;
  std::vector<ControlCase> controls;
};

constexpr DWORD kButtonMask = BS_TYPEMASK | WS_TABSTOP;
constexpr DWORD kEditMask = ES_AUTOHSCROLL | ES_MULTILINE | ES_READONLY | ES_CENTER | WS_TABSTOP;
constexpr DWORD kStaticMask = SS_TYPEMASK | WS_TABSTOP;
constexpr DWORD kEditStyle = ES_AUTOHSCROLL | WS_TABSTOP;

const TemplateCase kTemplates[] = {
    {"Settings",
     IDD_SETTINGS,
     L"Settings",
     {186, 146},
     {
         {L"Button", IDOK, L"OK", {75, 125, 50, 14}, kButtonMask, BS_DEFPUSHBUTTON | WS_TABSTOP},
         {L"Button",
          IDCANCEL,
          L"Cancel",
          {129, 125, 50, 14},
          kButtonMask,
          BS_PUSHBUTTON | WS_TABSTOP},
         {L"Static", -1, L"Title:", {7, 9, 16, 8}, kStaticMask, SS_LEFT},
         {L"Edit", IDC_SETTINGS_TITLE, L"", {51, 7, 128, 14}, kEditMask, kEditStyle},
         {L"Static", -1, L"Author:", {7, 26, 24, 8}, kStaticMask, SS_LEFT},
         {L"Edit", IDC_SETTINGS_AUTHOR, L"", {51, 23, 128, 14}, kEditMask, kEditStyle},
         {L"Static", -1, L"E-mail:", {7, 41, 22, 8}, kStaticMask, SS_LEFT},
         {L"Edit", IDC_SETTINGS_EMAIL, L"", {52, 39, 127, 14}, kEditMask, kEditStyle},
         {L"Static", -1, L"Web:", {7, 57, 18, 8}, kStaticMask, SS_LEFT},
         {L"Edit", IDC_SETTINGS_WEB, L"", {52, 55, 127, 14}, kEditMask, kEditStyle},
         {L"Static", -1, L"Description:", {7, 74, 38, 8}, kStaticMask, SS_LEFT},
         {L"Edit", IDC_SETTINGS_DESCRIPTION, L"", {52, 71, 127, 14}, kEditMask, kEditStyle},
         {L"Static", -1, L"Exam Mode:", {7, 89, 40, 8}, kStaticMask, SS_LEFT},
         {L"ComboBox",
          IDC_SETTINGS_MODE,
          L"",
          {52, 87, 127, 42},
          // The list takes the scroll bar over and shows it only when the entries need it.
          CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP,
          CBS_DROPDOWNLIST | WS_TABSTOP},
     }},
    {"About",
     IDD_ABOUT,
     L"About",
     {197, 103},
     {
         {L"Button", IDOK, L"OK", {140, 11, 50, 14}, kButtonMask, BS_DEFPUSHBUTTON | WS_TABSTOP},
         {L"Static", -1, L"Quizmora Builder v. 1.0", {42, 18, 88, 10}, kStaticMask, SS_CENTER},
         {L"Static", -1, nullptr, {16, 18, 20, 20}, kStaticMask, SS_ICON},
         {L"Button", -1, L"", {7, 7, 129, 88}, kButtonMask, BS_GROUPBOX},
         {L"Static",
          -1,
          L"Written by the Quizmora Builder team",
          {18, 81, 105, 8},
          kStaticMask,
          SS_LEFT},
         {L"Static", -1, L"Build:", {44, 30, 18, 8}, kStaticMask, SS_LEFT},
         {L"Edit",
          IDC_ABOUT_BUILD,
          L"1. 0. 0. 7",
          {63, 27, 40, 14},
          kEditMask,
          ES_READONLY | ES_CENTER | WS_TABSTOP},
         // Not a tab stop: the link takes the focus only when clicked.
         {L"Static", IDC_ABOUT_LINK, L"Quizmora Web-Site", {29, 64, 101, 8}, kStaticMask, SS_LEFT},
     }},
};

RECT inDialog(HWND dialog, RECT screen) {
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&screen), 2);
  return screen;
}

class DialogTemplateTest : public testing::TestWithParam<TemplateCase> {};

TEST_P(DialogTemplateTest, MatchesTheLayout) {
  const TemplateCase& test = GetParam();
  // Both dialogs shown without owner, as they are initialised for the author.
  std::unique_ptr<DialogWindow> object;
  if (test.templateId == IDD_SETTINGS) {
    object = std::make_unique<SettingsDialog>();
  } else {
    object = std::make_unique<AboutDialog>();
  }
  HWND dialog = object->create(GetModuleHandleW(nullptr), test.templateId, nullptr);
  ASSERT_NE(dialog, nullptr);
  pumpMessages();

  wchar_t caption[32] = {};
  GetWindowTextW(dialog, caption, 32);
  EXPECT_STREQ(caption, test.caption);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX),
            DS_MODALFRAME | WS_CAPTION | WS_SYSMENU);
  RECT size{0, 0, test.units.cx, test.units.cy};
  MapDialogRect(dialog, &size);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlCase& control : test.controls) {
    ASSERT_NE(child, nullptr) << "missing control " << control.id;
    SCOPED_TRACE(testing::Message() << "control " << control.id);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    EXPECT_STREQ(className, control.className);
    EXPECT_EQ(GetDlgCtrlID(child), control.id);
    if (control.text) {
      wchar_t text[64] = {};
      GetWindowTextW(child, text, 64);
      EXPECT_STREQ(text, control.text);
    } else {
      EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0);
    }
    // Place and size are converted separately, as the dialog manager does.
    RECT expected = control.units;
    MapDialogRect(dialog, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual{};
    GetWindowRect(child, &actual);
    actual = inDialog(dialog, actual);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    // An icon static takes the icon's size; a combo box's template height is that of its
    // dropped-down list.
    if (control.text) {
      EXPECT_EQ(actual.right, expected.right);
    }
    if (control.text && lstrcmpW(control.className, L"ComboBox") != 0) {
      EXPECT_EQ(actual.bottom, expected.bottom);
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    EXPECT_EQ(style & control.styleMask, control.style);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than expected";
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTemplateTest, testing::ValuesIn(kTemplates),
                         [](const testing::TestParamInfo<TemplateCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quizmora::test
