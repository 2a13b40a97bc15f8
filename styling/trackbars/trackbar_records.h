#pragma once
// The entries of styled track bars and progress bars in their lists of a style record.

#include <windows.h>

#include <cstdint>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"

// Where the thumb sits against the ticks, from the style at install time.
enum TickMode : std::int32_t {
  TicksTopOrLeft = 0,  // TBS_TOP / TBS_LEFT
  TicksBottomOrRight = 1,
  TicksBoth = 2,  // TBS_BOTH
  TicksNone = 3,  // TBS_NOTICKS
};

struct TrackBarRecord {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
  std::int32_t vertical = 0;  // TBS_VERT
  std::int32_t tickMode = TicksBottomOrRight;
  std::int32_t hovered = 0;         // the pointer is over the control: the larger thumb
  std::int32_t selectionRange = 0;  // TBS_ENABLESELRANGE
  DpiScale scale;                   // the control's: read at install and when its DPI changes
  LookCache looks;
};

struct ProgressRecord {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
  std::int32_t vertical = 0;  // PBS_VERTICAL
  DpiScale scale;             // the control's: read at install and when its DPI changes
  LookCache looks;
};
