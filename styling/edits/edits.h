#pragma once
// Edit controls of a styled dialog: a flat frame with an accent border under the pointer and
// while focused, and emulated scroll bars over the system ones.

#include <windows.h>

#include <optional>

// Styles every "Edit" child of the parent (a cover over each scroll bar it has), then, in a
// second pass, every "ComboBox" child. A control already listed is left alone; nothing happens
// while StylingEnabled is false.
void InstallEditControls(int styleIndex, HWND parentWindow);

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints the edit's non-client frame at once, into the DC given (its origin at the window's)
// or else its window DC; a state not given is taken from its record. False when the edit is not
// styled or has no styled owner to take a background from.
bool PaintEditFrame(HWND window, std::optional<bool> focused = {}, std::optional<bool> hovered = {},
                    HDC dc = nullptr);
