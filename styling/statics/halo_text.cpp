// Text with a soft halo: the text is drawn in the glow colour, shrunk by the scale and blown up
// again (a blur), thickened by four faint offset copies, and the text itself goes on top.
#include "drawing/drawing.h"
#include "styling/records/paint_helpers.h"
#include "styling/statics/statics.h"

namespace {

constexpr int Argb32 = 0x26200A;  // PixelFormat32bppARGB
constexpr int NoWrap = 0x1000;
constexpr int WorldUnit = 0;
constexpr int AntiAlias = 4;
constexpr int HighQuality = 2;
constexpr int GammaCorrected = 3;
constexpr int HighQualityBicubic = 7;
constexpr int PixelOffsetNone = 3;

// The font and format every pass of the text uses.
struct TextStyle {
  const char* family;
  float size;
  int style;
  int horizontalAlign;
  int lineAlign;
  bool wordWrap;
};

class TextTools {
 public:
  explicit TextTools(const TextStyle& look) {
    format.Create(look.wordWrap ? 0 : NoWrap, 0);
    format.SetAlign(look.horizontalAlign);
    format.SetLineAlign(look.lineAlign);
    font.CreateFromFamilyName(look.family, look.size, look.style, WorldUnit);
  }
  void Draw(Graphics& graphics, const char* text, Brush& brush, const RectF& layout) {
    graphics.DrawString(text, font, brush, layout, format);
  }
  RectF Measure(Graphics& graphics, const char* text, const RectF& layout) {
    RectF bounds{layout.x, layout.y, 0, 0};
    graphics.MeasureString(text, font, layout, format, bounds);
    return bounds;
  }

 private:
  StringFormat format;
  Font font;
};

// Step one of the halo: the text in the glow colour, a little inset.
void DrawGlowShape(Bitmap& picture, const char* text, const TextStyle& look, COLORREF glow, float w,
                   float h, float half) {
  Graphics graphics;
  graphics.CreateFromImage(picture);
  graphics.SetSmoothingMode(AntiAlias);
  graphics.SetCompositingQuality(GammaCorrected);
  graphics.SetInterpolationMode(HighQualityBicubic);
  graphics.SetPixelOffsetMode(PixelOffsetNone);
  TextTools tools(look);
  SolidBrush brush;
  brush.Create(ToArgb(glow));
  tools.Draw(graphics, text, brush, RectF{half, half, w + half, h + half});
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
void DrawBlownUpGlow(Bitmap& halo, Bitmap& small, const char* text, const TextStyle& look,
                     COLORREF glow, float w, float h, float s) {
  Graphics graphics;
  graphics.CreateFromImage(halo);
  graphics.SetCompositingQuality(GammaCorrected);
  graphics.SetInterpolationMode(HighQualityBicubic);
  graphics.SetSmoothingMode(AntiAlias);
  graphics.DrawImageRect(small, 0, 0, w, h);
  small.Dispose();
  TextTools tools(look);
  SolidBrush brush;
  brush.Create(ToArgb(glow, 60, true));
  const float half = s / 2, down = 0.7f * s;
  const PointF offsets[] = {{half - 1, down}, {half + 1, down}, {half, down - 1}, {half, down + 1}};
  for (const PointF& at : offsets) tools.Draw(graphics, text, brush, RectF{at.x, at.y, w, h});
}

}  // namespace

void DrawHaloText(Graphics& target, const char* text, const RectF& layout, COLORREF textColour,
                  COLORREF glowColour, int scale, const char* family, int style, float size,
                  int horizontalAlign, int lineAlign, bool wordWrap) {
  if (!text) text = "";
  if (!family || !*family) family = "宋体";
  if (scale < 1) scale = 1;
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  if (width <= 0 || height <= 0) return;  // nothing fits an empty layout
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const float s = static_cast<float>(scale);
  const TextStyle look{family, size, style, horizontalAlign, lineAlign, wordWrap};

  Bitmap picture;
  picture.CreateEmpty(width, height, Argb32, true);
  DrawGlowShape(picture, text, look, glowColour, w, h, s / 2);
  Bitmap small;
  small.CreateEmpty(width / scale, height / scale, Argb32, true);
  ShrinkInto(small, picture, static_cast<float>(width / scale), static_cast<float>(height / scale));
  picture.Dispose();

  Bitmap halo;
  halo.CreateEmpty(width, height, Argb32, true);
  DrawBlownUpGlow(halo, small, text, look, glowColour, w, h, s);

  target.SetSmoothingMode(AntiAlias);
  target.DrawImage(halo, layout.x - s / 2, layout.y - 0.6f * s);
  halo.Dispose();

  TextTools tools(look);
  SolidBrush brush;
  brush.Create(ToArgb(textColour));
  tools.Draw(target, text, brush, RectF{layout.x, layout.y, w, h});
}

RectF MeasureHaloText(HDC dc, const char* text, const RectF& layout, const char* family, int style,
                      float size, int horizontalAlign, int lineAlign, bool wordWrap) {
  if (!text) text = "";
  if (!family || !*family) family = "宋体";
  Graphics graphics;
  graphics.CreateFromHdc(dc);
  TextTools tools(TextStyle{family, size, style, horizontalAlign, lineAlign, wordWrap});
  return tools.Measure(graphics, text, layout);
}
