#pragma once
// The system's common Open and Save dialogs, as the file commands ask for a file.

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <optional>
#include <string>

#include "editor/file_commands.h"

namespace quizmora {

inline constexpr int kFileNameUnits = 260;
inline constexpr int kFileTitleUnits = 256;

// Fills `dialog` for one command: the exam filter pair first and selected, the caller's
// name buffer (kFileNameUnits, emptied here) and title buffer (kFileTitleUnits), no default
// extension, directory or title, and a hook that handles nothing. Owner: the active window.
void prepareFileDialog(OPENFILENAMEW& dialog, wchar_t* fileName, wchar_t* fileTitle);

class Win32FileDialogs : public FileDialogs {
 public:
  std::optional<std::u16string> chooseOpenPath() override;
  std::optional<std::u16string> chooseSavePath() override;
};

}  // namespace quizmora
