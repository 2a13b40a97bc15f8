#pragma once
// The entries of styled toolbars and of containers (windows whose own children are styled
// like a dialog's) in their dialog's style record.

#include <windows.h>

#include <cstdint>
#include <string>

#include "styling/records/dpi_scale.h"
#include "styling/records/look_cache.h"

struct ToolbarEntry {
  HWND window = nullptr;        // 0 in the blank entry
  WNDPROC priorProc = nullptr;  // the toolbar's own procedure, also in "Kj_hProc"
  std::string fontName;         // "宋体" when the font has none
  std::int32_t fontSize = 0;    // em size; 12 when the font reports 0
  std::int32_t fontStyle = 0;   // GDI+ style bits
  DpiScale scale;               // the toolbar's: read at install and when its DPI changes
  LookCache looks;              // finished looks of the whole toolbar
};

struct ContainerEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;  // the procedure ContainerWndProc replaced, also in "Hw_hProc"
  // The overlay a background canvas would lay over the plain copy: none for toolbars.
  COLORREF fillColour = 0;
  std::int32_t opacity = 0;
};
