#pragma once
// Static controls of a styled dialog: text with a soft white halo, bitmaps placed by their
// style, icons; statics with nothing to show are drawn by their own procedure over the
// dialog's background.

#include <windows.h>

#include "drawing/drawing_object.h"
#include "styling/records/control_text.h"

class Graphics;

// The scale of the halo's blur: the text is shrunk by it and blown up again.
inline constexpr int HaloScale = 4;

// Records every "Static" child of the dialog in the record's static list, widens text statics
// by extraWidth to the right (room for the halo: their text keeps the lines the system gave it
// in the width it had) and subclasses each with StaticWndProc. A static already listed is left
// alone; nothing happens while StylingEnabled is false.
void InstallStatics(int styleIndex, HWND dialog, int extraWidth);

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints a styled static over its background, in one copy: to the paint DC when WM_PAINT gives
// one, else to the control's own DC. Nothing happens for a window that is not a styled static.
void PaintStatic(HWND window, HDC paintDc = nullptr);

// Draws laid-out text in black-on-glow style: a blurred halo of glowColour, then the text
// itself in textColour. The lines lie in the coordinates of `box`, whose size is the halo's;
// colours are GDI colours.
void DrawHaloText(Graphics& target, const TextLayout& layout, TextPen& pen, const RectF& box,
                  COLORREF textColour, COLORREF glowColour, int scale = HaloScale);

// True when the text holds nothing but half-width and full-width spaces (or nothing at all).
bool IsBlankText(const char* text);
