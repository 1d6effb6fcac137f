#include "controls/hyper_link_label.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>

#include "app/app_module.h"
#include "app/shell_open.h"
#include "app/win_text.h"
#include "controls/hand_cursor.h"
#include "controls/window_dpi.h"
#include "controls/scoped_select_object.h"
#include "controls/tooltip_relay.h"
#include "dialogs/color_string.h"

namespace quizmora {
namespace {

const wchar_t kColorsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";
// The browser keeps colours as short texts; anything longer is not one.
constexpr DWORD kColorTextChars = 12;

HINSTANCE moduleInstance() {
  HINSTANCE instance = AppModule::instance().instanceHandle();
  return instance ? instance : GetModuleHandleW(nullptr);
}

bool isStaticClass(HWND window) {
  wchar_t name[8] = {};  // seven characters: enough to tell "static" from longer names
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return lstrcmpiW(name, L"static") == 0;
}

// Static types that show a picture or a plain shape rather than text.
bool staticDrawsNoText(DWORD type) {
  switch (type) {
    case SS_ICON:
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_OWNERDRAW:
    case SS_BITMAP:
    case SS_ENHMETAFILE:
      return true;
    default:
      return false;
  }
}

// A colour value of the key, when it is a text of at most 12 characters that parses.
std::optional<COLORREF> readColorValue(HKEY key, const wchar_t* name) {
  wchar_t text[kColorTextChars + 1] = {};
  DWORD type = 0;
  DWORD bytes = kColorTextChars * sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  // The stored text need not end with a terminator.
  text[bytes / sizeof(wchar_t)] = L'\0';
  const std::optional<RgbColor> color = parseColorString(fromWide(text));
  if (!color) return std::nullopt;
  return RGB(color->red, color->green, color->blue);
}

}  // namespace

void HyperLinkLabel::CursorDeleter::operator()(HCURSOR cursor) const {
  // A cursor still on the screen is put back to the arrow first, so that it can go.
  if (GetCursor() == cursor) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  DestroyCursor(cursor);
}

void HyperLinkLabel::WindowDeleter::operator()(HWND window) const {
  if (IsWindow(window)) DestroyWindow(window);
}

HyperLinkLabel::HyperLinkLabel() = default;

HyperLinkLabel::~HyperLinkLabel() {
  HWND window = hwnd();
  if (window && GetCapture() == window) ReleaseCapture();
  unsubclassWindow();
}

void HyperLinkLabel::setUrl(const std::u16string& url) {
  url_ = url;
  if (!label_) recomputeLinkRect();
  updateTooltipTool();
}

void HyperLinkLabel::setLabel(const std::u16string& label) {
  label_ = label;
  recomputeLinkRect();
}

void HyperLinkLabel::setOpener(Opener opener) { opener_ = std::move(opener); }

bool HyperLinkLabel::attach(HWND control) {
  if (!control || hwnd() || !subclassWindow(control)) return false;
  initialize();
  return true;
}

void HyperLinkLabel::initialize() {
  adoptStaticStyle();
  // The hand is as large as the system's cursors at the link's DPI (32 at 96 DPI).
  const hand_cursor::ScaledPlanes hand =
      hand_cursor::scaledPlanes(systemMetricForDpi(SM_CXCURSOR, windowDpi(hwnd())));
  cursor_.reset(CreateCursor(moduleInstance(), hand.hotSpotX, hand.hotSpotY, hand.size,
                             hand.size, hand.andPlane.data(), hand.xorPlane.data()));
  if (paintLabel_) createUnderlineFont();
  if (!label_) {
    std::u16string text = windowText(hwnd());
    if (!text.empty()) label_ = std::move(text);
  }
  if (!url_ && label_) url_ = label_;
  recomputeLinkRect();
  createTooltip();
  if (paintLabel_) readColorsFromRegistry();
}

// A static reports the mouse only with the notify style; one that shows a picture or a
// shape keeps painting itself.
void HyperLinkLabel::adoptStaticStyle() {
  HWND window = hwnd();
  if (!isStaticClass(window)) return;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (!(style & SS_NOTIFY)) SetWindowLongW(window, GWL_STYLE, style | SS_NOTIFY);
  const DWORD type = static_cast<DWORD>(style) & SS_TYPEMASK;
  if (staticDrawsNoText(type)) paintLabel_ = false;
  if (type == SS_CENTER || type == SS_RIGHT) alignmentStyle_ = type;
}

void HyperLinkLabel::createUnderlineFont() {
  HWND parent = GetParent(hwnd());
  auto font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  LOGFONTW description{};
  if (!font || GetObjectW(font, sizeof(description), &description) == 0) return;
  description.lfUnderline = TRUE;
  underlineFont_.reset(CreateFontIndirectW(&description));
}

void HyperLinkLabel::createTooltip() {
  tooltip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, moduleInstance(),
                                 nullptr));
  if (!tooltip_) return;
  SendMessageW(tooltip_.get(), TTM_ACTIVATE, TRUE, 0);
  // The tool is the link window, but only its text shows the address: beside a short text
  // the control is empty space, and a tip there would point at nothing.
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.rect = linkRect_;
  tool.lpszText = const_cast<wchar_t*>(url_ ? wideText(*url_) : L"");
  SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Keeps the tooltip's area and text in step with the link.
