#pragma once
// The entry of one styled tab control in the tab list of its dialog's style record.

#include <windows.h>

#include <vector>

#include "styling/records/control_text.h"
#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"

struct TabEntry {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
  int hotItem = -1;  // 0-based item under the pointer, -1 none
  // One caption per tab, each keeping its own layout; all in the control's font.
  std::vector<CaptionText> captions;
  DpiScale scale;  // the control's: read at install and when its DPI changes
  LookCache looks;
};
