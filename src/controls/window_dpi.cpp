#include "controls/window_dpi.h"

#include "controls/dpi_scale.h"

namespace quizmora {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

// DIALOG_DPI_CHANGE_BEHAVIORS: the dialog manager leaves the layout alone.
constexpr int kDialogDpiChangeDisableAll = 0x0001;

template <typename Function>
Function user32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

struct DpiFunctions {
  GetDpiForWindowFn getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  GetSystemMetricsForDpiFn getSystemMetricsForDpi =
      user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  SetDialogDpiChangeBehaviorFn setDialogDpiChangeBehavior =
      user32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
};

const DpiFunctions& dpiFunctions() {
  static const DpiFunctions functions;
  return functions;
}

}  // namespace

UINT systemDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kDefaultDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT windowDpi(HWND window) {
  if (window && dpiFunctions().getDpiForWindow) {
    const UINT dpi = dpiFunctions().getDpiForWindow(window);
    if (dpi > 0) return dpi;
  }
  return systemDpi();
}

int systemMetricForDpi(int index, UINT dpi) {
  if (dpiFunctions().getSystemMetricsForDpi) {
    return dpiFunctions().getSystemMetricsForDpi(index, dpi);
  }
  return rescalePixels(GetSystemMetrics(index), static_cast<int>(systemDpi()),
                       static_cast<int>(dpi));
}

void keepDialogDpiLayoutOwn(HWND dialog) {
  if (dialog && dpiFunctions().setDialogDpiChangeBehavior) {
    dpiFunctions().setDialogDpiChangeBehavior(dialog, kDialogDpiChangeDisableAll,
                                              kDialogDpiChangeDisableAll);
  }
}

}  // namespace quizmora
