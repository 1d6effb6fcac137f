#pragma once
// Builds a dialog template in memory, in the layout a resource compiler writes.

#include <windows.h>

#include <string>
#include <vector>

namespace quizmora::test {

class DialogTemplate {
 public:
  // Predefined control classes, as stored in a template.
  static constexpr WORD kButton = 0x0080;
  static constexpr WORD kEdit = 0x0081;
  static constexpr WORD kStatic = 0x0082;

  // Units are dialog units; the font is "MS Sans Serif" 8 point.
  DialogTemplate(DWORD style, short width, short height, const wchar_t* caption);

  void addControl(int id, WORD classAtom, const wchar_t* text, DWORD style, short x, short y,
                  short width, short height, DWORD exStyle = 0);
  void addControl(int id, const wchar_t* className, const wchar_t* text, DWORD style, short x,
                  short y, short width, short height, DWORD exStyle = 0);

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void beginControl(int id, DWORD style, DWORD exStyle, short x, short y, short width,
                    short height);
  void endControl(const wchar_t* text);
  void putWord(WORD value) { data_.push_back(value); }
  void putLong(DWORD value);
  void putText(const wchar_t* text);
  void alignToLong();

  std::vector<WORD> data_;
  std::size_t countAt_ = 0;
};

}  // namespace quizmora::test
