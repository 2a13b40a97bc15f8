#include "styling/records/scaled_paint.h"

#include <cstdlib>

#include "resources/images/images.h"

namespace {

constexpr int BaseDepth = 4;  // the embedded images' depth
constexpr ARGB OpaqueBlack = 0xFF000000;

bool PointsAlongY(ArrowDirection direction) {
  return direction == ArrowDirection::Up || direction == ArrowDirection::Down;
}

const EmbeddedByteSet& EmbeddedGlyph(ArrowDirection direction) {
  switch (direction) {
    case ArrowDirection::Up:
      return ArrowUpImage;
    case ArrowDirection::Down:
      return ArrowDownImage;
    case ArrowDirection::Left:
      return ArrowLeftImage;
    default:
      return ArrowRightImage;
  }
}

// Whether a cell of a triangle `depth` deep is inked: `step` counts from the base's far side
// (the point) towards the base, `offset` runs across the base.
bool Inked(int step, int offset, int depth) { return std::abs(offset - (depth - 1)) <= step; }

}  // namespace

void StrokeScaled(Graphics& graphics, GraphicsPath& path, ARGB colour, DpiScale scale,
                  float width) {
  Pen pen;
  pen.Create(colour, scale.Of(width));
  graphics.DrawPath(pen, path);
}

SIZE ArrowGlyphSize(ArrowDirection direction, DpiScale scale) {
  const int depth = scale(BaseDepth), base = 2 * depth - 1;
  return PointsAlongY(direction) ? SIZE{base, depth} : SIZE{depth, base};
}

bool LoadArrowGlyph(Bitmap& glyph, ArrowDirection direction, DpiScale scale) {
  const int depth = scale(BaseDepth);
  if (depth == BaseDepth) return glyph.LoadFromBytes(EmbeddedGlyph(direction).Bytes());
  const SIZE size = ArrowGlyphSize(direction, scale);
  if (!glyph.CreateEmpty(size.cx, size.cy)) return false;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      int step = 0, offset = 0;
      switch (direction) {
        case ArrowDirection::Up:
          step = y, offset = x;
          break;
        case ArrowDirection::Down:
          step = depth - 1 - y, offset = x;
          break;
        case ArrowDirection::Left:
          step = x, offset = y;
          break;
        case ArrowDirection::Right:
          step = depth - 1 - x, offset = y;
          break;
      }
      glyph.SetPixel(x, y, Inked(step, offset, depth) ? OpaqueBlack : 0);
    }
  }
  return true;
}

bool DrawArrowGlyph(Graphics& graphics, ArrowDirection direction, DpiScale scale, float x,
                    float y) {
  Bitmap glyph;
  if (!LoadArrowGlyph(glyph, direction, scale)) return false;
  if (scale.dpi == BaseDpi) return graphics.DrawImage(glyph, x, y);
  const SIZE size = ArrowGlyphSize(direction, scale);
  return graphics.DrawImageRect(glyph, x, y, static_cast<float>(size.cx),
                                static_cast<float>(size.cy));
}
