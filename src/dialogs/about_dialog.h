#pragma once
// The About box: the program's name, icon and build number, and a link to the product's web
// page.

#include <windows.h>

#include <string>

#include "app/dialog_window.h"
#include "controls/hyper_link_label.h"

namespace quizmora {

inline constexpr char16_t kProductPageUrl[] = u"http://www.quizmora.example/";
inline constexpr char16_t kProductPageLabel[] = u"Quizmora Web-site";

// The product version of the file at `path` as the About box shows it ("1. 0. 0. 7"), read
// through the block's first translation; empty when the file has no version block, no
// translation or no product version.
std::u16string readBuildNumber(const wchar_t* path);

class AboutDialog : public DialogWindow {
 public:
  // `opener` replaces the shell for the link (tests); empty means the shell.
  explicit AboutDialog(HyperLinkLabel::Opener opener = {});
  ~AboutDialog() override;

  // Runs dialog resource 100 of `module` modally over `owner`: 1 for OK, 2 for Esc and the
  // close box, -1 when the dialog cannot be created.
  INT_PTR run(HINSTANCE module, HWND owner);

  const HyperLinkLabel& link() const { return link_; }

 protected:
  bool processMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void onInitDialog();
  void showBuildNumber();

  HyperLinkLabel link_;
};

}  // namespace quizmora
