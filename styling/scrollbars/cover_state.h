#pragma once
// What a cover keeps between paints, shared by the cover code and its painter.

#include <windows.h>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbars.h"

// Indices into CoverState::parts.
enum CoverRect : int { FirstArrowRect = 0, SecondArrowRect = 1, ThumbRect = 2 };

// Owned by the cover window (a property), freed on its WM_NCDESTROY.
struct CoverState {
  RECT parts[3]{};                        // cover coordinates, rewritten by every paint
  ScrollBarPart hover = NoScrollBarPart;  // the part shown in its hover look
  LookKey shown;                          // what the cover shows now
  LookCache looks;
  bool closing = false;  // WM_DESTROY has come: it is on its way out
  DpiScale scale;        // of the cover's window: read when it is made and when its DPI changes
};

// nullptr for a window that is not a cover.
CoverState* StateOfCover(HWND cover);

// GetScrollBarInfo of the target's bar of that orientation (all 0 when it has none).
SCROLLBARINFO ReadScrollBarInfo(HWND target, ScrollBarOrientation orientation);

// Everything the cover's look depends on.
LookKey CoverLookKey(HWND cover, ScrollBarOrientation orientation, ScrollBarPart hover);

// Paints the cover into `dc` (its own DC when null), from its kept looks when it can.
void PaintCover(HWND cover, ScrollBarOrientation orientation, HDC dc, ScrollBarPart hover);
