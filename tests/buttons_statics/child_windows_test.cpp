// The shared child-window helpers: a child's place in its parent, the child-clipped DC and the
// invalidation of visible children.
#include <windows.h>

#include <gtest/gtest.h>

#include "styling/records/child_windows.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"

namespace {

TEST(ChildWindows, RectInParentIsInClientCoordinatesAndEmptyForAStyledWindow) {
  StyledHost host;  // has a caption, so window and client origins differ
  HWND child = host.AddChild("Static", "", SS_LEFT, 10, 40, 60, 20);
  RECT r = GetRectInParent(child);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 70);
  EXPECT_EQ(r.bottom, 60);
  RECT own = GetRectInParent(host.window);
  EXPECT_TRUE(own.left == 0 && own.top == 0 && own.right == 0 && own.bottom == 0);
}

TEST(ChildWindows, ClippedDcSparesVisibleOpaqueChildrenOnly) {
  StyledHost host;
  HWND opaque = host.AddChild("Static", "", SS_BLACKRECT, 10, 10, 40, 40);
  HWND seeThrough = host.AddChild("Static", "", SS_BLACKRECT, 60, 10, 40, 40, WS_EX_TRANSPARENT);
  HWND hidden = host.AddChild("Static", "", SS_BLACKRECT, 110, 10, 40, 40);
  ShowWindow(hidden, SW_HIDE);
  UpdateWindow(host.window);
  UpdateWindow(opaque);
  UpdateWindow(seeThrough);

  HDC own = GetDC(host.window);
  EXPECT_EQ(GetChildClippedDC(host.window, own, true), own) << "the given DC is used";
  ReleaseDC(host.window, own);

  HDC dc = GetChildClippedDC(host.window);
  ASSERT_NE(dc, nullptr);
  RECT all{0, 0, 300, 200};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  ReleaseDC(host.window, dc);

  const Rgb painted{255, 0, 255};
  EXPECT_FALSE(PixelOf(host.window, 30, 30) == painted) << "a visible child is cut out";
  EXPECT_EQ(PixelOf(host.window, 80, 30), painted) << "a WS_EX_TRANSPARENT child is not";
  EXPECT_EQ(PixelOf(host.window, 130, 30), painted) << "nor a hidden one";
  EXPECT_EQ(PixelOf(host.window, 5, 5), painted);
}

TEST(ChildWindows, OnlyVisibleChildrenAreInvalidated) {
  StyledHost host;
  HWND shown = host.AddChild("Static", "a", SS_LEFT, 10, 10, 40, 20);
  HWND hidden = host.AddChild("Static", "b", SS_LEFT, 10, 40, 40, 20);
  ShowWindow(hidden, SW_HIDE);
  Pump();
  ValidateRect(shown, nullptr);
  ValidateRect(hidden, nullptr);
  InvalidateVisibleChildren(host.window);
  EXPECT_TRUE(GetUpdateRect(shown, nullptr, FALSE));
  EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE));
  Pump();
}

}  // namespace
