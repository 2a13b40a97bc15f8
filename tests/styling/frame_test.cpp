// The frame procedure: hit zones, resizing, the painted frame, the close button's looks and
// actions, the focus animation, and the GDI handles of many styled boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/styling/test_support.h"

namespace {

struct Rgb {
  int r, g, b;
  int Brightness() const { return (r + g + b) / 3; }
};

Rgb PixelOf(HDC dc, int x, int y) {
  COLORREF c = GetPixel(dc, x, y);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// A routed dialog-class window, torn down with its record at the end of the scope.
struct RoutedWindow {
  HWND window;
  explicit RoutedWindow(const char* caption, int x = 100, int y = 100, int w = 240, int h = 150)
      : window(CreateDialogClassWindow(caption, x, y, w, h)) {
    RouteDialog(window);
  }
  ~RoutedWindow() { DestroyWindow(window); }
  StyleRecord& Record() { return StyleRecordList[FindStyleRecord(window)]; }
  RECT Rect() const {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
};

LRESULT HitAt(HWND window, int x, int y) { return FrameHitTest(window, MAKELPARAM(x, y)); }

TEST(Frame, HitZonesAreCloseCaptionBandAndClient) {
  RoutedWindow w("zones");
  RECT r = w.Rect();
  int closeLeft = r.left + w.Record().captionButtonsLeft;
  EXPECT_EQ(w.Record().captionButtonsLeft, r.right - r.left - 36);
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.top + 10), HTCLOSE);
  EXPECT_EQ(HitAt(w.window, closeLeft + 1, r.top + 4), HTCLOSE);
  EXPECT_EQ(HitAt(w.window, r.right - 6, r.top + 20), HTCLOSE);
  EXPECT_EQ(HitAt(w.window, closeLeft, r.top + 10), HTCAPTION) << "left edge excluded";
  EXPECT_EQ(HitAt(w.window, r.right - 5, r.top + 10), HTCAPTION) << "right 5 pixels excluded";
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.top + 3), HTCAPTION) << "top 3 pixels excluded";
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.top + 21), HTCAPTION);
  EXPECT_EQ(HitAt(w.window, r.left + 10, r.top + 25), HTCAPTION) << "the band drags";
  EXPECT_EQ(HitAt(w.window, r.left + 10, r.top + 26), HTCLIENT);
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.bottom - 5), HTCLIENT);
  EXPECT_EQ(SendMessageA(w.window, WM_NCHITTEST, 0, MAKELPARAM(r.right - 10, r.top + 10)), HTCLOSE);
}

TEST(Frame, HitTestReadsSignedScreenCoordinates) {
  RoutedWindow w("left of the screen", -150, -10, 240, 150);
  RECT r = w.Rect();
  ASSERT_LT(r.left, 0);
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.top + 10), HTCLOSE);
  EXPECT_EQ(HitAt(w.window, r.left + 5, r.top + 5), HTCAPTION);
  EXPECT_EQ(HitAt(w.window, r.left + 5, r.top + 40), HTCLIENT);
}

