#pragma once
// What the publishing commands ask and tell the author. The program answers through message
// boxes and the system's folder picker owned by the main window; tests answer in memory.

#include <optional>
#include <string>
#include <string_view>

#include "editor/message_icon.h"

namespace quizmora {

// Caption of every box the publishing commands show.
inline constexpr std::u16string_view kPublishCaption = u"Quizmora Builder";
// Both uploads send the file on disk, so they need one first.
inline constexpr std::u16string_view kSaveFirstText =
    u"You need to save currect quizzes to the file before uploading";

class PublishPrompts {
 public:
  virtual ~PublishPrompts() = default;
  // A box with an OK button.
  virtual void tell(MessageIcon icon, std::u16string_view text) = 0;
  // A box with Yes and No; true only for Yes. `yesIsDefault` picks the button Enter presses.
  virtual bool ask(MessageIcon icon, std::u16string_view text, bool yesIsDefault) = 0;
  // A folder chosen by the author, or nullopt when the picker was cancelled.
  virtual std::optional<std::u16string> chooseFolder(std::u16string_view title) = 0;
};

}  // namespace quizmora
