#pragma once
// List-type controls of a styled dialog: list boxes, the list of a simple combo box, list views,
// tree views, IP-address fields and date-time picker. They draw their own contents; the engine
// gives them a thin flat frame that follows focus and hover, and covers the real scroll bars of
// list boxes, list views and tree views with emulated ones.

#include <windows.h>

// Records the parent's direct children of the list-type classes, in this order: "ListBox",
// the "ComboLBox" list of each simple "ComboBox", "SysListView32" (not with style bit 0x10),
// "SysTreeView32", "SysIPAddress32", "SysDateTimePick32". List boxes, combo boxes' lists, list
// views and tree views get emulated scroll bars for the bars they have. Each control is
// subclassed with ListWndProc. A control already styled is left alone; nothing happens while
// StylingEnabled is false.
void InstallListControls(int styleIndex, HWND parent);

LRESULT CALLBACK ListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints the non-client frame of list entry `position` of record `styleIndex`: accent outline
// 2 pixels wide while hovered, 1 pixel while focused, faint black otherwise. A state whose
// "given" flag is false is taken from the entry. A combo box's list and a control without a
// frame of its own keep the system's look. Into the DC given (its origin at the window's), or
// else the window DC.
void PaintListFrame(int styleIndex, int position, bool hovered = false, bool hoverGiven = false,
                    bool focused = false, bool focusGiven = false, HDC dc = nullptr);

// Whether the control has a frame to restyle: WS_BORDER, or an extended style holding all bits
// of one of 0x100, 0x300, 0x200, 0x1 or 0x188.
bool HasFrame(HWND window);
