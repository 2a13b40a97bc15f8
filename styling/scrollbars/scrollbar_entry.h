#pragma once
// The entry of one styled scroll bar control (class "ScrollBar") in the scroll-bar list of its
// dialog's record. What its look keeps between paints (part rectangles, the part under the
// pointer, finished looks) is the control's own cover state: it is painted as its own cover.

#include <windows.h>

struct ScrollBarEntry {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
};
