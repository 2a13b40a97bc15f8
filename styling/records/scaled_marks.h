#pragma once
// The engine's small pictures at a DPI other than 96: the PNG images are drawn for 96 DPI only,
// and stretched they blur, so at any other DPI the same shapes are drawn as paths at the scaled
// size. The caption icon is taken from the icon's own resource at the size asked for.

#include <windows.h>

#include "drawing/drawing_object.h"
#include "styling/records/dpi_scale.h"

class Graphics;

// The caption's close cross, at the scaled place of the 38 x 18 glyph whose top-left is (x, y).
void DrawCloseCross(Graphics& graphics, float x, float y, DpiScale scale);
// The check-box tick in `colour`, in the scaled 13 x 12 cell whose top-left is (x, y).
void DrawTick(Graphics& graphics, float x, float y, DpiScale scale, ARGB colour);

// The icon at `size` pixels, made from the best image of the icon's resource (not stretched
// from the one loaded); the icon itself when no resource image is found. Kept for the process:
// one per icon and size.
HICON IconAtSize(HICON icon, int size);
