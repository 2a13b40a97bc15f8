// Pens, solid and gradient brushes, seen in the pixels they paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/drawing/drawing_test_support.h"

namespace {

constexpr ARGB kRed = 0xFFFF0000u;
constexpr ARGB kGreen = 0xFF00FF00u;
constexpr ARGB kBlue = 0xFF0000FFu;

void FillWith(Canvas& canvas, Brush& brush) {
  ASSERT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, static_cast<float>(canvas.width),
                                            static_cast<float>(canvas.height)));
}

TEST(LinearGradients, RunFromTheStartPointToTheEndPoint) {
  Canvas vertical(8, 40), horizontal(40, 8);
  LinearGradientBrush down, across;
  ASSERT_TRUE(down.Create({0, 0}, {0, 40}, kRed, kBlue));
  ASSERT_TRUE(across.Create({0, 0}, {40, 0}, kRed, kBlue));
  FillWith(vertical, down);
  FillWith(horizontal, across);

  EXPECT_GT(RedOf(vertical.At(4, 1)), 220);
  EXPECT_GT(BlueOf(vertical.At(4, 38)), 220);
  // Every row is one colour, and red fades row by row.
  for (int y = 1; y < 40; ++y) {
    EXPECT_EQ(vertical.At(0, y), vertical.At(7, y));
    EXPECT_LE(RedOf(vertical.At(4, y)), RedOf(vertical.At(4, y - 1)));
  }
  EXPECT_GT(RedOf(horizontal.At(1, 4)), 220);
  EXPECT_GT(BlueOf(horizontal.At(38, 4)), 220);
  EXPECT_EQ(horizontal.At(20, 0), horizontal.At(20, 7));
}

TEST(LinearGradients, TileRepeatsBeyondTheSpan) {
  Canvas canvas(4, 40);
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.Create({0, 0}, {0, 20}, kRed, kBlue));
  FillWith(canvas, brush);
  EXPECT_GT(RedOf(canvas.At(1, 21)), 200);
  EXPECT_GT(BlueOf(canvas.At(1, 38)), 200);
}

TEST(LinearGradients, PresetBlendTakesOneStopPerColour) {
  const ARGB colours[] = {kRed, kGreen, kBlue};
  // More positions than colours: the extra one is not read.
  const float positions[] = {0.0f, 0.5f, 1.0f, 0.25f};
  Canvas canvas(4, 40);
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.Create({0, 0}, {0, 40}, kRed, kBlue));
  ASSERT_TRUE(brush.SetPresetBlend(colours, positions));
  FillWith(canvas, brush);
  EXPECT_GT(GreenOf(canvas.At(1, 20)), 220);
  EXPECT_GT(RedOf(canvas.At(1, 0)), 220);
  EXPECT_GT(BlueOf(canvas.At(1, 39)), 220);

  // Fewer positions than colours would be read past their end.
  EXPECT_FALSE(brush.SetPresetBlend(colours, std::span(positions, 2)));
  EXPECT_EQ(lastStatus, 2);
}

TEST(LinearGradients, LinearBlendPeaksAtTheFocus) {
  Canvas canvas(4, 40);
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.Create({0, 0}, {0, 40}, kRed, kBlue));
  ASSERT_TRUE(brush.SetLinearBlend(0.5f, 1.0f));
  FillWith(canvas, brush);
  EXPECT_GT(RedOf(canvas.At(1, 1)), 220);
  EXPECT_GT(BlueOf(canvas.At(1, 20)), 220);
  EXPECT_GT(RedOf(canvas.At(1, 38)), 220);
}

