#pragma once
// Painting a control's look through its look cache: a look painted before under the same key
// is copied as it was kept; otherwise it is drawn once on the background canvas, kept and
// copied once.

#include <windows.h>

#include "drawing/graphics.h"
#include "styling/records/canvas.h"
#include "styling/records/look_cache.h"
#include "styling/records/printing.h"

// The key part that every control look shares: what lies behind the control's whole window
// (BackgroundKey of styling/records/canvas.h).
LookKey ControlLookKey(HWND control);

// `area` is in the control's window coordinates; the look goes to target at its top-left.
template <typename Draw>
void PresentLook(HWND control, LookCache& looks, const LookKey& key, HDC target, const RECT& area,
                 Draw&& draw) {
  if (!target || looks.Draw(key, target, area.left, area.top)) return;
  int width = area.right - area.left, height = area.bottom - area.top;
  CanvasDc canvas(control, area);
  if (!canvas) return;
  {
    Graphics graphics;
    graphics.CreateFromHdc(canvas.Dc());
    draw(graphics);
  }
  looks.Keep(key, canvas.Dc(), width, height);
  BitBlt(target, area.left, area.top, width, height, canvas.Dc(), 0, 0, SRCCOPY);
}

// The control's whole window area (width x height) into the DC given (its origin at the
// window's), or else through its window DC.
template <typename Draw>
void PresentWindowLook(HWND control, LookCache& looks, const LookKey& key, int width, int height,
                       Draw&& draw, HDC given = nullptr) {
  TargetDc target(control, given, LookArea::WholeWindow);
  PresentLook(control, looks, key, target.Get(), RECT{0, 0, width, height}, draw);
}
