// Text with a soft halo: the text is drawn in the glow colour, shrunk by the scale and blown up
// again (a blur), thickened by four faint offset copies, and the text itself goes on top. Every
// pass draws the same lines, laid out as the system lays the text out (control_text.h).
#include "drawing/drawing.h"
#include "styling/records/paint_helpers.h"
#include "styling/statics/statics.h"

namespace {

constexpr int Argb32 = 0x26200A;  // PixelFormat32bppARGB
constexpr int AntiAlias = 4;
constexpr int HighQuality = 2;
constexpr int GammaCorrected = 3;
constexpr int HighQualityBicubic = 7;
constexpr int PixelOffsetNone = 3;

// Step one of the halo: the text in the glow colour, a little inset.
void DrawGlowShape(Bitmap& picture, const TextLayout& layout, TextPen& pen, COLORREF glow,
                   float half) {
  Graphics graphics;
  graphics.CreateFromImage(picture);
  graphics.SetSmoothingMode(AntiAlias);
  graphics.SetCompositingQuality(GammaCorrected);
  graphics.SetInterpolationMode(HighQualityBicubic);
  graphics.SetPixelOffsetMode(PixelOffsetNone);
  SolidBrush brush;
  brush.Create(ToArgb(glow));
  pen.Draw(graphics, layout, brush, half, half);
}

void ShrinkInto(Bitmap& small, Bitmap& picture, float w, float h) {
  Graphics graphics;
  graphics.CreateFromImage(small);
  graphics.SetInterpolationMode(HighQualityBicubic);
  graphics.SetCompositingQuality(HighQuality);
  graphics.SetPixelOffsetMode(PixelOffsetNone);
  graphics.DrawImageRect(picture, 0, 0, w, h);
}

// The blown-up glow and the four faint copies that thicken it.
void DrawBlownUpGlow(Bitmap& halo, Bitmap& small, const TextLayout& layout, TextPen& pen,
                     COLORREF glow, float w, float h, float s) {
  Graphics graphics;
  graphics.CreateFromImage(halo);
  graphics.SetCompositingQuality(GammaCorrected);
  graphics.SetInterpolationMode(HighQualityBicubic);
  graphics.SetSmoothingMode(AntiAlias);
  graphics.DrawImageRect(small, 0, 0, w, h);
  small.Dispose();
  SolidBrush brush;
  brush.Create(ToArgb(glow, 60, true));
  // A pixel apart at the usual scale of 4; the halo grows with the scale at a higher DPI.
  const float half = s / 2, down = 0.7f * s, apart = s / HaloScale;
  const PointF offsets[] = {
      {half - apart, down}, {half + apart, down}, {half, down - apart}, {half, down + apart}};
  for (const PointF& at : offsets) pen.Draw(graphics, layout, brush, at.x, at.y);
}

}  // namespace

void DrawHaloText(Graphics& target, const TextLayout& layout, TextPen& pen, const RectF& box,
                  COLORREF textColour, COLORREF glowColour, int scale) {
  if (scale < 1) scale = 1;
  const int width = static_cast<int>(box.width);
  const int height = static_cast<int>(box.height);
  if (width <= 0 || height <= 0 || layout.lines.empty()) return;  // nothing to show
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const float s = static_cast<float>(scale);

  Bitmap picture;
  picture.CreateEmpty(width, height, Argb32, true);
  DrawGlowShape(picture, layout, pen, glowColour, s / 2);
  Bitmap small;
  small.CreateEmpty(width / scale, height / scale, Argb32, true);
  ShrinkInto(small, picture, static_cast<float>(width / scale), static_cast<float>(height / scale));
  picture.Dispose();

  Bitmap halo;
  halo.CreateEmpty(width, height, Argb32, true);
  DrawBlownUpGlow(halo, small, layout, pen, glowColour, w, h, s);

  target.SetSmoothingMode(AntiAlias);
  target.DrawImage(halo, box.x - s / 2, box.y - 0.6f * s);
  halo.Dispose();

  SolidBrush brush;
  brush.Create(ToArgb(textColour));
  pen.Draw(target, layout, brush, box.x, box.y);
}
