// Paths: figures, rounded rectangles, fill modes, reuse; regions.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/drawing/drawing_test_support.h"

namespace {

namespace G = Gdiplus::DllExports;

std::vector<Gdiplus::PointF> PointsOf(GraphicsPath& path) {
  auto* native = static_cast<Gdiplus::GpPath*>(path.nativeHandle);
  INT count = 0;
  if (G::GdipGetPointCount(native, &count) != Gdiplus::Ok || count == 0) return {};
  std::vector<Gdiplus::PointF> points(static_cast<std::size_t>(count));
  G::GdipGetPathPoints(native, points.data(), count);
  return points;
}

std::vector<Gdiplus::PointF> RoundRectPoints(float x, float y, float w, float h, int roundness) {
  GraphicsPath path;
  EXPECT_TRUE(path.Create());
  EXPECT_TRUE(path.AddRoundRect(x, y, w, h, roundness));
  return PointsOf(path);
}

bool SamePoints(const std::vector<Gdiplus::PointF>& a, const std::vector<Gdiplus::PointF>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].X != b[i].X || a[i].Y != b[i].Y) return false;
  }
  return true;
}

void Fill(Canvas& canvas, GraphicsPath& path) {
  SolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFFFF0000u));
  canvas.graphics.FillPath(brush, path);
}

TEST(RoundRects, RoundnessIsClampedToOneToAHundred) {
  EXPECT_TRUE(SamePoints(RoundRectPoints(0, 0, 40, 30, 0), RoundRectPoints(0, 0, 40, 30, 1)));
  EXPECT_TRUE(SamePoints(RoundRectPoints(0, 0, 40, 30, -7), RoundRectPoints(0, 0, 40, 30, 1)));
  EXPECT_TRUE(SamePoints(RoundRectPoints(0, 0, 40, 30, 250), RoundRectPoints(0, 0, 40, 30, 100)));
  EXPECT_FALSE(SamePoints(RoundRectPoints(0, 0, 40, 30, 50), RoundRectPoints(0, 0, 40, 30, 100)));
}

TEST(RoundRects, CornerBoxesAreTruncatedToWholePixels) {
  // 25 % of 10 is 2.5: boxes of 2 x 2, so the first arc starts at the top of (8, 0, 2, 2).
  std::vector<Gdiplus::PointF> points = RoundRectPoints(0, 0, 10, 10, 25);
  ASSERT_FALSE(points.empty());
  EXPECT_FLOAT_EQ(points.front().X, 9.0f);
  EXPECT_FLOAT_EQ(points.front().Y, 0.0f);
  EXPECT_FLOAT_EQ(points.back().X, 1.0f);  // the top-left arc ends on the top edge
  EXPECT_FLOAT_EQ(points.back().Y, 0.0f);
}

TEST(RoundRects, LeaveTheirCornersEmpty) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundRect(0, 0, 40, 40, 50));
  Canvas canvas(40, 40);
  Fill(canvas, path);
  for (auto [x, y] : {std::pair{1, 1}, {38, 1}, {1, 38}, {38, 38}}) {
    EXPECT_FALSE(canvas.Painted(x, y)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{20, 20}, {20, 1}, {1, 20}, {38, 20}, {20, 38}}) {
    EXPECT_TRUE(canvas.Painted(x, y)) << x << "," << y;
  }
}

TEST(Paths, FillModeCountsOnlyWhenGiven) {
  for (bool given : {false, true}) {
    GraphicsPath path;
    ASSERT_TRUE(path.Create(1, given));  // 1 is Winding
    Gdiplus::FillMode mode = Gdiplus::FillModeAlternate;
    G::GdipGetPathFillMode(static_cast<Gdiplus::GpPath*>(path.nativeHandle), &mode);
    EXPECT_EQ(mode, given ? Gdiplus::FillModeWinding : Gdiplus::FillModeAlternate);
    // Two nested squares of the same direction: Alternate leaves the inner one a hole.
    ASSERT_TRUE(path.AddRectangle(0, 0, 20, 20));
    ASSERT_TRUE(path.AddRectangle(5, 5, 10, 10));
    Canvas canvas(20, 20);
    Fill(canvas, path);
    EXPECT_TRUE(canvas.Painted(2, 2));
    EXPECT_EQ(canvas.Painted(10, 10), given);
  }
}

TEST(Paths, ResetEmptiesThePathButKeepsIt) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddLine(0, 0, 10, 0));
  ASSERT_TRUE(path.AddLine(10, 0, 10, 10));
  ASSERT_TRUE(path.CloseFigure());
  ASSERT_TRUE(path.AddArc(0, 0, 10, 10, 90, 90));
  std::intptr_t before = path.handle;
  ASSERT_TRUE(path.Reset());
  EXPECT_EQ(path.handle, before);
  EXPECT_TRUE(PointsOf(path).empty());
  Canvas canvas(10, 10);
  Fill(canvas, path);
  EXPECT_EQ(canvas.CountPainted(), 0);
  // Ready for the next shape.
  ASSERT_TRUE(path.AddEllipse(0, 0, 10, 10));
  Fill(canvas, path);
  EXPECT_TRUE(canvas.Painted(5, 5));
}

TEST(Paths, StringsBecomeOutlinesInsideTheirLayout) {
  FontFamily family;
  FontCollection installed;
  ASSERT_TRUE(family.CreateFromName("宋体", installed));
  StringFormat format;
  ASSERT_TRUE(format.Create());
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddString("标题", family, 20, {10, 5, 60, 30}, 0, format));
  EXPECT_TRUE(family.Delete());
  Canvas canvas(100, 50);
  Pen pen;
  ASSERT_TRUE(pen.Create(0xFFFFFFFFu, 1.0f));
  ASSERT_TRUE(canvas.graphics.DrawPath(pen, path));
  RECT painted = canvas.PaintedBounds();
  EXPECT_GT(canvas.CountPainted(), 40);
  EXPECT_GE(painted.left, 9);
  EXPECT_GE(painted.top, 4);
  EXPECT_LE(painted.right, 72);
  EXPECT_LE(painted.bottom, 37);
}

TEST(Paths, EmptyPathsFailAndDeleteOnce) {
  GraphicsPath path;
  EXPECT_FALSE(path.AddLine(0, 0, 1, 1));
  EXPECT_FALSE(path.AddRoundRect(0, 0, 10, 10, 20));
  EXPECT_FALSE(path.Reset());
  EXPECT_FALSE(path.Delete());
  ASSERT_TRUE(path.Create());
  EXPECT_TRUE(path.Delete());
  EXPECT_FALSE(path.Delete());

  Region region;
  EXPECT_FALSE(region.Delete());
  ASSERT_TRUE(region.Create());
  EXPECT_TRUE(region.Delete());
  EXPECT_FALSE(region.Delete());
}

}  // namespace
