#pragma once
// Tab controls of a styled window, in its dialogs and property sheets: the strip on the frame,
// each tab in the engine's look (the selected one in the accent colour, the one under the
// pointer brighter, the focused one outlined while the cues show, greyed when the control is
// disabled), image-list icons and captions with their access keys, and a soft border round the
// page area. Button tabs are drawn as rounded buttons without a border; several rows come as
// the control lays them out. A single row's scroll arrows (an up-down child) are styled by
// their own family.

#include <windows.h>

// Records every "SysTabControl32" child of the parent in the record's tab list and subclasses
// it with TabWndProc. A control already listed is left alone; nothing happens while
// StylingEnabled is false.
void InstallTabControls(int styleIndex, HWND parent);

LRESULT CALLBACK TabWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the styled tab control into the DC given (its origin at the client area's), or else
// through its own DC with its visible children and the visible siblings over it left out.
void PaintTabControl(HWND tab, HDC dc = nullptr);
