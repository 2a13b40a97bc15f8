#pragma once
// The entry of one styled up-down control in the up-down list of its dialog's style record.

#include <windows.h>

#include <cstdint>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"

struct UpDownEntry {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
  std::int32_t hovered = 0;  // 1 after the pointer entered, 0 after it left
  std::int32_t hotHalf = 0;  // half under the pointer at the last hover repaint: 0 first, 1 second
  std::int32_t pressed = 0;  // 1 between WM_LBUTTONDOWN and WM_LBUTTONUP
  std::int32_t horizontal = 0;  // UDS_HORZ
  LPARAM lastPoint = 0;         // of the last WM_LBUTTONDOWN or WM_LBUTTONUP
  DpiScale scale;               // the control's: read at install and when its DPI changes
  LookCache looks;
};
