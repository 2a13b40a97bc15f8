#pragma once
// The keyboard cues of a window (its UI state, WM_QUERYUISTATE): focus looks and access-key
// underlines show once the user works a dialog with the keyboard (Tab, arrows, Alt) and stay
// hidden for mouse users, as on the system's own controls. Every family asks here, and draws
// its focus look with DrawFocusOutline.

#include <windows.h>

class Graphics;

// No UISF_HIDEFOCUS: focus looks are shown.
bool ShowsFocusCues(HWND window);
// No UISF_HIDEACCEL: the character after a caption's "&" is underlined.
bool ShowsAccelerators(HWND window);
// The window has the keyboard focus and its focus cues are shown.
bool ShowsFocusLook(HWND window);

// The GDI+ hotkey-prefix mode (StringFormat::SetHotkeyPrefix) of a caption drawn for the
// window: 1 Show while it shows accelerators, else 2 Hide; "&&" is one "&" either way.
inline constexpr int HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2;
int CaptionHotkeyPrefix(HWND window);

// The focus look of check boxes, radio buttons, track bars and toolbar buttons: the accent
// outline that edits, combo boxes and lists show when focused, rounded, just inside the area.
void DrawFocusOutline(Graphics& graphics, float x, float y, float width, float height);
