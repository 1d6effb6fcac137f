#include "dialog_template.h"

namespace quizmora::test {

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const wchar_t* caption) {
  putLong(style | DS_SETFONT);
  putLong(0);  // extended style
  countAt_ = data_.size();
  putWord(0);  // number of controls, counted as they are added
  for (short value : {short{0}, short{0}, width, height}) putWord(static_cast<WORD>(value));
  putWord(0);  // no menu
  putWord(0);  // the dialog class
  putText(caption);
  putWord(8);
  putText(L"MS Sans Serif");
}

void DialogTemplate::addControl(int id, WORD classAtom, const wchar_t* text, DWORD style, short x,
                                short y, short width, short height, DWORD exStyle) {
  beginControl(id, style, exStyle, x, y, width, height);
  putWord(0xFFFF);
  putWord(classAtom);
  endControl(text);
}

void DialogTemplate::addControl(int id, const wchar_t* className, const wchar_t* text, DWORD style,
                                short x, short y, short width, short height, DWORD exStyle) {
  beginControl(id, style, exStyle, x, y, width, height);
  putText(className);
  endControl(text);
}

void DialogTemplate::beginControl(int id, DWORD style, DWORD exStyle, short x, short y, short width,
                                  short height) {
  alignToLong();
  putLong(style | WS_CHILD | WS_VISIBLE);
  putLong(exStyle);
  for (short value : {x, y, width, height}) putWord(static_cast<WORD>(value));
  putWord(static_cast<WORD>(id));
  ++data_[countAt_];
}

void DialogTemplate::endControl(const wchar_t* text) {
  putText(text);
  putWord(0);  // no creation data
}

void DialogTemplate::putLong(DWORD value) {
  putWord(LOWORD(value));
  putWord(HIWORD(value));
}

void DialogTemplate::putText(const wchar_t* text) {
  for (const wchar_t* unit = text; *unit; ++unit) putWord(static_cast<WORD>(*unit));
  putWord(0);
}

void DialogTemplate::alignToLong() {
  if (data_.size() % 2) putWord(0);
}

}  // namespace quizmora::test
