#include "button_fixture.h"

#include <vector>

namespace quizmora::test {
namespace {

const wchar_t kHostClass[] = L"QuizmoraTestButtonHost";

void registerHostClass(WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

bool isReflected(UINT message) { return message == WM_DRAWITEM || message == WM_CTLCOLORBTN; }

HWND controlOf(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
  (void)wParam;
  return reinterpret_cast<HWND>(lParam);
}

}  // namespace

ButtonHost::ButtonHost() {
  parkMouse();
  registerHostClass(&ButtonHost::windowProc);
  window_ = CreateWindowExW(0, kHostClass, L"Icon buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                            100, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  activate();
}

ButtonHost::~ButtonHost() {
  if (IsWindow(window_)) DestroyWindow(window_);
  pumpMessages();
}

HWND ButtonHost::addButton(int id, int x, int y, DWORD style) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y,
                                kButtonWidth, kButtonHeight, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  pumpMessages();
  return button;
}

HWND ButtonHost::addLabel(int id, int x, int y) {
  HWND label = CreateWindowExW(0, L"STATIC", L"Question", WS_CHILD | WS_VISIBLE, x, y, 60, 23,
                               window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  pumpMessages();
  return label;
}

int ButtonHost::clicks(int id) const {
  auto found = clicks_.find(id);
  return found == clicks_.end() ? 0 : found->second;
}

void ButtonHost::activate() const {
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
  pumpFor(50);
}

LRESULT CALLBACK ButtonHost::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<ButtonHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam) {
    ++self->clicks_[LOWORD(wParam)];
    return 0;
  }
  if (isReflected(message)) {
    if (HWND control = controlOf(message, wParam, lParam)) {
      return SendMessageW(control, message + 0x2000, wParam, lParam);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

ForeignForegroundWindow::ForeignForegroundWindow()
    : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = std::thread([this] { run(); });
  WaitForSingleObject(ready_, 5000);
  pumpFor(50);
}

ForeignForegroundWindow::~ForeignForegroundWindow() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  CloseHandle(ready_);
  pumpMessages();
}

void ForeignForegroundWindow::run() {
  threadId_ = GetCurrentThreadId();
  HWND window =
      CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE | WS_CAPTION, 700,
                      600, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before `ready_`
  SetEvent(ready_);
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  DestroyWindow(window);
}

HICON makeTestIcon(int width, int height, COLORREF body) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  auto* pixels = static_cast<DWORD*>(bits);
  const DWORD bodyPixel = (static_cast<DWORD>(GetRValue(body)) << 16) |
                          (static_cast<DWORD>(GetGValue(body)) << 8) | GetBValue(body);
  for (int i = 0; i < width * height; ++i) pixels[i] = bodyPixel;  // 0x00RRGGBB
  pixels[0] = 0x000000FF;                                          // blue top-left pixel
  // An all-zero AND mask: every pixel opaque.
  std::vector<BYTE> maskBits(static_cast<size_t>(((width + 15) / 16) * 2 * height), 0);
  HBITMAP mask = CreateBitmap(width, height, 1, 1, maskBits.data());
  ICONINFO iconInfo{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&iconInfo);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

bool isIconAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return true;
}

namespace {

void sendMouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
  pumpFor(40);
}

// Screen pixel to the 0..65535 scale of absolute mouse input, landing inside the pixel.
LONG absoluteCoordinate(LONG pixel, int screenSize) {
  return static_cast<LONG>((pixel * 65536LL + 32768) / screenSize);
}

}  // namespace

void moveMouseTo(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  sendMouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                 absoluteCoordinate(point.x, GetSystemMetrics(SM_CXSCREEN)),
                 absoluteCoordinate(point.y, GetSystemMetrics(SM_CYSCREEN)));
}

void parkMouse() { sendMouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 65000, 65000); }

void pressLeftButton() { sendMouseInput(MOUSEEVENTF_LEFTDOWN); }
void releaseLeftButton() { sendMouseInput(MOUSEEVENTF_LEFTUP); }

void postMouse(HWND window, UINT message, WPARAM keys, int x, int y) {
  PostMessageW(window, message, keys, MAKELPARAM(x, y));
  pumpMessages();
}

}  // namespace quizmora::test
