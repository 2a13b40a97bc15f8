#include "styling/records/scaled_marks.h"

#include <map>
#include <utility>

#include "drawing/drawing.h"

namespace {

constexpr int AntiAlias = 4;

void StrokeLine(Graphics& graphics, ARGB colour, float width, PointF from, PointF to) {
  Pen pen;
  pen.Create(colour, width);
  graphics.DrawLine(pen, from.x, from.y, to.x, to.y);
}

}  // namespace

void DrawCloseCross(Graphics& graphics, float x, float y, DpiScale scale) {
  // The glyph's cross fills columns 13 to 23 and rows 3 to 13: a white stroke in a dark outline.
  const float centreX = x + scale.Of(18.5f), centreY = y + scale.Of(8.5f);
  const float reach = scale.Of(4.0f);
  graphics.SetSmoothingMode(AntiAlias);
  for (const auto& [colour, width] : {std::pair<ARGB, float>{0xFF565656, scale.Of(4.4f)},
                                      std::pair<ARGB, float>{0xFFFFFFFF, scale.Of(2.4f)}}) {
    StrokeLine(graphics, colour, width, {centreX - reach, centreY - reach},
               {centreX + reach, centreY + reach});
    StrokeLine(graphics, colour, width, {centreX - reach, centreY + reach},
               {centreX + reach, centreY - reach});
  }
}

void DrawTick(Graphics& graphics, float x, float y, DpiScale scale, ARGB colour) {
  graphics.SetSmoothingMode(AntiAlias);
  const float width = scale.Of(2.2f);
  const PointF start{x + scale.Of(1.2f), y + scale.Of(6.0f)};
  const PointF bottom{x + scale.Of(4.6f), y + scale.Of(9.2f)};
  const PointF end{x + scale.Of(11.8f), y + scale.Of(1.2f)};
  StrokeLine(graphics, colour, width, start, bottom);
  StrokeLine(graphics, colour, width, bottom, end);
}

HICON IconAtSize(HICON icon, int size) {
  if (!icon) return nullptr;
  static std::map<std::pair<HICON, int>, HICON> made;
  auto found = made.find({icon, size});
  if (found != made.end()) return found->second;
  auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
  HICON result = copy ? copy : icon;
  made.emplace(std::make_pair(icon, size), result);
  return result;
}