TEST(Frame, ResizingRebuildsTheRegionAndMovesTheCloseButton) {
  RoutedWindow w("resize");
  SetWindowPos(w.window, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
  HRGN actual = CreateRectRgn(0, 0, 0, 0);
  HRGN expected = CreateRoundRectRgn(0, 0, 321, 201, 5, 5);
  ASSERT_NE(GetWindowRgn(w.window, actual), ERROR);
  EXPECT_TRUE(SameArea(actual, expected));
  EXPECT_FALSE(PtInRegion(actual, 319, 0)) << "the top-right corner is cut";
  DeleteObject(actual);
  DeleteObject(expected);
  EXPECT_EQ(w.Record().captionButtonsLeft, 320 - 36);
  const RectF& b = w.Record().captionButtons[1].bounds;
  EXPECT_EQ(b.x, 320 - 36);
  EXPECT_EQ(b.y, 0);
  EXPECT_EQ(b.width, 36);
  EXPECT_EQ(b.height, 22);
  RECT r = w.Rect();
  EXPECT_EQ(HitAt(w.window, r.right - 10, r.top + 10), HTCLOSE);
}

TEST(Frame, PaintsDarkBodyLighterBandGlyphAndGlowingCaption) {
  RoutedWindow w("WWWW");
  PaintFrame(w.window);
  HDC frame = w.Record().frameDC;
  ASSERT_NE(frame, nullptr);
  RECT r = w.Rect();
  int width = r.right - r.left, height = r.bottom - r.top;
  Rgb body = PixelOf(frame, width / 2, height - 20);
  EXPECT_NEAR(body.r, 100, 6);
  EXPECT_EQ(body.r, body.g);
  EXPECT_EQ(body.g, body.b);
  Rgb band = PixelOf(frame, width / 2 + 20, 4);
  EXPECT_GT(band.Brightness(), body.Brightness() + 30) << "the caption band is lighter";
  // The close glyph: a white cross centred in columns 13-23 and rows 3-13 of its image.
  const RectF& b = w.Record().captionButtons[1].bounds;
  Rgb cross = PixelOf(frame, static_cast<int>(b.x) + 18, static_cast<int>(b.y) + 3 + 8);
  EXPECT_GT(cross.Brightness(), 200);
  // The caption text: dark glyphs inside a white glow, left of the middle of the band.
  int darkest = 255, brightest = 0;
  for (int x = 25; x < 90; ++x) {
    for (int y = 2; y < 24; ++y) {
      int v = PixelOf(frame, x, y).Brightness();
      darkest = std::min(darkest, v);
      brightest = std::max(brightest, v);
    }
  }
  EXPECT_LT(darkest, 60);
  EXPECT_GT(brightest, 220);
  // The outer border is darker than the body next to it.
  EXPECT_LT(PixelOf(frame, 0, height / 2).Brightness(), body.Brightness());
}

TEST(Frame, CloseButtonHoverPaintsOnceAndRestores) {
  RoutedWindow w("hover");
  PaintFrame(w.window);
  StyleRecord& record = w.Record();
  const RectF& b = record.captionButtons[1].bounds;
  int px = static_cast<int>(b.x) + 8, py = static_cast<int>(b.y) + 18;  // inside, off the glyph
  Rgb normal = PixelOf(record.frameDC, px, py);
  EXPECT_EQ(SendMessageA(w.window, WM_NCMOUSEMOVE, HTCLOSE, 0), 0);
  EXPECT_TRUE(record.closeHot);
  Rgb hot = PixelOf(record.frameDC, px, py);
  EXPECT_GT(hot.r, hot.g + 40) << "red";
  PaintFrame(w.window);  // a full repaint while the pointer rests on it
  Rgb kept = PixelOf(record.frameDC, px, py);
  EXPECT_GT(kept.r, kept.g + 40) << "still red after a full paint";
  SetPixel(record.frameDC, px, py, RGB(0, 255, 0));  // a second move must not repaint
  SendMessageA(w.window, WM_NCMOUSEMOVE, HTCLOSE, 0);
  EXPECT_EQ(GetPixel(record.frameDC, px, py), RGB(0, 255, 0));
  SendMessageA(w.window, WM_NCMOUSEMOVE, HTCAPTION, 0);
  EXPECT_FALSE(record.closeHot);
  Rgb back = PixelOf(record.frameDC, px, py);
  EXPECT_EQ(back.r, normal.r);
  EXPECT_EQ(back.g, normal.g);
  // Leaving the non-client area altogether restores it too.
  SendMessageA(w.window, WM_NCMOUSEMOVE, HTCLOSE, 0);
  SendMessageA(w.window, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_FALSE(record.closeHot);
  EXPECT_EQ(PixelOf(record.frameDC, px, py).r, normal.r);
}

TEST(Frame, NonClientMessagesOfTheFrame) {
  RoutedWindow w("messages");
  EXPECT_EQ(SendMessageA(w.window, WM_NCACTIVATE, FALSE, 0), 1);
  EXPECT_EQ(SendMessageA(w.window, WM_NCPAINT, 1, 0), 0);
  EXPECT_EQ(SendMessageA(w.window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0), 0);
  EXPECT_EQ(SendMessageA(w.window, WM_NCLBUTTONDOWN, HTCLOSE, 0), 0);
  SendMessageA(w.window, WM_DRAWITEM, 0, 0);  // without its structure
  EXPECT_TRUE(IsWindow(w.window));
}

bool NearColour(Rgb p, COLORREF c) {
  return std::abs(p.r - GetRValue(c)) <= 12 && std::abs(p.g - GetGValue(c)) <= 12 &&
         std::abs(p.b - GetBValue(c)) <= 12;
}

// A dialog with a menu (a task manager's): the system draws and tracks the menu bar, which the
// frame leaves alone, and the window keeps its size.
TEST(Frame, AMenuBarStaysTheSystemsToDrawAndClick) {
  RoutedWindow w("menu");
  const RECT before = w.Rect();
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "File");
  ASSERT_TRUE(SetMenu(w.window, menu));  // the window destroys it with itself
  RedrawWindow(w.window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PaintFrame(w.window);
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(w.window, OBJID_MENU, 0, &bar));
  ASSERT_FALSE(IsRectEmpty(&bar.rcBar));
  const RECT after = w.Rect();
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top) << "the dialog does not grow";
  const int y = (bar.rcBar.top + bar.rcBar.bottom) / 2;
  EXPECT_EQ(HitAt(w.window, bar.rcBar.left + 10, y), HTMENU);
  // Right of its one item, the bar shows the system's menu colour, not the frame.
  HDC dc = GetWindowDC(w.window);
  Rgb face = PixelOf(dc, bar.rcBar.right - 10 - after.left, y - after.top);
  ReleaseDC(w.window, dc);
  EXPECT_TRUE(NearColour(face, GetSysColor(COLOR_MENU)) ||
              NearColour(face, GetSysColor(COLOR_MENUBAR)))
      << face.r << "," << face.g << "," << face.b;
}

