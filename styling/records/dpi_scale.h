#pragma once
// Every size the engine draws is given in pixels at 96 DPI and scaled here to the DPI of the
// window it is drawn for, so a family never reads the DPI itself.
//   DpiScale scale = ScaleOf(window);
//   int band = scale(28);              // a length
//   float pen = scale.Of(1.5f);        // a GDI+ width
// Scaling at 96 DPI returns its argument unchanged, so nothing moves by a pixel there.

#include <windows.h>

inline constexpr UINT BaseDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 1607 and later, Wine),
// the LOGPIXELSX of the window's DC otherwise; BaseDpi for no window.
UINT DpiOfWindow(HWND window);

// `pixels` at 96 DPI at `dpi`, rounded as the system rounds dialog sizes (MulDiv).
inline int ScaleToDpi(int pixels, UINT dpi) {
  return dpi == BaseDpi ? pixels : MulDiv(pixels, static_cast<int>(dpi), BaseDpi);
}

struct DpiScale {
  UINT dpi = BaseDpi;
  int operator()(int pixels) const { return ScaleToDpi(pixels, dpi); }
  float Of(float pixels) const {
    return dpi == BaseDpi ? pixels : pixels * static_cast<float>(dpi) / BaseDpi;
  }
  // A line `pixels` wide at 96 DPI in whole pixels, so that it stays sharp: a GDI+ pen width.
  float Line(int pixels = 1) const { return static_cast<float>((*this)(pixels)); }
  bool IsBase() const { return dpi == BaseDpi; }
};

inline DpiScale ScaleOf(HWND window) { return DpiScale{DpiOfWindow(window)}; }

// Whether the message tells a window that its DPI has changed: WM_DPICHANGED comes to a
// top-level window, WM_DPICHANGED_AFTERPARENT to each child once its parent has been laid out
// anew. A control keeps its scale in its entry, read where it is installed and again on these
// messages (no system call per paint), and its look's key holds scale.dpi, so that a look kept
// at one DPI is never shown at another. Strokes and arrow glyphs at a scale:
// styling/records/scaled_paint.h.
inline constexpr UINT DpiChangedMessage = 0x02E0;             // WM_DPICHANGED
inline constexpr UINT DpiChangedAfterParentMessage = 0x02E3;  // WM_DPICHANGED_AFTERPARENT
inline bool TellsDpiChange(UINT message) {
  return message == DpiChangedMessage || message == DpiChangedAfterParentMessage;
}

// A system metric as the system gives it at `dpi`: GetSystemMetricsForDpi where the system has
// it (Windows 10 1607 and later, Wine), GetSystemMetrics otherwise.
int SystemMetricForDpi(int index, UINT dpi);
