#pragma once
// The keyboard cues of a window (its UI state, WM_QUERYUISTATE): focus looks and access-key
// underlines show once the user works a dialog with the keyboard (Tab, arrows, Alt) and stay
// hidden for mouse users, as on the system's own controls. Every family asks here, and draws
// its focus look with DrawFocusOutline.

#include <windows.h>

#include "styling/records/dpi_scale.h"

class Graphics;

// No UISF_HIDEFOCUS: focus looks are shown.
bool ShowsFocusCues(HWND window);
// No UISF_HIDEACCEL: the character after a caption's "&" is underlined.
bool ShowsAccelerators(HWND window);
// The window has the keyboard focus and its focus cues are shown.
bool ShowsFocusLook(HWND window);

// How the "&" marks of a caption are shown. The values are GDI+'s hotkey-prefix modes
// (StringFormat::SetHotkeyPrefix), for captions that GDI+ lays out itself.
enum class AccessKeyMode : int {
  None = 0,  // the text as it is, "&" included (SS_NOPREFIX, BTNS_NOPREFIX)
  Show = 1,  // "&x" drawn as "x" with the x underlined, "&&" as "&"
  Hide = 2,  // the same, nothing underlined
};

// The mode of a caption whose control shows access keys: Show while the window's UI state shows
// accelerators, else Hide. One WM_QUERYUISTATE: read it once a paint and pass it down.
AccessKeyMode CaptionAccessKeys(HWND window);

// The focus look of check boxes, radio buttons, track bars and toolbar buttons: the accent
// outline that edits, combo boxes and lists show when focused, rounded, just inside the area.
// Its corner and line are scaled to the control's DPI.
void DrawFocusOutline(Graphics& graphics, float x, float y, float width, float height,
                      DpiScale scale);
