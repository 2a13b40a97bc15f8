#pragma once
// The entry of one styled button (push button, check box or radio button) in the button list
// of its dialog's style record.

#include <windows.h>

#include <cstdint>
#include <string>

#include "styling/records/control_text.h"
#include "styling/records/look_cache.h"

// Which look a styled button gets.
enum ButtonKind : std::int32_t {
  PushButtonKind = 0,
  RadioButtonKind = 4,  // automatic radio button
  CheckBoxKind = 5,
  GroupBoxKind = 7,  // the system draws its border; the engine its caption
};

// Where the system puts a group box's parts: the band it clears for the caption (empty without a
// caption) and the row its border starts at, in client coordinates.
struct GroupBoxLayout {
  RECT captionBand{};
  int frameTop = 0;
};

struct ButtonRecord {
  HWND window = nullptr;        // 0 in the blank entry
  WNDPROC priorProc = nullptr;  // the replaced procedure, also in "Hw_hProc"
  std::int32_t kind = PushButtonKind;
  std::string text;          // caption, replaced on every WM_SETTEXT
  std::int32_t focused = 0;  // 1 between WM_SETFOCUS and WM_KILLFOCUS
  std::int32_t checked = 0;  // check state read at install time
  HWND parent = nullptr;     // the window given to the installer
  CaptionText caption;       // the caption's font (taken again on WM_SETFONT) and layout
  std::int32_t pressed = 0;  // 1 between WM_LBUTTONDOWN and WM_LBUTTONUP
  LookCache looks;           // finished looks per state, of whichever kind the button is
  // A group box's layout as the system makes it, and what it was measured from.
  LookKey groupBoxInputs;
  GroupBoxLayout groupBox;
};
