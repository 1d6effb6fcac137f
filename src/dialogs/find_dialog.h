#pragma once
// The modeless Find box: a text, "Match case", Find Next and Close. It keeps its text and
// choice while hidden, so that F3 can search again; the window that owns it does the search.

#include <windows.h>

#include <functional>
#include <string>

#include "app/app_module.h"
#include "app/dialog_window.h"

namespace quizmora {

class FindDialog : public DialogWindow, public MessageFilter {
 public:
  // Called with the text and "Match case" on Find Next (Enter in the box).
  using FindHandler = std::function<void(const std::u16string& text, bool matchCase)>;

  explicit FindDialog(FindHandler onFind) : onFind_(std::move(onFind)) {}
  ~FindDialog() override;

  // Shows the box over `owner` (made from dialog resource 230 of `module` the first time),
  // with its text selected for typing.
  void show(HINSTANCE module, HWND owner);
  // The last text and choice; empty before the first search.
  const std::u16string& text() const { return text_; }
  bool matchCase() const { return matchCase_; }

  // Tab, Enter and Esc inside the box while it is shown.
  bool preTranslateMessage(MSG* message) override;

 protected:
  bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void readControls();

  FindHandler onFind_;
  std::u16string text_;
  bool matchCase_ = false;
  MessageLoop* loop_ = nullptr;  // while registered with it
};

}  // namespace quizmora
