// The window's DPI, read once per call from the system (see dpi_scale.h).
#include "styling/records/dpi_scale.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: older systems have no GetDpiForWindow, and linking it would stop the
// program from loading there.
GetDpiForWindowFunction SystemGetDpiForWindow() {
  static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

UINT DpiOfScreen(HWND window) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return BaseDpi;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : BaseDpi;
}

}  // namespace

UINT DpiOfWindow(HWND window) {
  if (window == nullptr) return DpiOfScreen(nullptr);
  if (GetDpiForWindowFunction function = SystemGetDpiForWindow()) {
    const UINT dpi = function(window);
    if (dpi != 0) return dpi;
  }
  return DpiOfScreen(window);
}

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

GetSystemMetricsForDpiFunction SystemGetSystemMetricsForDpi() {
  static const auto function =
      reinterpret_cast<GetSystemMetricsForDpiFunction>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  return function;
}

}  // namespace

int SystemMetricForDpi(int index, UINT dpi) {
  if (GetSystemMetricsForDpiFunction function = SystemGetSystemMetricsForDpi()) {
    return function(index, dpi);
  }
  return GetSystemMetrics(index);
}
