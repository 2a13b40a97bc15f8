#pragma once
// The entry of one styled list-type control (list box, a simple combo box's list, list view,
// tree view, IP-address field, date-time picker) in the list family of its dialog's record.

#include <windows.h>

#include <cstdint>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"
#include "styling/scrollbars/scrollbars.h"

struct ListEntry {
  HWND window = nullptr;        // 0 in the blank entry
  WNDPROC priorProc = nullptr;  // the replaced procedure, also in "Hw_hProc"
  std::int32_t focused = 0;     // 1 between WM_SETFOCUS and WM_KILLFOCUS
  std::int32_t hovered = 0;     // 1 while the pointer is over the control
  std::int32_t pressed = 0;     // 1 while an arrow key is held down
  ScrollBarCovers covers;       // emulated bars (they keep their own part rectangles)
  DpiScale scale;               // the control's: read at install and when its DPI changes
  LookCache looks;              // the frame's finished looks
};
