// Text with a blurred glow: the glyph outlines are drawn large, shrunk and blown up again.
#include "drawing/drawing.h"
#include "styling/frame/frame.h"
#include "styling/records/paint_helpers.h"

namespace {

constexpr int Argb32 = 0x26200A;

// The text as a path laid out in (0, top, width, height).
void AddTextPath(GraphicsPath& path, const char* text, const char* family, int style, float size,
                 float top, int width, int height, int horizontalAlign, int verticalAlign) {
  FontCollection installed;
  FontFamily fontFamily;
  fontFamily.CreateFromName(family, installed);
  StringFormat format;
  format.Create(0, 0);
  format.SetAlign(horizontalAlign);
  format.SetLineAlign(verticalAlign);
  path.Create();
  path.AddString(text, fontFamily, static_cast<int>(size),
                 RectF{0, top, static_cast<float>(width), static_cast<float>(height)}, style,
                 format);
  fontFamily.Delete();
}

void SetGlowQuality(Graphics& graphics) {
  graphics.SetSmoothingMode(4);       // AntiAlias
  graphics.SetCompositingQuality(2);  // HighQuality
  graphics.SetInterpolationMode(7);   // HighQualityBicubic
  graphics.SetPixelOffsetMode(3);     // None
}

// Shrinks the picture by the scale and blows it up again: a blur.
void Blur(Graphics& graphics, Bitmap& picture, int width, int height, int scale) {
  Bitmap small;
  small.CreateEmpty(width / scale, height / scale, Argb32, true);
  {
    Graphics shrink;
    shrink.CreateFromImage(small);
    shrink.SetPixelOffsetMode(3);
    shrink.SetInterpolationMode(7);
    shrink.DrawImageRect(picture, 0, 0, static_cast<float>(width / scale),
                         static_cast<float>(height / scale));
  }
  graphics.Clear(0);
  graphics.DrawImageRect(small, 0, 0, static_cast<float>(width), static_cast<float>(height));
}

}  // namespace

void DrawGlowText(Graphics& target, const char* text, const RectF& layout, COLORREF textColour,
                  COLORREF glowColour, int scale, const char* family, int style, float size,
                  int horizontalAlign, int verticalAlign) {
  if (!family) family = "宋体";
  if (scale < 1) scale = 1;
  int width = static_cast<int>(layout.width);
  int height = static_cast<int>(layout.height);
  float top = static_cast<float>(scale) / 2;
  Bitmap picture;
  if (!picture.CreateEmpty(width, height, Argb32, true)) return;
  {
    Graphics graphics;
    graphics.CreateFromImage(picture);
    SetGlowQuality(graphics);
    {
      GraphicsPath path;
      AddTextPath(path, text, family, style, size, top, width, height, horizontalAlign,
                  verticalAlign);
      Pen pen;
      pen.Create(ToArgb(glowColour, 255, true), 1.0f);
      graphics.DrawPath(pen, path);
      SolidBrush brush;
      brush.Create(ToArgb(glowColour, 255, true));
      graphics.FillPath(brush, path);
    }
    Blur(graphics, picture, width, height, scale);
    GraphicsPath path;
    AddTextPath(path, text, family, style, size, top, width, height, horizontalAlign,
                verticalAlign);
    Pen pen;
    pen.Create(ToArgb(glowColour, 120, true), 2.0f);
    graphics.DrawPath(pen, path);
    SolidBrush brush;
    brush.Create(ToArgb(textColour, 255, true));
    for (int pass = 0; pass < 4; ++pass) graphics.FillPath(brush, path);
  }
  target.DrawImage(picture, layout.x, layout.y);
}
