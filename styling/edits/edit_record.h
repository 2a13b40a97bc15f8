#pragma once
// The entry of one styled edit control in the edit list of its dialog's style record.

#include <windows.h>

#include <cstdint>

#include "styling/records/look_cache.h"
#include "styling/scrollbars/scrollbars.h"

struct EditRecord {
  HWND window = nullptr;        // 0 in the blank entry
  WNDPROC priorProc = nullptr;  // the replaced procedure, also in "Hw_hProc"
  std::int32_t focused = 0;     // 1 between WM_SETFOCUS and WM_KILLFOCUS
  std::int32_t hovered = 0;     // 1 while the edit holds the hover slot
  std::int32_t pressed = 0;     // 1 between WM_LBUTTONDOWN and WM_LBUTTONUP
  ScrollBarCovers covers;       // one per scroll style the edit had when it was styled
  LookCache looks;              // finished frames
};
