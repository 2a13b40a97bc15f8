#pragma once
// Scroll bar controls of a styled dialog: painted whole in the covers' look, by the covers'
// painter, with the bar the control's whole client area. Size boxes and grips are left alone.

#include <windows.h>

// Records every "ScrollBar" child of the parent that is a bar (not SBS_SIZEBOX or
// SBS_SIZEGRIP) in the record's scroll-bar list and subclasses it with ScrollBarControlProc.
// One already listed is left alone; nothing happens while StylingEnabled is false.
void InstallScrollBarControls(int styleIndex, HWND parent);

LRESULT CALLBACK ScrollBarControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
