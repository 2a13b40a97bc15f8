#pragma once
// Edit controls of a styled dialog: a flat frame with an accent border under the pointer and
// while focused, and emulated scroll bars over the system ones.

#include <windows.h>

#include <optional>

// Styles every "Edit" child of the parent (a cover over each scroll bar it has), then, in a
// second pass, every "ComboBox" child. A control already listed is left alone; nothing happens
// while StylingEnabled is false.
void InstallEditControls(int styleIndex, HWND parentWindow);

// The face of an edit that shows a value the user cannot change (read-only or disabled): nearer
// the frame's tone than an editable field's white, so it does not read as one, and still light
// enough for its text.
inline constexpr COLORREF ValueFaceColour = RGB(192, 192, 192);
bool ShowsValueOnly(HWND edit);

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints the edit's non-client frame at once (a value-only edit in its own face, with no
// accent for hover or focus), into the DC given (its origin at the window's)
// or else its window DC; a state not given is taken from its record. False when the edit is not
// styled or has no styled owner to take a background from.
bool PaintEditFrame(HWND window, std::optional<bool> focused = {}, std::optional<bool> hovered = {},
                    HDC dc = nullptr);
