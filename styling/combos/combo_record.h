#pragma once
// The entry of one styled combo box in the combo list of its dialog's style record.

#include <windows.h>

#include <cstdint>

#include "styling/records/look_cache.h"

struct ComboRecord {
  HWND window = nullptr;        // 0 in the blank entry
  WNDPROC priorProc = nullptr;  // the replaced procedure, also in "Hw_hProc"
  std::int32_t focused = 0;     // 1 between WM_SETFOCUS and WM_KILLFOCUS
  std::int32_t hovered = 0;     // 1 while the combo box holds the hover slot
  LookCache looks;              // finished looks
};
