// Add Questions and Export as the author reaches them from the File menu, through the
// system's own file dialogs answered as a person would (a full path typed into the name
// box, an entry picked in the list of file kinds, OK).
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/win_text.h"
#include "common/editor_under_test.h"
#include "dialogs/modal_driver.h"
#include "support/test_support.h"

namespace quizmora::test {
namespace {

// The real file dialogs; message boxes would ask nothing in these steps.
class ExchangeEditor : public EditorUnderTest {
 public:
  std::vector<FormMessage> shown;
  MessageAnswer showMessage(const FormMessage& message) override {
    shown.push_back(message);
    return MessageAnswer::No;
  }
};

// Types `path` into the dialog's name box, selects the file kind labelled `kind` and
// presses OK, each as the dialog receives it from a person.
void answerFileDialog(HWND dialog, const std::wstring& path, const std::wstring& kind) {
  HWND kinds = GetDlgItem(dialog, cmb1);
  const LRESULT entry = SendMessageW(kinds, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(kind.c_str()));
  ASSERT_NE(entry, CB_ERR) << "no entry for the file kind";
  SendMessageW(kinds, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(kinds));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(kinds));
  HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
  SetWindowTextW(name, path.c_str());
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(ExchangeThroughTheWindow, AddQuestionsThenExportThroughTheFileDialogs) {
  ExchangeEditor editor;
  HWND window = editor.show();
  ASSERT_NE(window, nullptr);

  TempDir dir;
  writeBytes(dir / u"bank.txt", "// title: Rivers\nLongest river? {=Nile ~Rhine}\n\nWet? {T}\n");
  ModalDriver add(L"Add Questions from Other Tools", [&](HWND dialog) {
    answerFileDialog(dialog, (dir / u"bank.txt").wstring(), L"GIFT (*.gift;*.txt)");
  });
  editor.command(ID_FILE_ADD_FROM_TOOLS);
  ASSERT_TRUE(add.ran());
  EXPECT_FALSE(add.timedOut());
  EXPECT_EQ(editor.exam().questionCount(), 2);
  EXPECT_EQ(editor.exam().header.title, u"Rivers");
  EXPECT_TRUE(editor.changed());
  EXPECT_EQ(windowText(GetDlgItem(window, IDC_STATUS_RIGHT)), u"Total: 2");
  EXPECT_EQ(windowText(GetDlgItem(window, IDC_QUESTION_TEXT)), u"Longest river?");
  EXPECT_EQ(windowText(GetDlgItem(window, IDC_QUESTION_GROUP)), u"Question #1");

  ModalDriver exported(L"Export to Other Tools", [&](HWND dialog) {
    answerFileDialog(dialog, (dir / u"out").wstring(), L"JSON (*.json)");
  });
  editor.command(ID_FILE_EXPORT_TO_TOOLS);
  ASSERT_TRUE(exported.ran());
  EXPECT_FALSE(exported.timedOut());
  EXPECT_NE(readBytes(dir / u"out.json").find("Longest river?"), std::string::npos);
  EXPECT_TRUE(editor.changed()) << "exporting does not save the exam";
  EXPECT_TRUE(editor.exam().filePath.empty());
  EXPECT_TRUE(editor.shown.empty());
}

}  // namespace
}  // namespace quizmora::test
