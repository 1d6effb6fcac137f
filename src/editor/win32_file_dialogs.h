#pragma once
// The system's common Open and Save dialogs, as the file commands ask for a file.

#include <optional>
#include <string>

#include "editor/file_commands.h"

namespace quizmora {

class Win32FileDialogs : public FileDialogs {
 public:
  std::optional<std::u16string> chooseOpenPath() override;
  std::optional<std::u16string> chooseSavePath() override;
  std::optional<FileChoice> chooseFile(const FileRequest& request) override;
};

}  // namespace quizmora
