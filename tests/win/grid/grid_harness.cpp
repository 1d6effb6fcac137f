#include "grid_harness.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstring>

#include "controls/scoped_gdi_object.h"
#include "controls/scoped_select_object.h"

namespace quizmora::test {
namespace {

// Builds an in-memory dialog template: the list, an edit box and a button.
class DialogTemplate {
 public:
  DialogTemplate() {
    DWORD style = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    addDword(style);
    addDword(0);  // extended style
    addWord(3);   // controls
    addRect(10, 10, 300, 170);
    addWord(0);  // no menu
    addWord(0);  // standard class
    addText(L"Answer grid");
    addWord(8);
    addText(L"MS Shell Dlg");
    addControl(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 6, 6,
               288, 120, kListId, L"SysListView32");
    addControl(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 132, 200, 14,
               kEditId, L"EDIT");
    addControl(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 214, 132, 80, 14, kButtonId,
               L"BUTTON");
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void addWord(WORD value) { words_.push_back(value); }
  void addDword(DWORD value) {
    addWord(LOWORD(value));
    addWord(HIWORD(value));
  }
  void addRect(short x, short y, short cx, short cy) {
    for (short value : {x, y, cx, cy}) addWord(static_cast<WORD>(value));
  }
  void addText(const wchar_t* text) {
    for (; *text; ++text) addWord(static_cast<WORD>(*text));
    addWord(0);
  }
  void align() {
    if (words_.size() % 2) addWord(0);
  }
  void addControl(DWORD style, short x, short y, short cx, short cy, WORD id,
                  const wchar_t* windowClass) {
    align();
    addDword(style);
    addDword(0);
    addRect(x, y, cx, cy);
    addWord(id);
    addText(windowClass);
    addText(L"");
    addWord(0);  // no creation data
  }

  std::vector<WORD> words_;
};

LPARAM keyParam(UINT key, bool release) {
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  LPARAM value = 1 | (scan << 16);
  if (release) value |= static_cast<LPARAM>(0xC0000000u);
  return value;
}

void setShift(bool down) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_SHIFT] = down ? 0x80 : 0;
  state[VK_LSHIFT] = down ? 0x80 : 0;
  SetKeyboardState(state);
}

// The device context of a whole window, released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (*this) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

POINT centreOf(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

CountedText::CountedText(PropertyCensus& census, std::u16string_view text) : census_(census) {
  ++census_.made;
  setValue(GridValue::fromText(text));
}

CountedText::~CountedText() { ++census_.freed; }

CountedCheck::CountedCheck(PropertyCensus& census, bool ticked)
    : CheckProperty(u"", ticked), census_(census) {
  ++census_.made;
}

CountedCheck::~CountedCheck() { ++census_.freed; }

std::u16string ascii(const char* text) {
  std::u16string wide;
  for (; *text; ++text) wide.push_back(static_cast<char16_t>(*text));
  return wide;
}

std::u16string valueOf(const GridProperty* property) {
  if (!property) return u"";
  GridValue value;
  if (!property->getValue(value)) return u"(none)";
  if (value.type() == VT_BOOL) return value.boolValue() ? u"ticked" : u"unticked";
  std::u16string text;
  return value.toText(text) ? text : u"(error)";
}

GridHarness::GridHarness() {
  DialogTemplate layout;
  dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.get(), nullptr,
                                       &GridHarness::dialogProc, reinterpret_cast<LPARAM>(this));
  list_ = GetDlgItem(dialog_, kListId);
  edit_ = GetDlgItem(dialog_, kEditId);
  button_ = GetDlgItem(dialog_, kButtonId);
  SetWindowTextW(button_, L"Button");
  grid_.attach(list_);
  SetWindowPos(dialog_, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(dialog_);
  SetActiveWindow(dialog_);
  SetFocus(list_);
  pump();
}

GridHarness::~GridHarness() {
  if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
  pump();
}

INT_PTR CALLBACK GridHarness::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return FALSE;
  }
  auto* self = reinterpret_cast<GridHarness*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NOTIFY) return self->onNotify(wParam, lParam);
  if (message == WM_COMMAND && LOWORD(wParam) == kButtonId) {
    self->events_.push_back(GridEvent{kButtonClicked, nullptr, u""});
    return TRUE;
  }
  return FALSE;
}

INT_PTR GridHarness::onNotify(WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  int code = static_cast<int>(header->code);
  LRESULT result = 0;
  if (header->idFrom == kListId && code <= kGridSelChanged && code >= kGridCellClick) {
    auto* notify = reinterpret_cast<GridNotify*>(lParam);
    events_.push_back(GridEvent{code, notify->property, valueOf(notify->property)});
    if (code == kGridValueChanging) result = refuseChanging;
    if (code == kGridCellClick) result = refuseClick;
    if (code == kGridValueChanged && onValueChanged) onValueChanged(notify->property);
  } else {
    // Reflected back to the control that raised it, as the main window does.
    result = SendMessageW(header->hwndFrom, WM_NOTIFY + 0x2000, wParam, lParam);
  }
  SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, result);
  return TRUE;
}

int GridHarness::addAnswer(std::u16string_view text, bool ticked) {
  auto* answer = new TextProperty(u"");
  answer->setValue(GridValue::fromText(text));
  int row = grid_.appendRow(answer);
  grid_.setCell(row, 1, new CheckProperty(u"", ticked));
  pump();
  return row;
}

