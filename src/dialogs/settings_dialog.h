#pragma once
// The exam's details: title, author, e-mail, web address, description and exam mode. The
// dialog edits copies; the header changes only when the author presses OK.

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/dialog_window.h"
#include "model/exam_document.h"

namespace quizmora {

class SettingsDialog : public DialogWindow {
 public:
  // The mode list's value when no entry is selected.
  static constexpr std::int32_t kNoModeSelected = -1;

  SettingsDialog() = default;
  ~SettingsDialog() override;

  // Takes copies of all six header fields.
  void loadFrom(const ExamHeader& header);
  // Copies the fields back. With no mode selected (the header's mode was none of the three
  // entries and the author chose none) the header keeps its mode. Returns whether the
  // title, author or mode changed, the details the exam file holds.
  bool storeInto(ExamHeader& header) const;

  // Runs dialog resource 213 of `module` modally over `owner`: 1 for OK, 2 for Cancel, Esc
  // and the close box, -1 when the dialog cannot be created.
  INT_PTR run(HINSTANCE module, HWND owner);

  std::u16string title;
  std::u16string author;
  std::u16string email;
  std::u16string web;
  std::u16string description;
  std::int32_t mode = 0;  // position in the mode list, kNoModeSelected for none

 protected:
  bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void onInitDialog();
  void onClose(int buttonId);

  HWND modeList_ = nullptr;  // control 1030, once the dialog is initialised
};

}  // namespace quizmora
