// The skin library itself, loaded from the build by its path as the program loads it, over
// windows of this test: what it skins, what it leaves alone, and the looks it paints (read
// back from the windows' pixels).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/skins.h"
#include "skinlib/skin_format.h"

namespace {

using she::Colour;
using she::Metric;

SkinAttachFunction Library() {
  static const SkinAttachFunction attach =
      LoadSkinAttachFunction(ExecutableDirectory() + L"\\" SKIN_LIBRARY_FROM_BIN);
  return attach;
}

int Attach(int number, int hue = 0, int saturation = 0, int brightness = 0) {
  const ByteSet skin = SkinSlot(number)->Copy();
  return Library()(skin.data(), static_cast<int>(skin.size()), "", hue, saturation, brightness);
}

she::SkinDescription Skin(int number) {
  she::SkinDescription d;
  she::ParseSkin(SkinSlot(number)->Data(), SkinSlot(number)->Length(), &d);
  return d;
}

COLORREF Ref(she::Rgb c) { return RGB(c.red, c.green, c.blue); }

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int slack = 0) {
  const int dr = std::abs(GetRValue(actual) - GetRValue(expected));
  const int dg = std::abs(GetGValue(actual) - GetGValue(expected));
  const int db = std::abs(GetBValue(actual) - GetBValue(expected));
  if (dr <= slack && dg <= slack && db <= slack) return ::testing::AssertionSuccess();
  char text[96];
  std::snprintf(text, sizeof text, "pixel %06lX, expected %06lX", actual, expected);
  return ::testing::AssertionFailure() << text;
}

// Each channel between the two colours' channels.
::testing::AssertionResult Between(COLORREF actual, COLORREF a, COLORREF b, int slack = 3) {
  auto inside = [slack](int v, int x, int y) {
    return v >= (x < y ? x : y) - slack && v <= (x > y ? x : y) + slack;
  };
  if (inside(GetRValue(actual), GetRValue(a), GetRValue(b)) &&
      inside(GetGValue(actual), GetGValue(a), GetGValue(b)) &&
      inside(GetBValue(actual), GetBValue(a), GetBValue(b))) {
    return ::testing::AssertionSuccess();
  }
  char text[96];
  std::snprintf(text, sizeof text, "pixel %06lX, expected between %06lX and %06lX", actual, a, b);
  return ::testing::AssertionFailure() << text;
}

// The colour a vertical gradient has at row y of `rows`.
COLORREF GradientAt(COLORREF top, COLORREF bottom, int y, int rows) {
  auto channel = [y, rows](int t, int b) { return t + (b - t) * y / rows; };
  return RGB(channel(GetRValue(top), GetRValue(bottom)), channel(GetGValue(top), GetGValue(bottom)),
             channel(GetBValue(top), GetBValue(bottom)));
}

// The darkest and lightest channels of the skin's texture.
void TextureRange(const she::SkinDescription& d, COLORREF* low, COLORREF* high) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  for (int i = 0; i < d.texture.width * d.texture.height * 3; ++i) {
    lo[i % 3] = std::min<int>(lo[i % 3], d.texture.pixels[i]);
    hi[i % 3] = std::max<int>(hi[i % 3], d.texture.pixels[i]);
  }
  *low = RGB(lo[0], lo[1], lo[2]);
  *high = RGB(hi[0], hi[1], hi[2]);
}

void Settle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A pixel in window coordinates (non-client area included) or in client coordinates.
COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

SIZE Chrome(HWND window) {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

SIZE SystemChrome(HWND window) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  return {r.right - r.left, r.bottom - r.top};
}

