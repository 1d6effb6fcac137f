#include "app/startup_exam_path.h"

#include "app/command_line.h"
#include "app/win_text.h"

namespace quizmora {

std::optional<std::u16string> startupExamPath(const wchar_t* commandLine) {
  std::optional<std::u16string> path = examPathFromCommandLine(fromWide(commandLine));
  if (!path) return path;
  const DWORD size = GetFullPathNameW(wideText(*path), 0, nullptr, nullptr);
  if (size == 0) return path;  // left as given: opening it will tell what is wrong
  std::u16string full(size, u'\0');
  const DWORD length =
      GetFullPathNameW(wideText(*path), size, reinterpret_cast<wchar_t*>(full.data()), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

}  // namespace quizmora
