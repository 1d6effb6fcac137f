#include "controls/icon_button.h"

#include <commctrl.h>
#include <windowsx.h>
#include <cstddef>

#include "app/app_module.h"
#include "controls/dpi_scale.h"
#include "controls/tooltip_relay.h"
#include "controls/window_dpi.h"

namespace quizmora {
namespace {

constexpr int kTooltipMaxWidth = 400;  // at 96 DPI
constexpr UINT_PTR kTooltipToolId = 1;
// The tool record as comctl32 5.80 and later read it (without lpReserved): 44 bytes in the
// 32-bit build, 64 in the 64-bit one. Measured as TTTOOLINFOW_V2_SIZE measures it (that
// macro is not a constant expression).
constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);
static_assert(offsetof(TTTOOLINFOW, lpReserved) == kToolInfoSize, "tool record ends before lpReserved");

HINSTANCE moduleInstance() {
  HINSTANCE instance = AppModule::instance().instanceHandle();
  return instance ? instance : GetModuleHandleW(nullptr);
}

void fillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

// A one-pixel frame on the outermost ring of `rect`. The first colour takes the top row
// (all but its last pixel) and the left column (all but its last pixel); the second the
// full right column and bottom row, corners included.
void drawThinFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
  fillSolid(dc, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
  fillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
  fillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
  fillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

// Half of a possibly negative span, rounded down, so an icon wider than the button still
// sits centred.
int halfRoundedDown(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

}  // namespace

void IconButton::WindowDeleter::operator()(HWND window) const {
  if (IsWindow(window)) DestroyWindow(window);
}

IconButton::IconButton()
    : colours_{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE),
               GetSysColor(COLOR_BTNTEXT)} {}

IconButton::~IconButton() {
  HWND window = hwnd();
  if (window && state_.hot && GetCapture() == window) {
    state_.hot = false;
    ReleaseCapture();
  }
  unsubclassWindow();
}

bool IconButton::attach(HWND button) {
  if (!button || hwnd() || !subclassWindow(button)) return false;
  dpi_ = windowDpi(button);
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  options_.checkBox = (style & 0x02) != 0;
  options_.defaultButton = !options_.checkBox && (style & 0x01) != 0;
  // The button type is replaced (not OR-ed, which would turn a radio button's 4 into 0x0F).
  const LONG ownerDrawn = (style & ~static_cast<LONG>(BS_TYPEMASK)) | BS_OWNERDRAW;
  SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(ownerDrawn), TRUE);
  return true;
}

int IconButton::setIcons(int inIconId, int outIconId, HINSTANCE module) {
  // The icon sits inside the one-pixel frame drawn while the pointer is over the button.
  RECT client{};
  if (hwnd()) GetClientRect(hwnd(), &client);
  const int size = buttonIconSize(static_cast<int>(dpi_), client.right - 2, client.bottom - 2);
  auto load = [module, size](int id) {
    return static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  };
  IconHandle in(inIconId ? load(inIconId) : nullptr);
  IconHandle out(outIconId ? load(outIconId) : nullptr);
  if ((inIconId && !in) || (outIconId && !out)) {
    freeIcons();
    redrawNow();
    return 1;
  }
  const int result = adoptIcons(in.release(), out.release());
  if (result == 0) {
    iconModule_ = module;
    inIconId_ = inIconId;
    outIconId_ = outIconId;
  }
  return result;
}

void IconButton::setDpi(UINT dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  dpi_ = dpi;
  if (tooltip_) {
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0,
                 scaleForDpi(kTooltipMaxWidth, static_cast<int>(dpi_)));
  }
  if (iconModule_ && (inIconId_ || outIconId_)) setIcons(inIconId_, outIconId_, iconModule_);
}

int IconButton::adoptIcons(HICON inIcon, HICON outIcon) {
  freeIcons();
  inIcon_.icon.reset(inIcon);
  outIcon_.icon.reset(outIcon);
  int result = 0;
  if (!measureIcon(inIcon_) || !measureIcon(outIcon_)) {
    freeIcons();
    result = 1;
  }
  redrawNow();
  return result;
}

bool IconButton::measureIcon(Icon& icon) {
  icon.size = {0, 0};
  if (!icon.icon) return true;
  ICONINFO info{};
  if (!GetIconInfo(icon.icon.get(), &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  icon.size = {static_cast<LONG>(info.xHotspot * 2), static_cast<LONG>(info.yHotspot * 2)};
  return true;
}

void IconButton::freeIcons() {
  inIcon_ = Icon{};
  outIcon_ = Icon{};
  iconModule_ = nullptr;
  inIconId_ = 0;
  outIconId_ = 0;
}

void IconButton::setTooltipText(const wchar_t* text, bool activate) {
  if (!text || !hwnd()) return;
  if (!tooltip_) createTooltip();
  if (!tooltip_) return;

  TTTOOLINFOW tool{};
  tool.cbSize = kToolInfoSize;
  tool.hwnd = hwnd();
  tool.uId = kTooltipToolId;
  GetClientRect(hwnd(), &tool.rect);
  tool.hinst = moduleInstance();
  tool.lpszText = const_cast<wchar_t*>(text);
  HWND tip = tooltip_.get();
  if (SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip, TTM_ACTIVATE, activate ? TRUE : FALSE, 0);
}

void IconButton::createTooltip() {
  tooltip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, moduleInstance(),
                                 nullptr));
  if (!tooltip_) return;
  SendMessageW(tooltip_.get(), TTM_ACTIVATE, FALSE, 0);
  SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0,
               scaleForDpi(kTooltipMaxWidth, static_cast<int>(dpi_)));
}