bool operator==(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A window laid out like the program's main window: a tab control below two push buttons,
// one of them disabled.
struct TestFrame {
  HWND window = nullptr, tab = nullptr, button = nullptr, disabled = nullptr;

  TestFrame(int x, int y) {
    static const bool ready = [] {
      INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
      InitCommonControlsEx(&controls);
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = L"SkinTestFrame";
      return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(ready);
    window =
        CreateWindowExW(0, L"SkinTestFrame", L"Skin test",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                        x, y, 256, 288, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                          240, 200, window, nullptr, nullptr, nullptr);
    for (const wchar_t* caption : {L"First page", L"Second"}) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(caption);
      SendMessageW(tab, TCM_INSERTITEMW, SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0),
                   reinterpret_cast<LPARAM>(&item));
    }
    button = CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 40,
                             80, 24, window, nullptr, nullptr, nullptr);
    disabled =
        CreateWindowExW(0, L"BUTTON", L"Off", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED,
                        100, 40, 80, 24, window, nullptr, nullptr, nullptr);
    SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    Settle(window);
  }
  ~TestFrame() {
    if (IsWindow(window)) DestroyWindow(window);
  }
  TestFrame(const TestFrame&) = delete;
  TestFrame& operator=(const TestFrame&) = delete;
};

// The dialog class, "#32770".
const auto kDialogClass = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(0x8002));

int creations = 0;
LRESULT CALLBACK CountCreations(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) ++creations;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs first in this suite: nothing has been attached in this process yet.
TEST(SkinLibrary, RejectsGarbageAndSkinsNothing) {
  ASSERT_NE(Library(), nullptr);
  TestFrame frame(20, 20);
  const SIZE before = Chrome(frame.window);
  ASSERT_TRUE(before == SystemChrome(frame.window));

  ByteSet skin = SkinSlot(6)->Copy();
  const int size = static_cast<int>(skin.size());
  EXPECT_EQ(Library()(nullptr, 0, "", 0, 0, 0), 0);
  EXPECT_EQ(Library()(nullptr, size, "", 0, 0, 0), 0);
  EXPECT_EQ(Library()(skin.data(), 0, "", 0, 0, 0), 0);
  EXPECT_EQ(Library()(skin.data(), -size, "", 0, 0, 0), 0);
  EXPECT_EQ(Library()(skin.data(), size - 1, "", 0, 0, 0), 0);
  EXPECT_EQ(Library()(skin.data(), size, "", 181, 0, 0), 0);
  ByteSet noise(6000);
  unsigned state = 12345;
  for (auto& b : noise) b = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 24);
  std::memcpy(noise.data(), ".SHE", 4);
  EXPECT_EQ(Library()(noise.data(), static_cast<int>(noise.size()), "", 0, 0, 0), 0);
  skin[20000] ^= 1;
  EXPECT_EQ(Library()(skin.data(), size, nullptr, 0, 0, 0), 0);

  TestFrame later(300, 20);
  RedrawWindow(frame.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  Settle(frame.window);
  EXPECT_TRUE(Chrome(frame.window) == before);
  EXPECT_TRUE(Chrome(later.window) == SystemChrome(later.window));
  EXPECT_TRUE(Near(ClientPixel(frame.window, 10, 230), GetSysColor(COLOR_BTNFACE)));
}

TEST(SkinLibrary, SkinsPresentAndFutureWindowsButNeverDialogs) {
  TestFrame present(20, 20);
  creations = 0;
  HHOOK own = SetWindowsHookExW(WH_CBT, CountCreations, nullptr, GetCurrentThreadId());

  ByteSet skin = SkinSlot(6)->Copy();
  ASSERT_EQ(Library()(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0), 1);
  skin.assign(skin.size(), 0);  // the library keeps nothing of the caller's block

  const she::SkinDescription d = Skin(6);
  const int border = d.metric(Metric::FrameWidth);
  const SIZE expected{2 * border, 2 * border + d.metric(Metric::CaptionHeight)};
  Settle(present.window);
  EXPECT_TRUE(Chrome(present.window) == expected);
  COLORREF low, high;
  TextureRange(d, &low, &high);
  EXPECT_TRUE(Between(ClientPixel(present.window, 10, 230), low, high, 0));

  TestFrame future(300, 20);
  EXPECT_TRUE(Chrome(future.window) == expected);
  EXPECT_TRUE(Between(ClientPixel(future.window, 10, 230), low, high, 0));
  // The library's hook hands every creation on to the hooks installed before it.
  EXPECT_GE(creations, 4);
  UnhookWindowsHookEx(own);

  // The styling engine's dialogs and their buttons keep the system's look here.
  HWND dialog = CreateWindowExW(0, kDialogClass, L"Dialog", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                600, 20, 200, 120, nullptr, nullptr, nullptr, nullptr);
  HWND inside = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, dialog,
                                nullptr, nullptr, nullptr);
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  Settle(dialog);
  EXPECT_TRUE(Chrome(dialog) == SystemChrome(dialog));
  EXPECT_TRUE(Near(ClientPixel(inside, 6, 12), GetSysColor(COLOR_BTNFACE)));
  DestroyWindow(dialog);
}

