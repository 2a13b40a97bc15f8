#pragma once
// Pieces of the window procedures of controls that the engine paints whole (track bars,
// progress bars, up-down controls, headers): the system's own drawing never reaches the screen.

#include <windows.h>

#include "styling/records/records.h"

// Where a styled control's procedure finds itself: its record ("Hw_FuID") and its entry
// position ("Hw_lbID").
struct ControlPlace {
  int styleIndex = 0;
  int position = 0;
};
inline ControlPlace PlaceOf(HWND control) {
  return {static_cast<int>(ReadProperty(control, StyleIndexProperty)),
          static_cast<int>(ReadProperty(control, EntryIndexProperty))};
}

// WM_PAINT: validates the window around paint(); the system's painting is never asked for.
template <typename Paint>
LRESULT PaintInsteadOfSystem(HWND control, WPARAM wParam, LPARAM lParam, Paint&& paint) {
  PAINTSTRUCT ps{};
  BeginPaint(control, &ps);
  paint();
  EndPaint(control, &ps);
  return DefWindowProcA(control, WM_PAINT, wParam, lParam);
}

// Passes the message on, then paints the styled look at once: the system may answer the
// message by drawing the control itself there and then, outside WM_PAINT.
template <typename Paint>
LRESULT ForwardThenPaint(HWND control, UINT message, WPARAM wParam, LPARAM lParam, Paint&& paint) {
  LRESULT result = ForwardMessage(control, message, wParam, lParam);
  paint();
  return result;
}
