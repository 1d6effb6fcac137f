#pragma once
// The one place where the core's UTF-16 strings meet Win32's wide strings. On Windows
// wchar_t is 16 bits, so the conversion is a cast.

#include <windows.h>

#include <string>
#include <string_view>

namespace quizmora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* wideText(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// The whole text of a window, however long.
inline std::u16string windowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

inline void setWindowText(HWND window, const std::u16string& text) {
  SetWindowTextW(window, wideText(text));
}

}  // namespace quizmora
