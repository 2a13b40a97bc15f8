#pragma once
// Painting a control's look through its look cache: a look painted before under the same key
// is copied as it was kept; otherwise it is drawn once on the background canvas, kept and
// copied once.

#include <windows.h>

#include <type_traits>

#include "drawing/graphics.h"
#include "styling/records/canvas.h"
#include "styling/records/look_cache.h"
#include "styling/records/printing.h"

// The key part that every control look shares: what lies behind the control's whole window
// (BackgroundKey of styling/records/canvas.h).
LookKey ControlLookKey(HWND control);

// Where a look is kept: in the control's own cache, or also in the looks every window shares
// (SharedLooks, look_cache.h), for the controls of boxes shown again and again.
enum class KeptIn { Own, OwnAndShared };

// `area` is in the control's window coordinates; the look goes to target at its top-left. An
// empty key is a look that is drawn every time (an input that cannot be keyed cheaply).
// draw(graphics), or draw(graphics, canvasDc) for GDI too, paints on the background canvas.
template <typename Draw>
void PresentLook(HWND control, LookCache& looks, const LookKey& key, HDC target, const RECT& area,
                 Draw&& draw, KeptIn kept = KeptIn::Own) {
  if (!target) return;
  const bool keyed = !key.Empty(), shared = kept == KeptIn::OwnAndShared;
  if (keyed && looks.Draw(key, target, area.left, area.top)) return;
  if (keyed && shared && SharedLooks().Draw(key, target, area.left, area.top)) return;
  int width = area.right - area.left, height = area.bottom - area.top;
  CanvasDc canvas(control, area);
  if (!canvas) return;
  {
    Graphics graphics;
    graphics.CreateFromHdc(canvas.Dc());
    if constexpr (std::is_invocable_v<Draw, Graphics&, HDC>) {
      draw(graphics, canvas.Dc());
    } else {
      draw(graphics);
    }
  }
  if (keyed) looks.Keep(key, canvas.Dc(), width, height);
  if (keyed && shared) SharedLooks().Keep(key, canvas.Dc(), width, height);
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
