#pragma once
// Opens a web address or a saved file in the program the user chose for it (the default
// browser for a page), as the shell's "open" verb does.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/win_text.h"

namespace quizmora {

// True when the shell started a program for `target`.
inline bool shellOpen(const std::u16string& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", wideText(target), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace quizmora
