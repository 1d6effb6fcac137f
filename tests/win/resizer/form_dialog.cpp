#include "form_dialog.h"

#include <commctrl.h>

#include "common/message_pump.h"
#include "dialog_template.h"

namespace quizmora::test {
namespace {

constexpr DWORD kIconButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kMultiLineEdit = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL |
                                 WS_HSCROLL | WS_BORDER | WS_TABSTOP;

// The main window's template: group boxes plain, as a resource compiler leaves them.
DialogTemplate makeFormTemplate() {
  DialogTemplate form(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 312,
                      289, L"QuizmoraBuilder");
  using T = DialogTemplate;
  form.addControl(1010, T::kButton, L"", kIconButton | WS_DISABLED, 0, 2, 17, 14);
  form.addControl(1011, T::kButton, L"", kIconButton | WS_DISABLED, 17, 2, 17, 14);
  form.addControl(1014, T::kButton, L"", kIconButton | WS_DISABLED, 39, 2, 17, 14);
  form.addControl(1024, T::kButton, L"", kIconButton | WS_DISABLED, 57, 2, 17, 14);
  form.addControl(1016, T::kButton, L"", kIconButton | WS_DISABLED, 75, 2, 17, 14);
  form.addControl(1015, T::kButton, L"", kIconButton, 97, 2, 17, 14);
  form.addControl(1017, T::kButton, L"", kIconButton | WS_DISABLED, 115, 2, 17, 14);
  form.addControl(1018, T::kButton, L"", kIconButton | WS_DISABLED, 133, 2, 17, 14);
  form.addControl(1022, T::kStatic, L"Question", SS_LEFT, 240, 5, 29, 8);
  form.addControl(1019, T::kEdit, L"", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 270, 2,
                  20, 14);
  form.addControl(1021, T::kButton, L"", kIconButton, 291, 2, 17, 14);
  form.addControl(1002, T::kButton, L"New Question", BS_GROUPBOX, 3, 16, 308, 245);
  form.addControl(1003, T::kEdit, L"", kMultiLineEdit, 9, 26, 297, 64);
  form.addControl(1004, T::kButton, L"Type", BS_GROUPBOX, 9, 94, 298, 32);
  form.addControl(1005, T::kButton, L"Only One Choice", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
                  19, 107, 69, 10);
  form.addControl(1006, T::kButton, L"Multiple Choices", BS_AUTORADIOBUTTON, 127, 107, 67, 10);
  form.addControl(1025, T::kButton, L"Flash Card", BS_AUTORADIOBUTTON, 224, 107, 49, 10);
  form.addControl(1007, T::kButton, L"Answer(s)", BS_GROUPBOX, 9, 128, 297, 129);
  form.addControl(1012, T::kButton, L"", kIconButton | WS_GROUP, 15, 139, 17, 14);
  form.addControl(1008, T::kEdit, L"", kMultiLineEdit, 41, 139, 261, 56);
  form.addControl(1013, T::kButton, L"", kIconButton, 15, 198, 17, 14);
  form.addControl(1009, WC_LISTVIEWW, L"",
                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 41, 198,
                  261, 55);
  form.addControl(1000, T::kStatic, L"", SS_LEFT | SS_SUNKEN, 1, 263, 233, 13);
  form.addControl(1001, T::kStatic, L"", SS_LEFT | SS_SUNKEN, 237, 263, 65, 13);
  return form;
}

// A small icon with a white page and a coloured band, so each button shows something.
HICON makeButtonIcon(COLORREF band) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, colour);
  auto fill = [dc](RECT rect, COLORREF value) {
    SetBkColor(dc, value);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  };
  fill({0, 0, 16, 16}, RGB(0, 0, 0));
  fill({3, 1, 13, 15}, RGB(255, 255, 255));
  fill({3, 6, 13, 10}, band);
  SelectObject(dc, previous);
  DeleteDC(dc);
  // Transparent outside the page: mask bits set, most significant bit leftmost.
  WORD maskBits[16];
  for (int row = 0; row < 16; ++row) {
    const WORD opaque = (row >= 1 && row < 15) ? 0x1FF8 : 0x0000;  // columns 3..12
    const WORD bits = static_cast<WORD>(~opaque);
    maskBits[row] = static_cast<WORD>((bits >> 8) | (bits << 8));  // bytes in screen order
  }
  HBITMAP maskBitmap = CreateBitmap(16, 16, 1, 1, maskBits);
  ICONINFO info{TRUE, 0, 0, maskBitmap, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(maskBitmap);
  return icon;
}

}  // namespace

FormDialog::FormDialog(const ResizeRule* rules) : rules_(rules) {
  const DialogTemplate form = makeFormTemplate();
  window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), form.get(), nullptr,
                                       &FormDialog::dialogProc, reinterpret_cast<LPARAM>(this));
  if (window_) SetWindowPos(window_, nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

FormDialog::~FormDialog() {
  if (IsWindow(window_)) DestroyWindow(window_);
  pumpMessages();
  buttons_.clear();
}

RECT FormDialog::itemRect(int id) const {
  RECT rect{};
  GetWindowRect(item(id), &rect);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE FormDialog::clientSize() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

void FormDialog::show() const {
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  UpdateWindow(window_);
  pumpFor(100);
}

void FormDialog::attachButtons() {
  const COLORREF bands[] = {RGB(0, 160, 200), RGB(200, 40, 40), RGB(40, 80, 200)};
  int index = 0;
  for (int id : {1011, 1010, 1012, 1013, 1014, 1024, 1016, 1015, 1017, 1018, 1021}) {
    auto button = std::make_unique<IconButton>();
    if (!button->attach(item(id))) continue;
    button->adoptIcons(makeButtonIcon(bands[index++ % 3]), nullptr);
    button->setTooltipText(L"Icon button", true);
    button->setIconAlignment(IconButton::kIconAbove);
    buttons_.push_back(std::move(button));
  }
}

INT_PTR CALLBACK FormDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<FormDialog*>(lParam)->window_ = window;
  }
  auto* self = reinterpret_cast<FormDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  LRESULT result = 0;
  if (!self->handle(message, wParam, lParam, result)) return FALSE;
  if (message == WM_INITDIALOG) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

bool FormDialog::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      attachButtons();
      resizer_.setup(window_, rules_);
      result = TRUE;
      return true;
    case WM_SIZE:
      result = resizer_.onSize(wParam, lParam);
      return true;
    case WM_GETMINMAXINFO:
      result = resizer_.onGetMinMaxInfo(lParam);
      return true;
    case WM_DRAWITEM:
      result = SendMessageW(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem,
                            message + kReflectedMessageBase, wParam, lParam);
      return true;
    case WM_CTLCOLORBTN:
      result = SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectedMessageBase, wParam,
                            lParam);
      return true;
    default:
      return false;
  }
}

}  // namespace quizmora::test
