#pragma once
// The entry of one styled static control in the static list of its dialog's style record.

#include <windows.h>

#include <cstdint>
#include <string>

#include "styling/records/control_text.h"
#include "styling/records/look_cache.h"

// What a static shows.
enum StaticKind : std::int32_t {
  StaticTextKind = 1,
  StaticBitmapKind = 2,
  StaticIconKind = 3,
  // Frames, rectangles, etched lines, owner-drawn statics and metafiles: the control's own
  // procedure draws them over the background.
  StaticDrawnByItselfKind = 4,
};

// Where a bitmap or icon sits in the client area.
enum ImagePlacement : std::int32_t {
  PlaceTopLeft = 0,
  PlaceBottomRight = 1,
  PlaceCentred = 2,
  PlaceStretched = 3,
};

struct StaticEntry {
  HWND window = nullptr;  // 0 in the blank entry
  std::int32_t placement = PlaceTopLeft;
  std::int32_t kind = 0;  // StaticKind
  WNDPROC priorProc = nullptr;
  CaptionText caption;      // the text's font (the parent's when it has none) and layout
  std::int32_t spare1 = 0;  // two words that nothing reads yet
  std::int32_t spare2 = 0;
  std::int32_t addedWidth = 0;  // what the installer widened a text static by
  LookCache looks;              // finished looks of text and icon statics
};
