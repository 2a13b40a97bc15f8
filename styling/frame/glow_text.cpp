// Text with a blurred glow: the glyph outlines are drawn large, shrunk and blown up again.
#include <algorithm>
#include <vector>

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

// What the text path needs besides its glyphs: whole pixels, in the picture's coordinates.
struct TextPathShape {
  const char* text;
  const char* family;
  int style;
  float size;
  float top;
  int width;
  int height;
  int horizontalAlign;
  int verticalAlign;
  std::vector<POINT> dropped;
};

void AddShapePath(GraphicsPath& path, const TextPathShape& shape) {
  AddTextPath(path, shape.text, shape.family, shape.style, shape.size, shape.top, shape.width,
              shape.height, shape.horizontalAlign, shape.verticalAlign);
  for (const POINT& pixel : shape.dropped) {
    path.AddRectangle(static_cast<float>(pixel.x), static_cast<float>(pixel.y), 1, 1);
  }
}

// The largest channel of each pixel of the text path filled in white at `scale` times the
// size (0 where nothing was filled), row by row.
std::vector<BYTE> FilledText(const TextPathShape& shape, int scale) {
  const int w = shape.width * scale, h = shape.height * scale;
  Bitmap picture;
  if (!picture.CreateEmpty(w, h, Argb32, true)) return {};
  {
    Graphics graphics;
    graphics.CreateFromImage(picture);
    SetGlowQuality(graphics);
    GraphicsPath path;
    AddTextPath(path, shape.text, shape.family, shape.style,
                static_cast<float>(static_cast<int>(shape.size) * scale), shape.top * scale, w, h,
                shape.horizontalAlign, shape.verticalAlign);
    SolidBrush white;
    white.Create(0xFFFFFFFF);
    graphics.FillPath(white, path);
  }
  HBITMAP bitmap = picture.ToHBitmap(0);
  if (!bitmap) return {};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> pixels(static_cast<size_t>(w) * h * 4);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  if (rows != h) return {};
  std::vector<BYTE> filled(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < filled.size(); ++i) {
    const BYTE* p = &pixels[i * 4];
    filled[i] = std::max({p[0], p[1], p[2], p[3]});
  }
  return filled;
}

// The pixels of the text that the plain fill drops.
//
// Wine's GDI+ fills a path without anti-aliasing, whatever the smoothing mode: a pixel is
// filled when its centre lies inside the path. A stroke thinner than a pixel that passes between
// two pixel centres leaves no pixel at all. At the caption's 11 pixels the strokes of 黑体
// (WenQuanYi Zen Hei here) are about 0.8 pixels thick, and whole strokes of "岚舟提示" and of
// Latin letters went missing. (The fill rule is not the cause: alternate and winding fills of
// these glyphs give the same pixels.)
// Dropout control as TrueType rasterizers have it: the text is filled again at three times the
// size, where the middle one of each pixel's 3 x 3 samples sits on the pixel's centre. A run of
// ink along a line through pixel centres (across or down) that holds no pixel centre is a
// stroke the plain fill dropped: the pixel that holds the run's middle is given back. A pixel
// that the plain fill touched at all is never given back, so text without dropouts (and a
// GDI+ that anti-aliases) draws exactly as before.
std::vector<POINT> DroppedPixels(const TextPathShape& shape) {
  constexpr int Scale = 3;
  std::vector<BYTE> plain = FilledText(shape, 1);
  std::vector<BYTE> fine = FilledText(shape, Scale);
  std::vector<POINT> dropped;
  if (plain.empty() || fine.empty()) return dropped;
  const int w = shape.width, h = shape.height, fw = w * Scale, fh = h * Scale;
  std::vector<bool> given(plain.size());
  auto give = [&](int x, int y) {
    size_t at = static_cast<size_t>(y) * w + x;
    if (plain[at] != 0 || given[at]) return;
    given[at] = true;
    dropped.push_back(POINT{x, y});
  };
  // One line of `count` samples: ink(i) tells whether sample i is ink; giveAt(p) gives back
  // pixel p of the line.
  auto scan = [&](int count, auto ink, auto giveAt) {
    for (int i = 0; i < count;) {
      if (!ink(i)) {
        ++i;
        continue;
      }
      int start = i;
      bool holdsCentre = false;
      for (; i < count && ink(i); ++i) holdsCentre |= i % Scale == 1;
      if (!holdsCentre) giveAt((start + i - 1) / 2 / Scale);
    }
  };
  for (int y = 0; y < h; ++y) {
    const BYTE* row = &fine[static_cast<size_t>(Scale * y + 1) * fw];
    scan(
        fw, [&](int i) { return row[i] >= 128; }, [&](int x) { give(x, y); });
  }
  for (int x = 0; x < w; ++x) {
    const int column = Scale * x + 1;
    scan(
        fh, [&](int i) { return fine[static_cast<size_t>(i) * fw + column] >= 128; },
        [&](int y) { give(x, y); });
  }
  return dropped;
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
  // The glow's strokes widen with the blur: a pixel and two at the usual scale of 4.
  const float stroke = static_cast<float>(scale) / 4;
  Bitmap picture;
  if (!picture.CreateEmpty(width, height, Argb32, true)) return;
  {
    Graphics graphics;
    graphics.CreateFromImage(picture);
    SetGlowQuality(graphics);
    TextPathShape shape{text,  family, style,           size,          top,
                        width, height, horizontalAlign, verticalAlign, {}};
    shape.dropped = DroppedPixels(shape);
    {
      GraphicsPath path;
      AddShapePath(path, shape);
      Pen pen;
      pen.Create(ToArgb(glowColour, 255, true), stroke);
      graphics.DrawPath(pen, path);
      SolidBrush brush;
      brush.Create(ToArgb(glowColour, 255, true));
      graphics.FillPath(brush, path);
    }
    Blur(graphics, picture, width, height, scale);
    GraphicsPath path;
    AddShapePath(path, shape);
    Pen pen;
    pen.Create(ToArgb(glowColour, 120, true), 2 * stroke);
    graphics.DrawPath(pen, path);
    SolidBrush brush;
    brush.Create(ToArgb(textColour, 255, true));
    for (int pass = 0; pass < 4; ++pass) graphics.FillPath(brush, path);
  }
  target.DrawImage(picture, layout.x, layout.y);
}
