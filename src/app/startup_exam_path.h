#pragma once
// The exam the program was asked to open when it started (a double click on a .qzm file
// starts it as `QuizmoraBuilder.exe "C:\path\exam.qzm"`).

#include <windows.h>

#include <optional>
#include <string>

namespace quizmora {

// The first argument of `commandLine` as a full path; none when there is no argument. A
// relative path is completed from the current folder now, before a file dialog can change
// it, so that a later save goes where the user meant.
std::optional<std::u16string> startupExamPath(const wchar_t* commandLine = GetCommandLineW());

}  // namespace quizmora
