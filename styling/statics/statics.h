#pragma once
// Static controls of a styled dialog: text with a soft white halo, bitmaps placed by their
// style, icons; statics with nothing to show are drawn by their own procedure over the
// dialog's background.

#include <windows.h>

#include "drawing/drawing_object.h"

class Graphics;

// The scale of the halo's blur: the text is shrunk by it and blown up again.
inline constexpr int HaloScale = 4;

// Records every "Static" child of the dialog in the record's static list, widens text statics
// by extraWidth to the right and subclasses each with StaticWndProc. A static already listed
// is left alone; nothing happens while StylingEnabled is false.
// A text static whose halo text needs more room than that (GDI+ lays text out wider and
// taller than the system's layout that sized it) grows to the room it needs; controls below
// it move down when it would reach them. Returns what the dialog must grow by beyond
// extraWidth so that the grown statics keep their margins (0 x 0 when every text fits).
SIZE InstallStatics(int styleIndex, HWND dialog, int extraWidth);

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints static `position` of record `styleIndex` over its background, in one copy: to the
// paint DC when WM_PAINT gives one, else to the control's own DC (children cut out of either).
void PaintStatic(int styleIndex, int position, HDC paintDc = nullptr);

// Draws text in black-on-glow style: a blurred halo of glowColour, then the text itself in
// textColour, both laid out in `layout`. Colours are GDI colours; a null family is "宋体".
void DrawHaloText(Graphics& target, const char* text, const RectF& layout, COLORREF textColour,
                  COLORREF glowColour, int scale = HaloScale, const char* family = nullptr,
                  int style = 0, float size = 12.0f, int horizontalAlign = 0, int lineAlign = 0,
                  bool wordWrap = true);

// The box that DrawHaloText's text takes in `layout` (same font, format and wrapping), as
// GDI+ measures it on `dc`: its padding (1/6 em on each side) holds the halo as well.
RectF MeasureHaloText(HDC dc, const char* text, const RectF& layout, const char* family = nullptr,
                      int style = 0, float size = 12.0f, int horizontalAlign = 0, int lineAlign = 0,
                      bool wordWrap = true);

// True when the text holds nothing but half-width and full-width spaces (or nothing at all).
bool IsBlankText(const char* text);
