// The graphics context: surfaces, drawing, images and clipping.
#include <windows.h>

#include <gtest/gtest.h>

#include "resources/images/images.h"
#include "tests/drawing/drawing_test_support.h"

namespace {

constexpr ARGB kRed = 0xFFFF0000u;

// Fills the whole canvas with red through the clip set up by `clip`.
template <typename Clip>
void FillThroughClip(Canvas& canvas, Clip clip) {
  SolidBrush red;
  ASSERT_TRUE(red.Create(kRed));
  clip(canvas.graphics);
  ASSERT_TRUE(canvas.graphics.FillRectangle(red, 0, 0, 30, 30));
}

TEST(Graphics, CreateFromHdcPaintsTheDcsBitmap) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  {
    Graphics graphics;
    ASSERT_TRUE(graphics.CreateFromHdc(dc));
    SolidBrush brush;
    ASSERT_TRUE(brush.Create(0xFF0000FFu));
    EXPECT_TRUE(graphics.FillRectangle(brush, 2, 2, 3, 3));
    EXPECT_TRUE(graphics.Delete());
    EXPECT_FALSE(graphics.Delete());
    EXPECT_EQ(graphics.handle, 0);
  }
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  EXPECT_EQ(pixels[3 * 8 + 3] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(pixels[6 * 8 + 6] & 0xFFFFFF, 0u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST(Graphics, LinesAndRectangleOutlines) {
  Canvas canvas(20, 20);
  Pen pen;
  ASSERT_TRUE(pen.Create(kRed, 1.0f));
  EXPECT_TRUE(canvas.graphics.SetSmoothingMode(4));
  EXPECT_TRUE(canvas.graphics.SetCompositingQuality(2));
  EXPECT_TRUE(canvas.graphics.SetPixelOffsetMode(3));
  EXPECT_TRUE(canvas.graphics.SetSmoothingMode(3));  // None: crisp edges to count
  ASSERT_TRUE(canvas.graphics.DrawRectangle(pen, 2, 2, 10, 10));
  EXPECT_TRUE(canvas.Painted(2, 7));
  EXPECT_TRUE(canvas.Painted(12, 7));
  EXPECT_FALSE(canvas.Painted(7, 7));  // outline only
  ASSERT_TRUE(canvas.graphics.DrawLine(pen, 15, 0, 15, 19));
  EXPECT_TRUE(canvas.Painted(15, 10));
  EXPECT_FALSE(canvas.Painted(17, 10));
}

TEST(Graphics, ImagesDrawPixelForPixelAtNaturalSize) {
  Bitmap glyph;
  ASSERT_TRUE(glyph.LoadFromBytes(CloseGlyphImage.Bytes()));
  Canvas canvas(40, 20);
  ASSERT_TRUE(canvas.graphics.DrawImage(glyph, 1, 1));
  // Exact on Windows; Wine's blending onto transparency may be one step off per channel.
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 38; ++x) {
      ARGB drawn = canvas.At(x + 1, y + 1), source = glyph.GetPixel(x, y);
      ASSERT_NEAR(AlphaOf(drawn), AlphaOf(source), 1) << x << "," << y;
      if (AlphaOf(source) == 0) continue;
      ASSERT_NEAR(RedOf(drawn), RedOf(source), 1) << x << "," << y;
      ASSERT_NEAR(GreenOf(drawn), GreenOf(source), 1) << x << "," << y;
      ASSERT_NEAR(BlueOf(drawn), BlueOf(source), 1) << x << "," << y;
    }
  }
}

TEST(Graphics, DrawImageRectStretchesTheWholeImageInPixels) {
  Bitmap arrow;
  ASSERT_TRUE(arrow.LoadFromBytes(ArrowUpImage.Bytes()));
  Canvas byDefault(20, 10), withIgnoredUnit(20, 10), inPixels(20, 10);
  for (Canvas* canvas : {&byDefault, &withIgnoredUnit, &inPixels}) {
    canvas->graphics.SetInterpolationMode(5);  // nearest neighbour: whole-pixel copies
    canvas->graphics.SetPixelOffsetMode(4);    // Half: pixel centres on half coordinates
  }
  ASSERT_TRUE(byDefault.graphics.DrawImageRect(arrow, 0, 0, 14, 8));
  // 4 is Inch: a source rectangle in inches would take a sliver of the image.
  ASSERT_TRUE(withIgnoredUnit.graphics.DrawImageRect(arrow, 0, 0, 14, 8, 4, false));
  ASSERT_TRUE(inPixels.graphics.DrawImageRect(arrow, 0, 0, 14, 8, 2, true));
  RECT bounds = byDefault.PaintedBounds();
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, 14);
  EXPECT_EQ(bounds.bottom, 8);
  EXPECT_TRUE(byDefault.Painted(6, 0));
  EXPECT_FALSE(byDefault.Painted(4, 0));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(withIgnoredUnit.At(x, y), byDefault.At(x, y)) << x << "," << y;
      ASSERT_EQ(inPixels.At(x, y), byDefault.At(x, y)) << x << "," << y;
    }
  }
}