int GridHarness::addCountedAnswer(PropertyCensus& census, std::u16string_view text, bool ticked) {
  int row = grid_.appendRow(new CountedText(census, text));
  grid_.setCell(row, 1, new CountedCheck(census, ticked));
  pump();
  return row;
}

void GridHarness::pump() {
  // A few rounds, so that messages posted while handling others are delivered too.
  for (int round = 0; round < 4; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageW(dialog_, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void GridHarness::postClick(POINT screen, bool doubleClick) {
  SetCursorPos(screen.x, screen.y);
  pump();
  HWND target = WindowFromPoint(screen);
  POINT client = screen;
  ScreenToClient(target, &client);
  LPARAM at = MAKELPARAM(client.x, client.y);
  PostMessageW(target, doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
  pump();
  // The release goes to whichever window now has the capture, or the one under the point.
  HWND release = GetCapture() ? GetCapture() : WindowFromPoint(screen);
  client = screen;
  ScreenToClient(release, &client);
  PostMessageW(release, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  pump();
}

void GridHarness::clickList(POINT client) {
  POINT screen = client;
  ClientToScreen(list_, &screen);
  postClick(screen, false);
}

void GridHarness::clickCell(int row, int column) {
  clickList(centreOf(grid_.cellRect(row, column)));
}

void GridHarness::doubleClickCell(int row, int column) {
  POINT screen = centreOf(grid_.cellRect(row, column));
  ClientToScreen(list_, &screen);
  postClick(screen, false);
  postClick(screen, true);
}

void GridHarness::clickWindow(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  POINT screen = centreOf(rect);
  ClientToScreen(window, &screen);
  postClick(screen, false);
}

void GridHarness::pressKey(UINT key, bool shift) {
  if (shift) setShift(true);
  PostMessageW(GetFocus(), WM_KEYDOWN, key, keyParam(key, false));
  pump();
  PostMessageW(GetFocus(), WM_KEYUP, key, keyParam(key, true));
  pump();
  if (shift) setShift(false);
}

void GridHarness::typeText(std::u16string_view text) {
  for (char16_t unit : text) {
    PostMessageW(GetFocus(), WM_CHAR, unit, 1);
    pump();
  }
}

std::u16string GridHarness::cellText(int row) const { return valueOf(grid_.cellAt(row, 0)); }

bool GridHarness::cellTicked(int row) const { return valueOf(grid_.cellAt(row, 1)) == u"ticked"; }

int GridHarness::listSelectedRow() const {
  return static_cast<int>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

std::u16string GridHarness::editorText() const {
  HWND editor = grid_.editorWindow();
  if (!editor) return u"";
  wchar_t buffer[512] = {};
  GetWindowTextW(editor, buffer, 512);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

std::vector<GridEvent> GridHarness::takeEvents() {
  std::vector<GridEvent> taken;
  taken.swap(events_);
  return taken;
}

std::vector<int> GridHarness::takeCodes() {
  std::vector<int> codes;
  for (const GridEvent& event : takeEvents()) codes.push_back(event.code);
  return codes;
}

// Pixels --------------------------------------------------------------------------------

WindowPixels::WindowPixels(HWND window) : window_(window) {
  GetWindowRect(window, &windowRect_);
  width_ = windowRect_.right - windowRect_.left;
  height_ = windowRect_.bottom - windowRect_.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  WindowDc windowDc(window);
  MemoryDc memoryDc(windowDc.get());
  ScopedGdiObject<HBITMAP> bitmap(
      CreateDIBSection(windowDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return;
  {
    ScopedSelectObject selected(memoryDc.get(), bitmap.get());
    BitBlt(memoryDc.get(), 0, 0, width_, height_, windowDc.get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  bits_.assign(static_cast<unsigned char*>(bits),
               static_cast<unsigned char*>(bits) + static_cast<std::size_t>(width_) * height_ * 4);
}

COLORREF WindowPixels::at(HWND window, int x, int y) const {
  POINT point{x, y};
  ClientToScreen(window, &point);
  int column = point.x - windowRect_.left;
  int row = point.y - windowRect_.top;
  if (column < 0 || row < 0 || column >= width_ || row >= height_) return CLR_INVALID;
  const unsigned char* pixel = &bits_[(static_cast<std::size_t>(row) * width_ + column) * 4];
  return RGB(pixel[2], pixel[1], pixel[0]);
}

bool WindowPixels::saveBitmap(const std::wstring& path) const {
  // A bottom-up 24-bit BMP, the form every viewer reads.
  int stride = (width_ * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width_;
  info.biHeight = height_;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * height_);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<unsigned char> data(info.biSizeImage);
  for (int row = 0; row < height_; ++row) {
    const unsigned char* source = &bits_[static_cast<std::size_t>(height_ - 1 - row) * width_ * 4];
    unsigned char* target = &data[static_cast<std::size_t>(row) * stride];
    for (int column = 0; column < width_; ++column) {
      std::memcpy(target + column * 3, source + column * 4, 3);
    }
  }
  FileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  DWORD written = 0;
  return WriteFile(out.get(), &file, sizeof(file), &written, nullptr) &&
         WriteFile(out.get(), &info, sizeof(info), &written, nullptr) &&
         WriteFile(out.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
}

namespace {

BOOL CALLBACK countProperty(HWND, LPWSTR, HANDLE, ULONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

int propertyCount(HWND window) {
  int count = 0;
  EnumPropsExW(window, &countProperty, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace quizmora::test
