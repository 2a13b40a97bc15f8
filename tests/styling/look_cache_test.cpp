// Kept looks: keys tell apart every input, a kept look comes back pixel for pixel, and a full
// cache lets its oldest look go.
#include <windows.h>

#include <gtest/gtest.h>

#include "styling/records/canvas.h"
#include "styling/records/look_cache.h"
#include "tests/styling/test_support.h"

namespace {

TEST(LookKey, KeysDifferWhenAnyInputDiffers) {
  struct Case {
    LookKey a, b;
  };
  RECT r1{0, 0, 10, 10}, r2{0, 0, 10, 11};
  Case cases[] = {
      {LookKey().Add("ab").Add("c"), LookKey().Add("a").Add("bc")},
      {LookKey().Add(1).Add(2), LookKey().Add(2).Add(1)},
      {LookKey().Add(r1), LookKey().Add(r2)},
      {LookKey().Add(""), LookKey()},
  };
  for (const Case& c : cases) EXPECT_FALSE(c.a == c.b);
  EXPECT_TRUE(LookKey().Add("x").Add(r1) == LookKey().Add("x").Add(r1));
}

COLORREF DrawnPixel(const LookCache& cache, const LookKey& key) {
  HDC target = CreateMemoryCanvas(4, 4);
  SetPixel(target, 1, 1, RGB(9, 9, 9));
  cache.Draw(key, target, 0, 0);
  COLORREF pixel = GetPixel(target, 1, 1);
  ReleaseCanvas(target);
  return pixel;
}

void KeepMoreThanFitAndCheck() {
  LookCache cache;
  for (int i = 0; i <= LookCache::Capacity; ++i) {
    HDC source = CreateMemoryCanvas(4, 4);
    SetPixel(source, 1, 1, RGB(i, 100, 200));
    cache.Keep(LookKey().Add(i), source, 4, 4);
    ReleaseCanvas(source);
  }
  EXPECT_EQ(cache.Count(), LookCache::Capacity);
  EXPECT_EQ(DrawnPixel(cache, LookKey().Add(0)), RGB(9, 9, 9));  // gone: nothing drawn
  EXPECT_EQ(DrawnPixel(cache, LookKey().Add(3)), RGB(3, 100, 200));
  HDC screen = GetDC(nullptr);
  EXPECT_FALSE(cache.Draw(LookKey().Add(99), screen, 0, 0));
  ReleaseDC(nullptr, screen);
}

TEST(LookCache, KeepsLooksByKeyAndLetsTheOldestGo) {
  KeepMoreThanFitAndCheck();  // what GDI sets up once on first use stays
  int freeBefore = CountFreeGdiSlots();
  KeepMoreThanFitAndCheck();
  EXPECT_EQ(CountFreeGdiSlots(), freeBefore);  // every bitmap freed with the cache
}

}  // namespace
