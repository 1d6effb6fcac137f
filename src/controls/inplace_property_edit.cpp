#include "controls/inplace_property_edit.h"

#include "controls/dpi_scale.h"
#include "controls/grid_notify.h"
#include "controls/window_dpi.h"

namespace quizmora {
namespace {

HINSTANCE moduleInstance() {
  HINSTANCE instance = AppModule::instance().instanceHandle();
  return instance ? instance : GetModuleHandleW(nullptr);
}

bool classRegistered() {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  return GetClassInfoExW(moduleInstance(), InplacePropertyEdit::kClassName, &info) != 0;
}

}  // namespace

bool InplacePropertyEdit::registerClass() {
  if (classRegistered()) return true;
  ModuleLock lock;
  if (classRegistered()) return true;
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  if (!GetClassInfoExW(nullptr, L"EDIT", &info)) return false;
  info.lpfnWndProc = &InplacePropertyEdit::windowProc;
  info.hInstance = moduleInstance();
  info.lpszClassName = kClassName;
  info.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  return RegisterClassExW(&info) != 0;
}

WNDPROC InplacePropertyEdit::editProc() {
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  return GetClassInfoExW(nullptr, L"EDIT", &info) ? info.lpfnWndProc : nullptr;
}

HWND InplacePropertyEdit::create(HWND parent, const RECT& rect, const wchar_t* text) {
  if (!registerClass()) return nullptr;
  auto* editor = new InplacePropertyEdit();
  editor->editProc_ = editProc();
  if (!editor->editProc_) {
    delete editor;
    return nullptr;
  }
  AppModule& module = AppModule::instance();
  module.addCreatingWindow(editor);
  HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                parent, nullptr, moduleInstance(), nullptr);
  if (!window) {
    // Never bound: still on the list and ours to free. Once bound, its final message has
    // freed it.
    WindowObject* pending = module.takeCreatingWindow();
    if (pending == editor) {
      delete editor;
    } else if (pending) {
      module.addCreatingWindow(pending);
    }
    return nullptr;
  }
  // The text goes in only after the length limit is lifted, so that no answer is cut.
  SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextW(window, text ? text : L"");
  // Some edit controls count text set by the program as a change; only typing may.
  SendMessageW(window, EM_SETMODIFY, FALSE, 0);
  return window;
}

InplacePropertyEdit* InplacePropertyEdit::fromWindow(HWND window) {
  if (!window) return nullptr;
  wchar_t name[64] = {};
  if (!GetClassNameW(window, name, 64) || lstrcmpW(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<InplacePropertyEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void InplacePropertyEdit::bindWindow(HWND window) {
  window_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK InplacePropertyEdit::windowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  auto* self = reinterpret_cast<InplacePropertyEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) {
    // The first message of a window we create links it to its object.
    AppModule& module = AppModule::instance();
    WindowObject* pending = module.takeCreatingWindow();
    self = dynamic_cast<InplacePropertyEdit*>(pending);
    if (self) {
      self->bindWindow(window);
    } else if (pending) {
      module.addCreatingWindow(pending);  // another window's object: leave it for that window
    }
  }
  if (!self) {
    WNDPROC proc = editProc();
    return proc ? CallWindowProcW(proc, window, message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
  }
  if (message != WM_NCDESTROY) return self->handleMessage(message, wParam, lParam);

  LRESULT result = self->callEditProc(message, wParam, lParam);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  delete self;
  return result;
}

LRESULT InplacePropertyEdit::callEditProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(editProc_, window_, message, wParam, lParam);
}

LRESULT InplacePropertyEdit::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate(wParam, lParam);
    case WM_SETFOCUS:
      cancelFlag_ = false;
      return callEditProc(message, wParam, lParam);
    case WM_GETDLGCODE:
      return callEditProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      return onKeyDown(wParam, lParam);
    case WM_CHAR:
      // Enter and Escape have done their work on key-down; the edit control would beep.
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
      return callEditProc(message, wParam, lParam);
    case WM_KILLFOCUS:
      return onKillFocus(wParam, lParam);
    default:
      return callEditProc(message, wParam, lParam);
  }
}

LRESULT InplacePropertyEdit::onCreate(WPARAM wParam, LPARAM lParam) {
  LRESULT result = callEditProc(WM_CREATE, wParam, lParam);
  if (result == -1) return result;
  HWND parent = GetParent(window_);
  LRESULT font = parent ? SendMessageW(parent, WM_GETFONT, 0, 0) : 0;
  SendMessageW(window_, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 
               MAKELPARAM(scaleForDpi(2, static_cast<int>(windowDpi(window_))), 0));
  return result;
}

LRESULT InplacePropertyEdit::onKeyDown(WPARAM key, LPARAM lParam) {
  switch (key) {
    case VK_TAB:
    case VK_UP:
    case VK_DOWN:
      postNavigate(key);
      return 0;
    case VK_ESCAPE:
      cancelFlag_ = true;
      [[fallthrough]];
    case VK_RETURN:
      SetFocus(GetParent(window_));
      return callEditProc(WM_KEYDOWN, key, lParam);
    case VK_LEFT:
      if (!caretAtStart()) break;
      postNavigate(key);
      return 0;
    case VK_RIGHT:
      if (!caretAtEnd()) break;
      postNavigate(key);
      return 0;
    default:
      break;
  }
  return callEditProc(WM_KEYDOWN, key, lParam);
}

LRESULT InplacePropertyEdit::onKillFocus(WPARAM wParam, LPARAM lParam) {
  LRESULT result = callEditProc(WM_KILLFOCUS, wParam, lParam);
  if (SendMessageW(window_, EM_GETMODIFY, 0, 0) == 0) cancelFlag_ = true;
  UINT report = cancelFlag_ ? kGridCancelEdit : kGridCommitEdit;
  SendMessageW(GetParent(window_), report, 0, reinterpret_cast<LPARAM>(window_));
  return result;
}

bool InplacePropertyEdit::caretAtStart() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return start == end && start == 0;
}

bool InplacePropertyEdit::caretAtEnd() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return start == end && start == static_cast<DWORD>(GetWindowTextLengthW(window_));
}

void InplacePropertyEdit::postNavigate(WPARAM key) {
  PostMessageW(GetParent(window_), kGridNavigate, key, 0);
}

}  // namespace quizmora
