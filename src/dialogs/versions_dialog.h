#pragma once
// Printable Versions: how many versions of the exam to print (1 to 26), what versions B, C,
// ... shuffle, and whether a key page per version follows. The dialog edits a copy; the
// caller takes it when the author presses OK.

#include <windows.h>

#include "app/dialog_window.h"
#include "interchange/html_sheet.h"

namespace quizmora {

class VersionsDialog : public DialogWindow {
 public:
  VersionsDialog() = default;
  ~VersionsDialog() override;

  // Runs dialog resource 220 of `module` modally over `owner`: 1 for OK (with `choice`
  // holding what the author chose), 2 for Cancel, Esc and the close box, -1 when the dialog
  // cannot be created.
  INT_PTR run(HINSTANCE module, HWND owner);

  SheetVersions choice;  // its seed is left as it was

 protected:
  bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void onInitDialog();
  void onOk();
};

}  // namespace quizmora