void IconButton::setIconAlignment(int alignment) {
  if (alignment < kIconLeft || alignment > kIconRight) return;
  iconAlignment_ = alignment;
  repaint();
}

LRESULT IconButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Each press of a double-click is a press of its own, and so a click of its own.
  if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
  if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
    relayToTooltip(message, wParam, lParam);
  }

  switch (message) {
    case WM_MOUSEMOVE: {
      const LRESULT result = callPreviousProc(message, wParam, lParam);
      trackHover(wParam);
      return result;
    }
    case WM_KILLFOCUS:
    case WM_CANCELMODE: {
      const LRESULT result = callPreviousProc(message, wParam, lParam);
      leaveHotState();
      return result;
    }
    case WM_ENABLE: {
      const LRESULT result = callPreviousProc(message, wParam, lParam);
      if (!wParam) leaveHotState();
      return result;
    }
    case WM_ACTIVATE: {
      const LRESULT result = callPreviousProc(message, wParam, lParam);
      if (LOWORD(wParam) == WA_INACTIVE) leaveHotState();
      return result;
    }
    case WM_CAPTURECHANGED:
      onCaptureChanged(reinterpret_cast<HWND>(lParam));
      return callPreviousProc(message, wParam, lParam);
    case kReflectedDrawItem:
      if (lParam) paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kReflectedCtlColorBtn:
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    default:
      return callPreviousProc(message, wParam, lParam);
  }
}

void IconButton::onFinalMessage(HWND /*window*/) {
  // The tooltip belongs to the dialog, not to the button; it has no use without it.
  tooltip_.reset();
  state_.hot = false;
}

void IconButton::relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  relayMouseToTooltip(tooltip_.get(), hwnd(), message, wParam, lParam);
}

// While the pointer rests on the button, the button holds the mouse capture and so sees
// the first move that lands on another window.
void IconButton::trackHover(WPARAM keys) {
  const bool leftHeld = (keys & MK_LBUTTON) != 0;
  // A press dragged in from elsewhere does not light the button.
  if (leftHeld && !state_.hot) return;
  if (!state_.flat) return;

  HWND window = hwnd();
  if (GetCapture() != window) {
    if (GetActiveWindow() && GetParent(window) && IsWindowEnabled(window)) {
      state_.hot = true;
      SetCapture(window);
      repaint();
    }
    return;
  }

  const DWORD position = GetMessagePos();
  HWND under = WindowFromPoint({GET_X_LPARAM(position), GET_Y_LPARAM(position)});
  if (!under || under == window) return;
  if (state_.hot) {
    state_.hot = false;
    repaint();
  }
  // With the left button down the system button keeps the capture to finish the press.
  if (!leftHeld) ReleaseCapture();
}

void IconButton::leaveHotState() {
  if (!state_.flat || !state_.hot) return;
  state_.hot = false;
  repaint();
}

// Another window took the capture: the button stays lit until the next move tells where
// the pointer is, but it does not release a capture that is no longer its own.
void IconButton::onCaptureChanged(HWND newCapture) {
  if (!state_.hot || newCapture == hwnd()) return;
  repaint();
}

void IconButton::repaint() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void IconButton::redrawNow() {
  if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void IconButton::paint(const DRAWITEMSTRUCT& item) {
  state_.pressed = (item.itemState & ODS_SELECTED) != 0;
  state_.focused = (item.itemState & ODS_FOCUS) != 0;
  state_.disabled = (item.itemState & ODS_DISABLED) != 0;

  HDC dc = item.hDC;
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const bool active = state_.hot || state_.pressed;
  fillSolid(dc, item.rcItem, active ? colours_.activeBack : colours_.normalBack);
  drawFrame(dc, item.rcItem);
  drawIcon(dc, item.rcItem);
  SetBkMode(dc, previousMode);
}

void IconButton::drawFrame(HDC dc, const RECT& rect) const {
  if (!state_.flat || !state_.drawBorder) return;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (state_.pressed) {
    drawThinFrame(dc, rect, shadow, highlight);
  } else if (state_.hot) {
    drawThinFrame(dc, rect, highlight, shadow);
  }
}

void IconButton::drawIcon(HDC dc, const RECT& rect) const {
  const bool useIn = state_.hot || state_.pressed || !outIcon_.icon;
  const Icon& icon = useIn ? inIcon_ : outIcon_;
  if (!icon.icon) return;

  int left = rect.left + halfRoundedDown(rect.right - rect.left - icon.size.cx);
  int top = rect.top + halfRoundedDown(rect.bottom - rect.top - icon.size.cy);
  if (state_.pressed) {
    // The pressed icon moves down and right by a pixel at 96 DPI.
    const int shift = scaleForDpi(1, static_cast<int>(dpi_));
    left += shift;
    top += shift;
  }
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.icon.get()), 0, left, top,
             icon.size.cx, icon.size.cy, DST_ICON | (state_.disabled ? DSS_DISABLED : DSS_NORMAL));
}

}  // namespace quizmora
