#include "styling/records/look_paint.h"

#include "styling/records/records.h"

LookKey ControlLookKey(HWND control) {
  // The whole window's background: every area a painter takes of it lies within.
  RECT own{};
  GetWindowRect(control, &own);
  return BackgroundKey(control, RECT{0, 0, own.right - own.left, own.bottom - own.top});
}
