#pragma once
// The publishing commands' questions as the author sees them: message boxes captioned
// "Quizmora Builder" and the shell's folder picker, all owned by the main window.

#include <windows.h>

#include "publish/publish_prompts.h"

namespace quizmora {

class WindowPrompts : public PublishPrompts {
 public:
  explicit WindowPrompts(HWND owner) : owner_(owner) {}

  void tell(MessageIcon icon, std::u16string_view text) override;
  bool ask(MessageIcon icon, std::u16string_view text, bool yesIsDefault) override;
  std::optional<std::u16string> chooseFolder(std::u16string_view title) override;

 private:
  int show(std::u16string_view text, UINT flags);

  HWND owner_;  // may be null
};

}  // namespace quizmora