TEST(Frame, CloseButtonClosesOnReleaseOnly) {
  bool aliveAfterPress = false;
  int result = RunStyledBox([&](HWND box) {
    SendMessageA(box, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    PumpFor(30);
    aliveAfterPress = IsWindowVisible(box);
    CloseBox(box, 0);  // nothing pressed by the helper: the release below closes the box
    SendMessageA(box, WM_NCLBUTTONUP, HTCLOSE, 0);
  });
  EXPECT_TRUE(aliveAfterPress);
  EXPECT_GE(result, 0) << "closed through WM_CLOSE, not by the helper's time-out";
  EXPECT_EQ(StyleRecordList.Count(), 0);
}

TEST(Frame, FocusAnimationEndsLayeredAt240AndLaterPaintsStillShow) {
  RoutedWindow w("focus");
  BYTE alpha = 0;
  DWORD flags = 0;
  PumpUntil(
      [&] {
        GetLayeredWindowAttributes(w.window, nullptr, &alpha, &flags);
        return alpha == FinalAlpha;
      },
      2000);
  ASSERT_EQ(alpha, FinalAlpha) << "faded in";
  // Under Wine every frame's UpdateLayeredWindow fails (the frames are window-sized, the
  // canvases client-sized), and a window layered anew without attributes shows black and
  // ignores its paints until the next SetLayeredWindowAttributes: the animation must end by
  // layering the window again at its own opacity.
  FocusAnimation(w.window);
  EXPECT_TRUE(GetWindowLongA(w.window, GWL_EXSTYLE) & WS_EX_LAYERED);
  alpha = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(w.window, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, FinalAlpha);
  EXPECT_TRUE(flags & LWA_ALPHA);
  EXPECT_EQ(MemoryDcRegistry.Count(), 0) << "both animation canvases released";
  // The focus arrives while a fade-in runs: the window still ends at its final opacity.
  SetLayeredWindowAttributes(w.window, 0, 96, LWA_ALPHA);
  FocusAnimation(w.window);
  GetLayeredWindowAttributes(w.window, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, FinalAlpha);
  // A paint after the animation reaches the screen.
  RECT r = w.Rect();
  SetWindowTextA(w.window, "");
  RedrawWindow(w.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(100);
  HDC screen = GetDC(nullptr);
  Rgb onScreen = PixelOf(screen, r.left + (r.right - r.left) / 2, r.bottom - 20);
  ReleaseDC(nullptr, screen);
  EXPECT_NEAR(onScreen.r, 100, 10) << "the frame's body, not a stale picture";
}

// Takes the free address space for the scope: no thread stack can be reserved meanwhile.
struct AddressSpaceTaken {
  std::vector<void*> blocks = std::vector<void*>(1 << 16);
  AddressSpaceTaken() {
    size_t n = 0;
    for (SIZE_T size = SIZE_T{256} << 20; size >= SIZE_T{64} << 10; size /= 4) {
      while (n < blocks.size() &&
             (blocks[n] = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)))
        ++n;
    }
  }
  ~AddressSpaceTaken() {
    for (void* block : blocks) VirtualFree(block, 0, MEM_RELEASE);
  }
};

DWORD WINAPI DoNothing(LPVOID) { return 0; }

TEST(Frame, AWindowWhoseFadeCannotStartIsShownAtOnce) {
  RoutedWindow w("no thread");
  PaintFrame(w.window);  // the paint below only copies the frame
  HANDLE thread = nullptr;
  {
    AddressSpaceTaken taken;
    thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
    RedrawWindow(w.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  ASSERT_EQ(thread, nullptr) << "threads could still be made";
  BYTE alpha = 0;
  GetLayeredWindowAttributes(w.window, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, FinalAlpha);
  EXPECT_FALSE(FadeStarted);
}

TEST(Frame, TwoHundredStyledBoxesLeaveNoGdiObjectsBehind) {
  RunStyledBox([](HWND) {});  // first use: caches of GDI+ and the system
  int freeBefore = CountFreeGdiSlots();
  int shown = 0;
  for (int i = 0; i < 200; ++i) {
    RunStyledBox([&](HWND) { ++shown; });
  }
  PumpFor(500);  // fade threads run out
  int freeAfter = CountFreeGdiSlots();
  std::printf("free GDI handle slots: %d before, %d after 200 styled boxes\n", freeBefore,
              freeAfter);
  EXPECT_EQ(shown, 200);
  EXPECT_GT(freeBefore, 1000) << "the count found the table's end";
  EXPECT_GE(freeAfter, freeBefore - 20) << "a leak of one object per box would show as 200";
  EXPECT_EQ(StyleRecordList.Count(), 0);
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
}

}  // namespace
