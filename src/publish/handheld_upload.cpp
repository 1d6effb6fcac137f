#include "publish/handheld_upload.h"

#include <optional>
#include <string>
#include <system_error>

#include "format/file_bytes.h"

namespace quizmora {

bool copyFileSafely(const std::filesystem::path& source, const std::filesystem::path& target) {
  const std::optional<std::string> bytes = readFileBytes(source);
  return bytes && writeFileReplacing(target, *bytes);
}

void uploadToHandheld(std::u16string_view filePath, PublishPrompts& prompts) {
  if (filePath.empty()) {
    prompts.tell(MessageIcon::Information, kSaveFirstText);
    return;
  }
  std::optional<std::u16string> folder = prompts.chooseFolder(kHandheldFolderTitle);
  if (!folder || folder->empty()) return;

  const std::filesystem::path source(filePath);
  const std::filesystem::path target = std::filesystem::path(*folder) / source.filename();
  const std::u16string shown = target.u16string();
  std::error_code error;
  // A directory of that name cannot be replaced: the copy below fails and says so.
  if (std::filesystem::exists(target, error) && !std::filesystem::is_directory(target, error) &&
      !prompts.ask(MessageIcon::Warning, shown + u" already exists.\nDo you want to replace it?",
                   false)) {
    return;
  }
  if (copyFileSafely(source, target)) {
    prompts.tell(MessageIcon::Information, u"The exam was copied to " + shown);
  } else {
    prompts.tell(MessageIcon::Error, u"Cannot copy the exam to " + shown);
  }
}

}  // namespace quizmora
