#include "tests/drawing/drawing_test_support.h"

#include <gtest/gtest.h>

namespace {

// The program opens the session once at start-up; so does this test executable.
class GdiplusSession : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_NE(StartGdiplus(), 0u); }
};

[[maybe_unused]] const auto* const session =
    ::testing::AddGlobalTestEnvironment(new GdiplusSession);

}  // namespace

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

Canvas::Canvas(int w, int h) : width(w), height(h) {
  EXPECT_TRUE(bitmap.CreateEmpty(w, h, kArgb32, true));
  EXPECT_TRUE(graphics.CreateFromImage(bitmap));
  graphics.Clear(0);
}

int Canvas::CountPainted() {
  int count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) count += Painted(x, y) ? 1 : 0;
  return count;
}

RECT Canvas::PaintedBounds() {
  RECT bounds{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!Painted(x, y)) continue;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (bounds.right == 0) bounds = RECT{};
  return bounds;
}