void HyperLinkLabel::updateTooltipTool() {
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.rect = linkRect_;
  SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.hinst = moduleInstance();
  tool.lpszText = const_cast<wchar_t*>(url_ ? wideText(*url_) : L"");
  SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperLinkLabel::readColorsFromRegistry() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kColorsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  if (auto color = readColorValue(key, L"Anchor Color")) linkColor_ = *color;
  if (auto color = readColorValue(key, L"Anchor Color Visited")) visitedColor_ = *color;
  RegCloseKey(key);
}

const std::u16string* HyperLinkLabel::shownText() const {
  if (label_) return &*label_;
  return url_ ? &*url_ : nullptr;
}

UINT HyperLinkLabel::alignmentFlags() const {
  const UINT alignment = alignmentStyle_ == SS_CENTER  ? DT_CENTER
                         : alignmentStyle_ == SS_RIGHT ? DT_RIGHT
                                                       : DT_LEFT;
  // An address may hold "&", which is text here, not a mnemonic.
  return DT_WORDBREAK | DT_NOPREFIX | alignment;
}

void HyperLinkLabel::recomputeLinkRect() {
  HWND window = hwnd();
  const std::u16string* text = shownText();
  if (!window || !text) return;
  RECT client{};
  GetClientRect(window, &client);
  linkRect_ = client;
  if (paintLabel_) {
    HDC dc = GetDC(window);
    {
      ScopedSelectObject font(dc, underlineFont_.get());
      DrawTextW(dc, wideText(*text), -1, &linkRect_, alignmentFlags() | DT_CALCRECT);
    }
    ReleaseDC(window, dc);
    const LONG freeWidth = (client.right - client.left) - (linkRect_.right - linkRect_.left);
    if (alignmentStyle_ == SS_CENTER) OffsetRect(&linkRect_, freeWidth / 2, 0);
    if (alignmentStyle_ == SS_RIGHT) OffsetRect(&linkRect_, freeWidth, 0);
  }
  updateTooltipTool();
}

bool HyperLinkLabel::navigate() {
  if (!url_) return false;
  const bool opened = opener_ ? opener_(*url_) : shellOpen(*url_);
  if (!opened) return false;
  visited_ = true;
  repaint();
  return true;
}

bool HyperLinkLabel::insideLink(POINT clientPoint) const {
  return PtInRect(&linkRect_, clientPoint) != FALSE;
}

bool HyperLinkLabel::pointerInsideLink() const {
  POINT pointer{};
  if (!GetCursorPos(&pointer) || !ScreenToClient(hwnd(), &pointer)) return false;
  return insideLink(pointer);
}

LRESULT HyperLinkLabel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
    relayToTooltip(message, wParam, lParam);
  }
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_ERASEBKGND:
      if (!paintLabel_) break;
      eraseBackground(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!paintLabel_) break;
      onPaintMessage(message, wParam, lParam);
      return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: {
      // The static draws its own text at once for these; the link's text goes back on top.
      const LRESULT result = callPreviousProc(message, wParam, lParam);
      if (paintLabel_) repaint();
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!paintLabel_) break;
      repaint();  // shows or hides the focus rectangle
      return 0;
    case WM_MOUSEMOVE:
      if (url_ && insideLink(point)) SetCursor(cursor_.get());
      break;
    case WM_SETCURSOR:
      if (!url_ || !pointerInsideLink()) break;
      SetCursor(cursor_.get());
      return TRUE;
    case WM_LBUTTONDOWN:
      if (!insideLink(point)) break;
      SetFocus(hwnd());
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() != hwnd()) break;
      ReleaseCapture();
      // Released away from the text: the author changed their mind.
      if (insideLink(point)) navigate();
      return 0;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_SPACE) navigate();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    default:
      break;
  }
  return callPreviousProc(message, wParam, lParam);
}

void HyperLinkLabel::onFinalMessage(HWND /*window*/) { tooltip_.reset(); }

void HyperLinkLabel::relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
  relayMouseToTooltip(tooltip_.get(), hwnd(), message, wParam, lParam);
}

void HyperLinkLabel::eraseBackground(HDC dc) {
  HWND window = hwnd();
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(window)));
  if (!brush) return;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
}

void HyperLinkLabel::onPaintMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HDC given = reinterpret_cast<HDC>(wParam);
  if (given) {
    if (message == WM_PRINTCLIENT && (lParam & PRF_ERASEBKGND)) eraseBackground(given);
    paint(given);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(hwnd(), &ps);
  if (dc) paint(dc);
  EndPaint(hwnd(), &ps);
}

void HyperLinkLabel::paint(HDC dc) {
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColor = SetTextColor(dc, visited_ ? visitedColor_ : linkColor_);
  if (const std::u16string* text = shownText()) {
    ScopedSelectObject font(dc, underlineFont_.get());
    RECT rect = linkRect_;
    DrawTextW(dc, wideText(*text), -1, &rect, alignmentFlags());
  }
  if (GetFocus() == hwnd()) DrawFocusRect(dc, &linkRect_);
  SetTextColor(dc, previousColor);
  SetBkMode(dc, previousMode);
}

void HyperLinkLabel::repaint() {
  if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace quizmora