TEST(Graphics, ClipRectReplacesUnlessXorIsAsked) {
  Canvas replaced(30, 30), combined(30, 30);
  FillThroughClip(replaced, [](Graphics& g) {
    EXPECT_TRUE(g.SetClipRect(0, 0, 10, 10));
    EXPECT_TRUE(g.SetClipRect(5, 5, 10, 10));
  });
  EXPECT_FALSE(replaced.Painted(2, 2));
  EXPECT_TRUE(replaced.Painted(7, 7));
  EXPECT_TRUE(replaced.Painted(12, 12));
  EXPECT_FALSE(replaced.Painted(20, 20));

  FillThroughClip(combined, [](Graphics& g) {
    EXPECT_TRUE(g.SetClipRect(0, 0, 10, 10, 0));
    EXPECT_TRUE(g.SetClipRect(5, 5, 10, 10, 3));
  });
  EXPECT_TRUE(combined.Painted(2, 2));
  EXPECT_FALSE(combined.Painted(7, 7));  // in both: excluded by XOR
  EXPECT_TRUE(combined.Painted(12, 12));
  EXPECT_FALSE(combined.Painted(20, 20));
}

TEST(Graphics, ClipPathReplacesUnlessXorIsAskedAndResetClipOpensAll) {
  GraphicsPath first, second;
  ASSERT_TRUE(first.Create());
  ASSERT_TRUE(first.AddRectangle(0, 0, 10, 10));
  ASSERT_TRUE(second.Create());
  ASSERT_TRUE(second.AddEllipse(5, 5, 10, 10));

  Canvas replaced(30, 30), combined(30, 30), reset(30, 30);
  FillThroughClip(replaced, [&](Graphics& g) {
    EXPECT_TRUE(g.SetClipPath(first));
    EXPECT_TRUE(g.SetClipPath(second));
  });
  EXPECT_FALSE(replaced.Painted(2, 2));
  EXPECT_TRUE(replaced.Painted(8, 8));
  EXPECT_TRUE(replaced.Painted(12, 12));

  FillThroughClip(combined, [&](Graphics& g) {
    EXPECT_TRUE(g.SetClipPath(first));
    EXPECT_TRUE(g.SetClipPath(second, 3));
  });
  EXPECT_TRUE(combined.Painted(2, 2));
  EXPECT_FALSE(combined.Painted(8, 8));
  EXPECT_TRUE(combined.Painted(12, 12));

  FillThroughClip(reset, [&](Graphics& g) {
    EXPECT_TRUE(g.SetClipPath(first));
    EXPECT_TRUE(g.ResetClip());
  });
  EXPECT_EQ(reset.CountPainted(), 30 * 30);
}

}  // namespace
