#include "skinlib/paint.h"

#include "skinlib/gdi.h"
#include "skinlib/skin_windows.h"

namespace skin {

COLORREF Mix(COLORREF a, COLORREF b, int percent) {
  auto channel = [percent](int x, int y) { return x + (y - x) * percent / 100; };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &area, brush.get());
}

void FillVertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  TRIVERTEX vertices[2] = {
      {area.left, area.top, static_cast<COLOR16>(GetRValue(top) << 8),
       static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
      {area.right, area.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
       static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8),
       0}};
  GRADIENT_RECT rect = {0, 1};
  GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void FillFace(HDC dc, const RECT& area, COLORREF top, COLORREF bottom, int style) {
  if (style != 1) {
    FillVertical(dc, area, top, bottom);
    return;
  }
  const int middle = area.top + (area.bottom - area.top) / 2;
  const COLORREF white = RGB(255, 255, 255);
  FillVertical(dc, {area.left, area.top, area.right, middle}, Mix(top, white, 40),
               Mix(top, white, 12));
  FillVertical(dc, {area.left, middle, area.right, area.bottom}, top, bottom);
}

void PaintRoundedBox(HDC dc, const RECT& box, int radius, COLORREF top, COLORREF bottom, int style,
                     COLORREF border, int borderWidth) {
  GdiObject<HRGN> shape(radius > 0 ? CreateRoundRectRgn(box.left, box.top, box.right + 1,
                                                        box.bottom + 1, 2 * radius, 2 * radius)
                                   : CreateRectRgnIndirect(&box));
  if (!shape) return;
  SelectClipRgn(dc, shape.get());
  FillFace(dc, box, top, bottom, style);
  SelectClipRgn(dc, nullptr);
  GdiObject<HBRUSH> frame(CreateSolidBrush(border));
  if (frame && borderWidth > 0) FrameRgn(dc, shape.get(), frame.get(), borderWidth, borderWidth);
}

void FillGround(HDC dc, const RECT& area, POINT origin, bool textured, COLORREF colour) {
  const Theme* theme = CurrentTheme();
  if (!textured || !theme || !theme->texture) {
    FillSolid(dc, area, colour);
    return;
  }
  // Brush origins are taken modulo the pattern; keep them small and positive.
  const int x = ((origin.x % theme->textureWidth) + theme->textureWidth) % theme->textureWidth;
  const int y = ((origin.y % theme->textureHeight) + theme->textureHeight) % theme->textureHeight;
  POINT previous;
  SetBrushOrgEx(dc, x, y, &previous);
  FillRect(dc, &area, theme->texture);
  SetBrushOrgEx(dc, previous.x, previous.y, nullptr);
}

namespace {

void PaintTabPageBehind(HDC dc, HWND control, HWND tab, const RECT& area, POINT origin) {
  const Theme* theme = CurrentTheme();
  RECT page;
  if (!IsWindowVisible(tab) || !TabPageRect(tab, &page)) return;
  MapWindowPoints(tab, control, reinterpret_cast<POINT*>(&page), 2);
  RECT part;
  if (IntersectRect(&part, &page, &area)) {
    FillGround(dc, part, origin, theme->placement & she::kTextureOnTabPage,
               theme->colour(she::Colour::TabPage));
  }
}

}  // namespace

void PaintBackdrop(HDC dc, HWND control, const RECT& area) {
  const Theme* theme = CurrentTheme();
  if (!theme) return;
  HWND root = GetAncestor(control, GA_ROOT);
  POINT origin{0, 0};
  MapWindowPoints(root, control, &origin, 1);
  FillGround(dc, area, origin, theme->placement & she::kTextureOnClient,
             theme->colour(she::Colour::ClientBackground));
  if (control == root) return;
  HWND parent = GetParent(control);
  if (IsSkinnedTab(parent)) PaintTabPageBehind(dc, control, parent, area, origin);
  // Siblings later in the z-order lie below this control.
  for (HWND below = GetWindow(control, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
    if (IsSkinnedTab(below)) PaintTabPageBehind(dc, control, below, area, origin);
  }
}

void DrawFocusBox(HDC dc, const RECT& box, COLORREF colour) {
  GdiObject<HPEN> pen(CreatePen(PS_DOT, 1, colour));
  Selection selectPen(dc, pen.get());
  Selection hollow(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

void DrawTextIn(HDC dc, const wchar_t* text, RECT box, COLORREF colour, HFONT font, UINT format) {
  Selection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text, -1, &box, format);
}

}  // namespace skin
