#include "controls/dialog_resizer.h"

#include "controls/dpi_scale.h"
#include "controls/window_dpi.h"
#include "resources/resource_ids.h"

namespace quizmora {
namespace {

constexpr DWORD kGripStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP |
                             SBS_SIZEBOXBOTTOMRIGHTALIGN;

bool isGroupBox(HWND control) {
  wchar_t className[16] = {};
  if (!GetClassNameW(control, className, 16) || lstrcmpiW(className, L"Button") != 0) {
    return false;
  }
  return (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// With WS_CLIPCHILDREN the dialog no longer paints under its group boxes, which only draw
// their frame and caption; marked transparent they are left out of the clipping again.
BOOL CALLBACK markGroupBoxTransparent(HWND control, LPARAM dialog) {
  if (GetParent(control) != reinterpret_cast<HWND>(dialog) || !isGroupBox(control)) return TRUE;
  const LONG exStyle = GetWindowLongW(control, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_TRANSPARENT)) {
    SetWindowLongW(control, GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
  }
  return TRUE;
}

}  // namespace

void DialogResizer::setup(HWND dialog, const ResizeRule* rules) {
  dialog_ = dialog;
  makeResizable();

  entries_.clear();
  RECT client{};
  GetClientRect(dialog_, &client);
  clientSize_ = {client.right - client.left, client.bottom - client.top};

  addGrip();
  for (const ResizeRule* rule = rules; rule && rule->controlId != -1; ++rule) {
    addControl(rule->controlId, rule->flags);
  }

  RECT window{};
  GetWindowRect(dialog_, &window);
  minTrackSize_ = {window.right - window.left, window.bottom - window.top};
  setUpMinTrackSize_ = minTrackSize_;
  setUpClientSize_ = clientSize_;
  setUpRects_.clear();
  for (const ResizeEntry& entry : entries_) setUpRects_.push_back(entry.original);
}

void DialogResizer::makeResizable() const {
  const LONG style = GetWindowLongW(dialog_, GWL_STYLE);
  constexpr LONG kNeeded = WS_THICKFRAME | WS_CLIPCHILDREN;
  if ((style & kNeeded) == kNeeded) return;
  SetWindowLongW(dialog_, GWL_STYLE, style | kNeeded);
  EnumChildWindows(dialog_, &markGroupBoxTransparent, reinterpret_cast<LPARAM>(dialog_));
  // Let the sizing border take its place now, so the client size recorded next is the one
  // every later WM_SIZE is measured against.
  SetWindowPos(dialog_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogResizer::addGrip() {
  // A grip left by an earlier set-up is taken over rather than doubled.
  HWND grip = GetDlgItem(dialog_, IDC_SIZE_GRIP);
  if (!grip) {
    grip = CreateWindowExW(
        0, L"SCROLLBAR", nullptr, kGripStyle, 0, 0, clientSize_.cx, clientSize_.cy, dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SIZE_GRIP)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE)), nullptr);
  }
  hasGrip_ = grip != nullptr;
  if (!hasGrip_) return;
  fitGripToDpi(grip);
  addControl(IDC_SIZE_GRIP, kResizeGripFlags);
}

// The scroll bar sizes its grip by the screen's metrics; a window on a display of another
// DPI gets it at its own, still in the bottom-right corner.
void DialogResizer::fitGripToDpi(HWND grip) const {
  const int system = static_cast<int>(systemDpi());
  const int dpi = static_cast<int>(windowDpi(dialog_));
  if (dpi == system) return;
  LayoutRect rect;
  if (!controlRect(grip, rect)) return;
  const int width = rescalePixels(rect.width(), system, dpi);
  const int height = rescalePixels(rect.height(), system, dpi);
  SetWindowPos(grip, nullptr, clientSize_.cx - width, clientSize_.cy - height, width, height,
               SWP_NOACTIVATE | SWP_NOZORDER);
}

void DialogResizer::addControl(int controlId, std::uint32_t flags) {
  LayoutRect rect;
  if (!controlRect(GetDlgItem(dialog_, controlId), rect)) return;
  entries_.push_back({controlId, flags, rect});
}

bool DialogResizer::controlRect(HWND control, LayoutRect& rect) const {
  RECT window{};
  if (!control || !GetWindowRect(control, &window)) return false;
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&window), 2);
  rect = {window.left, window.top, window.right, window.bottom};
  return true;
}

LRESULT DialogResizer::onSize(WPARAM sizeType, LPARAM clientSize) {
  if (!dialog_) return 0;
  if (sizeType == SIZE_MINIMIZED) return 0;
  if (hasGrip_) {
    if (HWND grip = GetDlgItem(dialog_, IDC_SIZE_GRIP)) {
      if (sizeType == SIZE_MAXIMIZED) ShowWindow(grip, SW_HIDE);
      if (sizeType == SIZE_RESTORED) ShowWindow(grip, SW_SHOW);
    }
  }

  const int dx = LOWORD(clientSize) - clientSize_.cx;
  const int dy = HIWORD(clientSize) - clientSize_.cy;
  // WM_SETREDRAW with TRUE also sets WS_VISIBLE: a dialog that is still hidden (sized while
  // it is being set up) must stay hidden until it is shown.
  const bool visible = IsWindowVisible(dialog_) != FALSE;
  if (visible) SendMessageW(dialog_, WM_SETREDRAW, FALSE, 0);
  for (const ResizeEntry& entry : entries_) placeEntry(entry, dx, dy);
  if (!visible) return 0;
  SendMessageW(dialog_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(dialog_, nullptr, nullptr,
               RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return 0;
}

void DialogResizer::placeEntry(const ResizeEntry& entry, int dx, int dy) const {
  HWND control = GetDlgItem(dialog_, entry.controlId);
  LayoutRect current;
  if (!controlRect(control, current)) return;
  const ControlPlacement placement = placeControl(entry, current, dx, dy);
  if (placement.repaint) InvalidateRect(control, nullptr, TRUE);
  if (!placement.reposition) return;
  SetWindowPos(control, nullptr, placement.rect.left, placement.rect.top, placement.rect.width(),
               placement.rect.height(), SWP_NOACTIVATE | SWP_NOZORDER);
}

void DialogResizer::rescale(SIZE setUp, SIZE now) {
  auto x = [setUp, now](LONG value) { return rescalePixels(value, setUp.cx, now.cx); };
  auto y = [setUp, now](LONG value) { return rescalePixels(value, setUp.cy, now.cy); };
  for (std::size_t i = 0; i < entries_.size() && i < setUpRects_.size(); ++i) {
    const LayoutRect& r = setUpRects_[i];
    entries_[i].original = {x(r.left), y(r.top), x(r.right), y(r.bottom)};
  }
  clientSize_ = {x(setUpClientSize_.cx), y(setUpClientSize_.cy)};
  if (setUpMinTrackSize_.cx != -1) {
    minTrackSize_ = {x(setUpMinTrackSize_.cx), y(setUpMinTrackSize_.cy)};
  }
}

LRESULT DialogResizer::onGetMinMaxInfo(LPARAM minMaxInfo) {
  auto* info = reinterpret_cast<MINMAXINFO*>(minMaxInfo);
  if (!info || minTrackSize_.cx == -1 || minTrackSize_.cy == -1) return 0;
  info->ptMinTrackSize = {minTrackSize_.cx, minTrackSize_.cy};
  return 0;
}

}  // namespace quizmora
