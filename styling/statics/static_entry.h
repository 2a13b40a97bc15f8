#pragma once
// The entry of one styled static control in the static list of its dialog's style record.

#include <windows.h>

#include <cstdint>
#include <string>

#include "styling/records/look_cache.h"

// What a static shows.
enum StaticKind : std::int32_t {
  StaticTextKind = 1,
  StaticBitmapKind = 2,
  StaticIconKind = 3,
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
  std::string fontName;  // "宋体" when the font has none
  std::int32_t fontSize = 0;
  std::int32_t fontStyle = 0;
  std::int32_t spare1 = 0;  // two words that nothing reads yet
  std::int32_t spare2 = 0;
  std::int32_t addedWidth = 0;  // what the installer widened a text static by
  LookCache looks;              // finished looks of text and icon statics
};
