#pragma once
// How the file commands set up the system's Open and Save dialogs.

#include <windows.h>
// After windows.h; the dialog header needs the COM declarations.
#include <objbase.h>
// After objbase.h.
#include <commdlg.h>
#include <cstddef>

namespace quizmora {

inline constexpr int kFileNameUnits = 260;
inline constexpr int kFileTitleUnits = 256;
// The structure without the fields Windows 2000 added, which every version accepts: 76 bytes
// in the 32-bit build, 136 in the 64-bit one. Measured as OPENFILENAME_SIZE_VERSION_400W
// measures it (that macro is not a constant expression).
inline constexpr DWORD kFileDialogStructSize =
    offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(OPENFILENAMEW::lpTemplateName);

// Fills `dialog` for one command: the exam filter pair first and selected, the caller's
// name buffer (kFileNameUnits, emptied here) and title buffer (kFileTitleUnits), no default
// extension, directory or title, and a hook that handles nothing. Owner: the active window.
void prepareFileDialog(OPENFILENAMEW& dialog, wchar_t* fileName, wchar_t* fileTitle);

}  // namespace quizmora
