#pragma once
// Shared by the drawing tests: a 32-bit ARGB bitmap to paint on and read back.

#include <windows.h>

#include <cstdint>

#include "drawing/drawing.h"

constexpr int kArgb32 = 0x26200A;

inline int AlphaOf(ARGB c) { return static_cast<int>(c >> 24); }
inline int RedOf(ARGB c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int GreenOf(ARGB c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(ARGB c) { return static_cast<int>(c & 0xFF); }

// Wine's GDI+ leaves a few documented effects out; tests say where and relax only there.
bool RunningOnWine();

// A transparent bitmap with a graphics open on it.
struct Canvas {
  Bitmap bitmap;
  Graphics graphics;
  int width, height;

  Canvas(int w, int h);
  ARGB At(int x, int y) { return bitmap.GetPixel(x, y); }
  bool Painted(int x, int y) { return AlphaOf(At(x, y)) > 0; }
  int CountPainted();
  // The smallest rectangle holding every painted pixel (empty when none).
  RECT PaintedBounds();
};
