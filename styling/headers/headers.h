#pragma once
// Header controls of a styled dialog, stand-alone or inside a list view: item by item a pale
// accent gradient, hover and pressed looks for clickable headers, a soft divider, the item's
// icon and its text.

#include <windows.h>

#include <string>

// Records every "SysHeader32" child of the parent, then the header of every "SysListView32"
// child, in the record's header list and subclasses each with HeaderWndProc. A header already
// listed is left alone; nothing happens while StylingEnabled is false.
void InstallHeaders(int styleIndex, HWND parent);

LRESULT CALLBACK HeaderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The 1-based item whose rectangle holds the pointer's x (low word of lParam) at least 5
// pixels from either edge; 0 for none, so the zones beside each divider belong to no item.
int HitTestHeaderItem(int styleIndex, int position, LPARAM point);

// Width of the text in the font (GDI+ MeasureString), rounded down, plus 1.
int MeasureHeaderText(const std::string& text, const std::string& fontName, int fontSize,
                      int fontStyle);

// Paints every item into `dc`, or into the header's own DC when dc is 0. Nothing happens for
// a position outside the list.
void PaintHeader(int styleIndex, int position, HDC dc);