TEST(SkinLibrary, PaintsTabsAndButtonsInTheirLooks) {
  ASSERT_EQ(Attach(6), 1);
  TestFrame frame(20, 20);
  const she::SkinDescription d = Skin(6);
  auto colour = [&d](Colour c) { return Ref(d.colour(c)); };

  RECT first, second, page;
  SendMessageW(frame.tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(frame.tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  GetClientRect(frame.tab, &page);
  page.top = first.bottom;
  EXPECT_TRUE(
      Near(ClientPixel(frame.tab, first.left + 5, first.top + 3), colour(Colour::TabSelected)));
  EXPECT_TRUE(
      Near(ClientPixel(frame.tab, second.left + 5, second.bottom - 3), colour(Colour::TabFace)));
  EXPECT_TRUE(
      Near(ClientPixel(frame.tab, page.left + 5, page.bottom - 5), colour(Colour::TabPage)));
  SendMessageW(frame.tab, WM_MOUSEMOVE, 0, Point(second.left + 5, second.bottom - 3));
  Settle(frame.window);
  EXPECT_TRUE(
      Near(ClientPixel(frame.tab, second.left + 5, second.bottom - 3), colour(Colour::TabHover)));
  SendMessageW(frame.tab, WM_MOUSELEAVE, 0, 0);
  Settle(frame.window);
  EXPECT_TRUE(
      Near(ClientPixel(frame.tab, second.left + 5, second.bottom - 3), colour(Colour::TabFace)));
  // Beyond the last tab: the window's background shows through.
  COLORREF low, high;
  TextureRange(d, &low, &high);
  EXPECT_TRUE(Between(ClientPixel(frame.tab, page.right - 3, first.top + 3), low, high, 0));

  // Row 12 of a 24-pixel button; the face runs over rows 0 to 22.
  auto face = [&](Colour top, Colour bottom) {
    return GradientAt(colour(top), colour(bottom), 12, 22);
  };
  const COLORREF normal = face(Colour::ButtonTop, Colour::ButtonBottom);
  EXPECT_TRUE(Near(ClientPixel(frame.button, 6, 12), normal, 4));
  // Outside the rounded corner: the tab page behind the button.
  EXPECT_TRUE(Near(ClientPixel(frame.button, 0, 0), colour(Colour::TabPage)));

  SendMessageW(frame.button, WM_MOUSEMOVE, 0, Point(10, 10));
  EXPECT_TRUE(Near(ClientPixel(frame.button, 6, 12),
                   face(Colour::ButtonHoverTop, Colour::ButtonHoverBottom), 4));
  SendMessageW(frame.button, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(Near(ClientPixel(frame.button, 6, 12), normal, 4));

  SendMessageW(frame.button, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(Near(ClientPixel(frame.button, 6, 12),
                   face(Colour::ButtonPressedTop, Colour::ButtonPressedBottom), 4));
  SendMessageW(frame.button, BM_SETSTATE, FALSE, 0);
  SetWindowTextW(frame.button, L"Again");
  EXPECT_TRUE(Near(ClientPixel(frame.button, 6, 12), normal, 4));

  EXPECT_TRUE(Near(ClientPixel(frame.disabled, 6, 12), colour(Colour::ButtonDisabledFace)));
  EnableWindow(frame.disabled, TRUE);
  EXPECT_TRUE(Near(ClientPixel(frame.disabled, 6, 12), normal, 4));
}

TEST(SkinLibrary, CaptionButtonsWorkAndTheCaptionStaysSkinned) {
  ASSERT_EQ(Attach(6), 1);
  TestFrame frame(20, 20);
  SetActiveWindow(frame.window);
  Settle(frame.window);
  const she::SkinDescription d = Skin(6);
  auto colour = [&d](Colour c) { return Ref(d.colour(c)); };
  const int border = d.metric(Metric::FrameWidth), caption = d.metric(Metric::CaptionHeight);
  const int bw = d.metric(Metric::CaptionButtonWidth), bh = d.metric(Metric::CaptionButtonHeight);
  const int closeRight = 256 - border - d.metric(Metric::CaptionButtonMargin);
  const int minimiseRight = closeRight - bw - d.metric(Metric::CaptionButtonGap);
  const int buttonTop = border + (caption - bh) / 2, middle = buttonTop + bh / 2;
  RECT outer;
  GetWindowRect(frame.window, &outer);
  auto hit = [&](int x, int y) {
    return SendMessageW(frame.window, WM_NCHITTEST, 0, Point(outer.left + x, outer.top + y));
  };
  EXPECT_EQ(hit(closeRight - bw / 2, middle), HTCLOSE);
  EXPECT_EQ(hit(minimiseRight - bw / 2, middle), HTMINBUTTON);
  EXPECT_EQ(hit(128, middle), HTCAPTION);
  EXPECT_EQ(hit(128, 100), HTCLIENT);
  EXPECT_EQ(hit(1, 150), HTBORDER);

  // The lower half of the caption is the plain gradient, active or inactive.
  const int row = border + caption * 3 / 4;
  const bool active = GetActiveWindow() == frame.window;
  const COLORREF top = colour(active ? Colour::CaptionTop : Colour::InactiveCaptionTop);
  const COLORREF bottom = colour(active ? Colour::CaptionBottom : Colour::InactiveCaptionBottom);
  EXPECT_TRUE(Between(WindowPixel(frame.window, 150, row), top, bottom));
  // DefWindowProc would paint the system caption on a new title.
  SetWindowTextW(frame.window, L"Renamed");
  EXPECT_TRUE(Between(WindowPixel(frame.window, 150, row), top, bottom));

  const int closeFace = closeRight - bw + 3;  // inside the button, clear of its glyph
  SendMessageW(frame.window, WM_NCMOUSEMOVE, HTCLOSE,
               Point(outer.left + closeFace, outer.top + middle));
  EXPECT_TRUE(Near(WindowPixel(frame.window, closeFace, middle), colour(Colour::CloseButtonHover)));
  SendMessageW(frame.window, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_TRUE(Between(WindowPixel(frame.window, closeFace, middle), top, bottom));

  // Pressed on the button-down, run on the button-up over the same button.
  const int minimiseFace = minimiseRight - bw + 3;
  POINT inClient{outer.left + minimiseFace, outer.top + middle};
  ScreenToClient(frame.window, &inClient);
  SendMessageW(frame.window, WM_NCLBUTTONDOWN, HTMINBUTTON,
               Point(outer.left + minimiseFace, outer.top + middle));
  EXPECT_TRUE(
      Near(WindowPixel(frame.window, minimiseFace, middle), colour(Colour::CaptionButtonPressed)));
  SendMessageW(frame.window, WM_LBUTTONUP, 0, Point(inClient.x, inClient.y));
  EXPECT_TRUE(IsIconic(frame.window));
  ShowWindow(frame.window, SW_RESTORE);
  Settle(frame.window);

  POINT closeInClient{outer.left + closeFace, outer.top + middle};
  ScreenToClient(frame.window, &closeInClient);
  SendMessageW(frame.window, WM_NCLBUTTONDOWN, HTCLOSE,
               Point(outer.left + closeFace, outer.top + middle));
  SendMessageW(frame.window, WM_LBUTTONUP, 0, Point(closeInClient.x, closeInClient.y));
  EXPECT_FALSE(IsWindow(frame.window));
}

TEST(SkinLibrary, FollowsANewSkinAndItsAdjustments) {
  ASSERT_EQ(Attach(6), 1);
  TestFrame frame(20, 20);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.window, region), ERROR);  // skin 6 rounds the corners
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 128, 0));

  const she::SkinDescription dark = Skin(8);  // square, thin frame, taller caption
  ASSERT_EQ(Attach(8), 1);
  Settle(frame.window);
  const int border = dark.metric(Metric::FrameWidth);
  EXPECT_TRUE(Chrome(frame.window) ==
              (SIZE{2 * border, 2 * border + dark.metric(Metric::CaptionHeight)}));
  EXPECT_EQ(GetWindowRgn(frame.window, region), ERROR);
  COLORREF low, high;
  TextureRange(dark, &low, &high);
  EXPECT_TRUE(Between(ClientPixel(frame.window, 10, 230), low, high, 0));

  // Brightness -100 takes every colour, the texture's too, to black.
  ASSERT_EQ(Attach(6, 0, 0, -100), 1);
  Settle(frame.window);
  EXPECT_TRUE(Near(ClientPixel(frame.window, 10, 230), RGB(0, 0, 0)));
  EXPECT_TRUE(Near(WindowPixel(frame.window, 150, 20), RGB(0, 0, 0)));

  ASSERT_EQ(Attach(6), 1);
  Settle(frame.window);
  EXPECT_NE(GetWindowRgn(frame.window, region), ERROR);
  DeleteObject(region);
}

TEST(SkinLibrary, PrintsTheSkinnedFrame) {
  ASSERT_EQ(Attach(6), 1);
  TestFrame frame(20, 20);
  const she::SkinDescription d = Skin(6);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 256, 288);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  ASSERT_TRUE(PrintWindow(frame.window, memory, 0));
  const int border = d.metric(Metric::FrameWidth), caption = d.metric(Metric::CaptionHeight);
  const COLORREF printed = GetPixel(memory, 150, border + caption * 3 / 4);
  const bool active = GetActiveWindow() == frame.window;
  EXPECT_TRUE(
      Between(printed, Ref(d.colour(active ? Colour::CaptionTop : Colour::InactiveCaptionTop)),
              Ref(d.colour(active ? Colour::CaptionBottom : Colour::InactiveCaptionBottom))));
  COLORREF low, high;
  TextureRange(d, &low, &high);
  EXPECT_TRUE(Between(GetPixel(memory, border + 10, border + caption + 230), low, high, 0));
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// How many more GDI objects the process could make: the same before and after means nothing
// was left behind.
int CountFreeGdiSlots() {
  std::vector<HBRUSH> brushes;
  brushes.reserve(70000);
  while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) {
    brushes.push_back(brush);
    if (brushes.size() > 200000) break;  // no handle table is this large
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return static_cast<int>(brushes.size());
}

void PaintEverything(const TestFrame& frame) {
  RedrawWindow(frame.window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendMessageW(frame.button, WM_MOUSEMOVE, 0, Point(10, 10));
  SendMessageW(frame.button, BM_SETSTATE, TRUE, 0);
  SendMessageW(frame.button, BM_SETSTATE, FALSE, 0);
  SendMessageW(frame.button, WM_MOUSELEAVE, 0, 0);
  SendMessageW(frame.tab, WM_MOUSEMOVE, 0, Point(5, 5));
  SendMessageW(frame.window, WM_NCMOUSEMOVE, HTCLOSE, 0);
  SendMessageW(frame.window, WM_NCMOUSELEAVE, 0, 0);
  SetWindowTextW(frame.window, L"Counting");
  Settle(frame.window);
}

TEST(SkinLibrary, PaintingAndNewSkinsLeaveNoGdiObjectsBehind) {
  ASSERT_EQ(Attach(6), 1);
  {
    TestFrame warmUp(20, 20);  // first uses create the system's own caches
    PaintEverything(warmUp);
  }
  const int before = CountFreeGdiSlots();
  for (int round = 0; round < 20; ++round) {
    TestFrame frame(20, 20);
    for (int i = 0; i < 10; ++i) PaintEverything(frame);
    ASSERT_EQ(Attach(round % 2 ? 6 : 22), 1);
  }
  ASSERT_EQ(Attach(6), 1);
  const int after = CountFreeGdiSlots();
  std::printf("free GDI handle slots: %d before, %d after 200 paints and 21 skins\n", before,
              after);
  EXPECT_EQ(after, before);
}

}  // namespace
