#pragma once
// The entry of one styled header control in the header list of its dialog's style record.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"

struct HeaderEntry {
  HWND window = nullptr;  // 0 in the blank entry
  WNDPROC priorProc = nullptr;
  std::int32_t hovered = 0;         // the pointer is over the header
  std::int32_t hotItem = 0;         // 1-based item under the pointer, 0 none
  std::int32_t paintedHotItem = 0;  // hotItem at the last hover repaint
  std::int32_t clickable = 0;       // HDS_BUTTONS
  std::int32_t pressedItem = 0;     // 1-based item pressed with the left button, 0 none
  std::int32_t pressed = 0;         // 1 between WM_LBUTTONDOWN and WM_LBUTTONUP
  std::string fontName;
  std::int32_t fontSize = 0;
  std::int32_t fontStyle = 0;
  HIMAGELIST imageList = nullptr;  // HDM_GETIMAGELIST, read again at every paint
  DpiScale scale;                  // the header's: read at install and when its DPI changes
  LookCache looks;
};
