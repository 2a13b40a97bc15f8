#pragma once
// Painting at the DPI of the window drawn for: strokes as wide as a 96-DPI pixel scaled, and the
// small arrow glyphs of scroll bars, up-down controls and drop-down buttons at the scaled size.
// At 96 DPI the glyphs are the embedded images; at any other DPI the same triangle is built
// pixel by pixel at the scaled size, so that it stays sharp instead of being stretched.

#include <windows.h>

#include "drawing/drawing.h"
#include "styling/records/dpi_scale.h"

// Strokes the path with a pen scale.Of(width) wide (1.0 at 96 DPI by default).
void StrokeScaled(Graphics& graphics, GraphicsPath& path, ARGB colour, DpiScale scale,
                  float width = 1.0f);

enum class ArrowDirection { Up, Down, Left, Right };

// The glyph's size: the triangle is scale(4) deep (from its base to its point) and twice that
// less one across its base, 7 x 4 (up, down) or 4 x 7 (left, right) at 96 DPI.
SIZE ArrowGlyphSize(ArrowDirection direction, DpiScale scale);

// Makes the glyph at that scale: black on a transparent ground. False when it cannot be made.
bool LoadArrowGlyph(Bitmap& glyph, ArrowDirection direction, DpiScale scale);

// Draws the glyph with its top-left at (x, y), pixel for pixel: an image's own resolution never
// stretches it on a DC of another DPI. False when it cannot be made.
bool DrawArrowGlyph(Graphics& graphics, ArrowDirection direction, DpiScale scale, float x, float y);