TEST(PathGradients, AreStrongestAtTheCentre) {
  GraphicsPath circle;
  ASSERT_TRUE(circle.Create());
  ASSERT_TRUE(circle.AddEllipse(0, 0, 40, 40));
  PathGradientBrush glow;
  ASSERT_TRUE(glow.CreateFromPath(circle));
  ASSERT_TRUE(glow.SetCenterColor(0xFFFFFFFFu));
  const ARGB surround[] = {0x00FFFFFFu};
  ASSERT_TRUE(glow.SetSurroundColors(surround));
  Canvas canvas(40, 40);
  ASSERT_TRUE(canvas.graphics.FillPath(glow, circle));

  EXPECT_GT(AlphaOf(canvas.At(20, 20)), 230);
  EXPECT_LT(AlphaOf(canvas.At(20, 1)), 40);
  EXPECT_LT(AlphaOf(canvas.At(1, 20)), 40);
  // Fading outwards (from a pixel past the centre: the peak may fall on either middle pixel).
  for (int x = 23; x < 39; ++x) EXPECT_LT(AlphaOf(canvas.At(x, 20)), AlphaOf(canvas.At(x - 1, 20)));
  for (int y = 17; y > 0; --y) EXPECT_LT(AlphaOf(canvas.At(20, y)), AlphaOf(canvas.At(20, y + 1)));
  EXPECT_EQ(AlphaOf(canvas.At(1, 1)), 0);  // outside the circle

  // Focus scales keep the centre colour over a core around the centre.
  ASSERT_TRUE(glow.SetFocusScales(0.4f, 0.4f));
  if (RunningOnWine()) return;  // Wine 8 stores focus scales but does not paint with them.
  Canvas focused(40, 40);
  ASSERT_TRUE(focused.graphics.FillPath(glow, circle));
  EXPECT_GT(AlphaOf(focused.At(26, 20)), 240);
  EXPECT_GT(AlphaOf(focused.At(26, 20)), AlphaOf(canvas.At(26, 20)));
}

TEST(PathGradients, SurroundColourCountIsTheColoursUnlessGiven) {
  GraphicsPath square;
  ASSERT_TRUE(square.Create());
  ASSERT_TRUE(square.AddRectangle(0, 0, 10, 10));
  PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPath(square));
  const ARGB one[] = {kRed};
  std::int32_t count = 99;
  ASSERT_TRUE(brush.SetSurroundColors(one, count, false));
  EXPECT_EQ(count, 1);

  const ARGB four[] = {kRed, kGreen, kBlue, kRed};
  count = 2;
  ASSERT_TRUE(brush.SetSurroundColors(four, count, true));
  EXPECT_EQ(count, 2);
  // A count beyond the colours would be read past their end.
  count = 5;
  EXPECT_FALSE(brush.SetSurroundColors(four, count, true));
  EXPECT_EQ(lastStatus, 2);
}

TEST(Pens, StrokeWithTheirWidthAndOutliveTheirBrush) {
  Canvas canvas(20, 20);
  canvas.graphics.SetSmoothingMode(3);
  Pen pen;
  {
    SolidBrush brush;
    ASSERT_TRUE(brush.Create(kGreen));
    ASSERT_TRUE(pen.CreateFromBrush(brush, 1.0f));
  }  // the brush is gone; the pen keeps its own fill
  ASSERT_TRUE(pen.SetWidth(5.0f));
  ASSERT_TRUE(canvas.graphics.DrawLine(pen, 10, 0, 10, 20));
  EXPECT_EQ(canvas.At(8, 10), kGreen);
  EXPECT_EQ(canvas.At(12, 10), kGreen);
  EXPECT_FALSE(canvas.Painted(14, 10));
}

TEST(Pens, EveryKindDeletesOnceAndFailsWhenEmpty) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddEllipse(0, 0, 4, 4));
  Pen pen;
  SolidBrush solid;
  LinearGradientBrush linear;
  PathGradientBrush radial;
  EXPECT_FALSE(pen.Delete());
  EXPECT_FALSE(solid.Delete());
  ASSERT_TRUE(pen.Create(kRed, 1.0f, 0));
  ASSERT_TRUE(solid.Create(kRed));
  ASSERT_TRUE(linear.Create({0, 0}, {0, 1}, kRed, kBlue));
  ASSERT_TRUE(radial.CreateFromPath(path));
  for (DrawingObject* object : std::vector<DrawingObject*>{&pen, &solid, &linear, &radial}) {
    EXPECT_NE(object->handle, 0);
  }
  EXPECT_TRUE(pen.Delete());
  EXPECT_FALSE(pen.Delete());
  EXPECT_TRUE(solid.Delete());
  EXPECT_FALSE(solid.Delete());
  EXPECT_TRUE(linear.Delete());
  EXPECT_FALSE(linear.Delete());
  EXPECT_TRUE(radial.Delete());
  EXPECT_FALSE(radial.Delete());
  EXPECT_FALSE(pen.SetWidth(2.0f));
  EXPECT_FALSE(radial.SetCenterColor(kRed));
}

}  // namespace
