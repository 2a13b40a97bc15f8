#pragma once
// Drawing pieces shared by the frame, tab and button painters. They all draw into the
// painter's memory canvas; nothing here touches the screen.

#include <windows.h>

#include "skinlib/theme.h"

namespace skin {

// a moved toward b by percent (0 keeps a, 100 gives b).
COLORREF Mix(COLORREF a, COLORREF b, int percent);

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// Top to bottom gradient over the whole area.
void FillVertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);
// Style 1 ("glossy"): the upper half a lighter band of `top`, the lower half the plain
// gradient from `top` to `bottom`. Style 0: the plain gradient.
void FillFace(HDC dc, const RECT& area, COLORREF top, COLORREF bottom, int style);

// A face of the given style inside a rounded rectangle, framed `borderWidth` pixels wide.
void PaintRoundedBox(HDC dc, const RECT& box, int radius, COLORREF top, COLORREF bottom, int style,
                     COLORREF border, int borderWidth);

// Fills with the texture when `textured` and the theme has one, else with the colour. The
// pattern is laid so that its origin sits at `origin` (DC coordinates).
void FillGround(HDC dc, const RECT& area, POINT origin, bool textured, COLORREF colour);

// What lies behind a control: the top-level window's client background and, where a skinned
// tab control (its parent or a sibling below it) shows its page, that page.
void PaintBackdrop(HDC dc, HWND control, const RECT& area);

// A dotted focus frame in the given colour.
void DrawFocusBox(HDC dc, const RECT& box, COLORREF colour);

// Text in one colour, transparent background.
void DrawTextIn(HDC dc, const wchar_t* text, RECT box, COLORREF colour, HFONT font, UINT format);

}  // namespace skin
