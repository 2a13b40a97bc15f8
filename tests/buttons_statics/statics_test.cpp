// Static controls: classification and widening, the painted looks of text, bitmap and icon
// statics, blank statics left to their own procedure, the font fallback and owned objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "styling/buttons/buttons.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/statics/statics.h"
#include "tests/buttons_statics/styled_host.h"

namespace {

const Rgb Red{255, 0, 0};

StaticEntry& EntryOf(StyledHost& host, HWND control) {
  return host.Record().statics[static_cast<int>(ReadProperty(control, EntryIndexProperty))];
}

SIZE SizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

HBITMAP RedBitmap(int size) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RECT all{0, 0, size, size};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, red);
  DeleteObject(red);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

TEST(Statics, KindsPlacementsAndWideningAreSetOnceByTheInstaller) {
  StyledHost host;
  struct Case {
    DWORD style;
    StaticKind kind;
    ImagePlacement placement;
  } cases[] = {
      {SS_LEFT, StaticTextKind, PlaceTopLeft},
      {SS_CENTER | SS_NOPREFIX, StaticTextKind, PlaceTopLeft},
      {SS_ICON, StaticIconKind, PlaceTopLeft},
      {SS_ICON | SS_CENTERIMAGE, StaticIconKind, PlaceCentred},
      {SS_SIMPLE, StaticTextKind, PlaceTopLeft},  // the type, not its bits, decides
      {SS_BLACKFRAME, StaticDrawnByItselfKind, PlaceTopLeft},
      {SS_ETCHEDHORZ, StaticDrawnByItselfKind, PlaceTopLeft},
      {SS_BITMAP, StaticBitmapKind, PlaceTopLeft},
      {SS_BITMAP | SS_CENTERIMAGE, StaticBitmapKind, PlaceCentred},
      {SS_BITMAP | SS_REALSIZECONTROL, StaticBitmapKind, PlaceStretched},
      {SS_BITMAP | SS_CENTERIMAGE | SS_REALSIZECONTROL, StaticBitmapKind, PlaceCentred},
      {SS_BITMAP | SS_RIGHTJUST, StaticBitmapKind, PlaceBottomRight},
  };
  HWND statics[std::size(cases)];
  SIZE before[std::size(cases)];
  for (size_t i = 0; i < std::size(cases); ++i) {
    int row = static_cast<int>(i);
    statics[i] =
        host.AddChild("Static", "", cases[i].style, 5 + 70 * (row % 4), 5 + 45 * (row / 4), 40, 30);
    before[i] = SizeOf(statics[i]);
  }
  InstallStatics(host.StyleIndex(), host.window, 6);
  InstallStatics(host.StyleIndex(), host.window, 6);  // a second pass changes nothing

  ASSERT_EQ(host.Record().statics.Count(), static_cast<int>(std::size(cases)));
  for (size_t i = 0; i < std::size(cases); ++i) {
    HWND control = statics[i];
    const StaticEntry& entry = EntryOf(host, control);
    EXPECT_EQ(ReadProperty(control, EntryIndexProperty), static_cast<int>(i) + 1);
    EXPECT_EQ(ReadProperty(control, StyleIndexProperty), host.StyleIndex());
    EXPECT_EQ(entry.window, control);
    EXPECT_EQ(entry.kind, cases[i].kind) << i;
    if (entry.kind != StaticTextKind) {
      EXPECT_EQ(entry.placement, cases[i].placement) << i;
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(control, ProcProperty)), entry.priorProc);
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(StaticWndProc));
    SIZE after = SizeOf(control);
    int widened = entry.kind == StaticTextKind ? 6 : 0;
    EXPECT_EQ(after.cx, before[i].cx + widened) << i;
    EXPECT_EQ(after.cy, before[i].cy) << i;
  }
}

TEST(Statics, BitmapsAreDrawnWhereTheirPlacementPutsThem) {
  const Rgb frame{40, 40, 40};
  StyledHost host(RGB(40, 40, 40));
  HBITMAP bitmap = RedBitmap(10);
  DWORD styles[] = {SS_BITMAP, SS_BITMAP | SS_RIGHTJUST, SS_BITMAP | SS_CENTERIMAGE,
                    SS_BITMAP | SS_REALSIZECONTROL};
  HWND statics[4];
  for (int i = 0; i < 4; ++i) {
    statics[i] = host.AddChild("Static", "", styles[i], 10 + 60 * i, 10, 40, 30);
    SendMessageA(statics[i], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    // The system fits some statics to their bitmap; give them room again.
    SetWindowPos(statics[i], nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
  }
  InstallStatics(host.StyleIndex(), host.window, 6);
  for (HWND control : statics) Repaint(control);

  HWND topLeft = statics[0], bottomRight = statics[1], centred = statics[2], stretched = statics[3];
  EXPECT_EQ(PixelOf(topLeft, 1, 1), Red);
  EXPECT_EQ(PixelOf(topLeft, 8, 8), Red);
  EXPECT_EQ(PixelOf(topLeft, 38, 28), frame);
  EXPECT_EQ(PixelOf(bottomRight, 38, 28), Red);
  EXPECT_EQ(PixelOf(bottomRight, 31, 21), Red);
  EXPECT_EQ(PixelOf(bottomRight, 1, 1), frame);
  EXPECT_EQ(PixelOf(centred, 16, 11), Red);
  EXPECT_EQ(PixelOf(centred, 23, 18), Red);
  EXPECT_EQ(PixelOf(centred, 1, 1), frame);
  EXPECT_EQ(PixelOf(centred, 38, 28), frame);
  EXPECT_EQ(PixelOf(stretched, 2, 2), Red);
  EXPECT_EQ(PixelOf(stretched, 34, 24), Red);  // the very edge is blended

  // Without an image, a direct paint (as on WM_SETTEXT) leaves the screen as it is.
  SendMessageA(centred, STM_SETIMAGE, IMAGE_BITMAP, 0);
  HDC dc = GetDC(centred);
  SetPixel(dc, 16, 11, RGB(0, 0, 255));
  ReleaseDC(centred, dc);
  PaintStatic(centred);
  EXPECT_EQ(PixelOf(centred, 16, 11), (Rgb{0, 0, 255}));
  for (HWND control : statics) DestroyWindow(control);
  DeleteObject(bitmap);
}

TEST(Statics, IconsAreDrawnAtTheCornerOrStretched) {
  const Rgb frame{40, 40, 40};
  StyledHost host(RGB(40, 40, 40));
  HICON icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ERROR));
  ASSERT_NE(icon, nullptr);
  HWND corner = host.AddChild("Static", "", SS_ICON, 10, 10, 60, 60);
  HWND stretched = host.AddChild("Static", "", SS_ICON | SS_REALSIZECONTROL, 80, 10, 60, 60);
  for (HWND control : {corner, stretched}) {
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetWindowPos(control, nullptr, 0, 0, 60, 60, SWP_NOMOVE | SWP_NOZORDER);
  }
  InstallStatics(host.StyleIndex(), host.window, 6);
  for (HWND control : {corner, stretched}) Repaint(control);

  auto rightmostDrawn = [&](HWND control) {
    Snapshot shot = Capture(control);
    int right = -1;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        if (!(shot.At(x, y) == frame)) right = std::max(right, x);
      }
    }
    return right;
  };
  int iconWidth = GetSystemMetrics(SM_CXICON);
  int cornerRight = rightmostDrawn(corner);
  EXPECT_GE(cornerRight, iconWidth / 2) << "the icon is drawn";
  EXPECT_LT(cornerRight, iconWidth) << "at its own size";
  EXPECT_GE(rightmostDrawn(stretched), iconWidth + 10) << "stretched to the client rectangle";
}

TEST(Statics, BlankStaticsArePaintedByTheirOwnProcedureOverTheBackground) {
  const Rgb frame{40, 40, 40};
  StyledHost host(RGB(40, 40, 40));
  host.staticBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));  // draws nothing
  HWND half = host.AddChild("Static", "   ", SS_LEFT, 10, 10, 60, 24);
  HWND full = host.AddChild("Static", "　　", SS_LEFT, 10, 40, 60, 24);
  HWND mixed = host.AddChild("Static", " 　 ", SS_LEFT, 10, 70, 60, 24);
  HWND empty = host.AddChild("Static", "", SS_LEFT, 10, 100, 60, 24);
  HWND iconless = host.AddChild("Static", "", SS_ICON | SS_CENTERIMAGE, 10, 130, 40, 40);
  HWND text = host.AddChild("Static", "Ab", SS_LEFT, 100, 10, 60, 24);
  InstallStatics(host.StyleIndex(), host.window, 6);
  for (HWND control : {half, full, mixed, empty, iconless}) {
    Repaint(control);
    Snapshot shot = Capture(control);
    EXPECT_EQ(shot.Count([&](const Rgb& p) { return !(p == frame); }), 0)
        << "only the background, no halo";
  }
  Repaint(text);
  EXPECT_GT(Capture(text).Count([](const Rgb& p) { return p.r > 90; }), 10) << "the halo";
}

HBRUSH panelBrush = nullptr;

LRESULT CALLBACK BrushPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC && panelBrush) return reinterpret_cast<LRESULT>(panelBrush);
  return DefWindowProcA(window, message, wParam, lParam);
}

// A blank static's look is kept between paints, yet a parent of the program's own is asked for
// its brush each time: a new one shows at the next paint (the third may reuse the first's handle).
TEST(Statics, ABlankStaticShowsTheBrushItsProgramsParentAnswersNow) {
  StyledHost host(RGB(40, 40, 40));
  HWND panel = host.AddChild("Static", "", SS_LEFT, 10, 10, 120, 80);
  SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BrushPanelProc));
  HWND blank = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 60, 24,
                               panel, nullptr, nullptr, nullptr);
  InstallStatics(host.StyleIndex(), panel, 6);
  for (Rgb colour : {Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{0, 255, 0}}) {
    HBRUSH old = std::exchange(panelBrush, CreateSolidBrush(RGB(colour.r, colour.g, colour.b)));
    if (old) DeleteObject(old);
    Repaint(blank);
    EXPECT_EQ(PixelOf(blank, 30, 12), colour);
  }
  DestroyWindow(panel);
  DeleteObject(std::exchange(panelBrush, nullptr));
}

// A static's border is the system's to draw, though a static without one gets no non-client paint.
TEST(Statics, ABorderedStaticKeepsTheSystemsBorder) {
  StyledHost host(RGB(40, 40, 40)), plainHost(RGB(40, 40, 40));
  HWND plain = plainHost.AddChild("Static", "Ab", SS_LEFT | WS_BORDER, 10, 10, 60, 24);
  HWND bordered = host.AddChild("Static", "Ab", SS_LEFT | WS_BORDER, 10, 10, 60, 24);
  InstallStatics(host.StyleIndex(), host.window, 6);
  for (HWND control : {plain, bordered}) {
    RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_EQ(Capture(bordered, true).At(0, 12), Capture(plain, true).At(0, 12));
}

TEST(Statics, BlankTextsAreSpacesOfEitherWidthOnly) {
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText(nullptr));
  EXPECT_TRUE(IsBlankText(" \xA1\xA1 "));
  EXPECT_FALSE(IsBlankText(" a "));
  EXPECT_FALSE(IsBlankText("\xA1\xA2")) << "another full-width sign";
  EXPECT_FALSE(IsBlankText("\xB0\xA1\xA1\xA1")) << "a character, then a full-width space";
  EXPECT_FALSE(IsBlankText("\xA1")) << "half a character";
}

// The paint of a blank static ends with EndPaint: the caret that BeginPaint hid shows again.
TEST(Statics, PaintingABlankStaticShowsItsCaretAgain) {
  StyledHost host(RGB(40, 40, 40));
  host.staticBrush = CreateSolidBrush(RGB(0, 255, 0));
  HWND blank = host.AddChild("Static", "  ", SS_LEFT, 10, 10, 60, 24);
  InstallStatics(host.StyleIndex(), host.window, 6);
  Repaint(blank);
  ASSERT_EQ(PixelOf(blank, 30, 12), (Rgb{0, 255, 0})) << "drawn by the control's procedure";

  UINT blink = GetCaretBlinkTime();
  SetCaretBlinkTime(60000);  // no blink while the test looks
  ASSERT_TRUE(CreateCaret(blank, nullptr, 4, 16));
  SetCaretPos(2, 2);
  ShowCaret(blank);
  Repaint(blank);
  EXPECT_EQ(PixelOf(blank, 3, 8), (Rgb{255, 0, 255})) << "the inverted caret is visible";
  Repaint(blank);
  EXPECT_EQ(PixelOf(blank, 3, 8), (Rgb{255, 0, 255})) << "and stays so paint after paint";
  DestroyCaret();
  SetCaretBlinkTime(blink);
}

TEST(Statics, TextIsDrawnBlackWithAWhiteHaloInsideTheWidenedClient) {
  const Rgb frame{40, 40, 40};
  StyledHost host(RGB(40, 40, 40));
  HWND text = host.AddChild("Static", "WW", SS_LEFT, 10, 10, 80, 30);
  InstallStatics(host.StyleIndex(), host.window, 6);
  Repaint(text);
  Snapshot shot = Capture(text);
  EXPECT_EQ(shot.width, 86);
  int black = shot.Count([](const Rgb& p) { return p.r < 25 && p.g < 25 && p.b < 25; });
  int halo = shot.Count([&](const Rgb& p) { return p.r > frame.r + 40; });
  EXPECT_GT(black, 10) << "the text itself";
  EXPECT_GT(halo, black) << "a glow wider than the strokes";
  EXPECT_EQ(shot.At(shot.width - 1, shot.height - 1), frame) << "far from the text: background";
}

TEST(Statics, NewTextIsShownInTheHaloLook) {
  StyledHost host(RGB(40, 40, 40));
  host.staticBrush = CreateSolidBrush(RGB(0, 255, 0));
  HWND text = host.AddChild("Static", "Ab", SS_LEFT, 10, 10, 80, 30);
  InstallStatics(host.StyleIndex(), host.window, 6);
  Repaint(text);
  SetWindowTextA(text, "Cd");
  Pump();
  UpdateWindow(text);
  auto green = [](const Rgb& p) { return p.g > 200 && p.r < 60 && p.b < 60; };
  EXPECT_EQ(Capture(text).Count(green), 0) << "no system look left behind";
  EXPECT_GT(Capture(text).Count([](const Rgb& p) { return p.r < 25 && p.g < 25; }), 5);
}

// GDI+ has no family for a vertical ("@") face, so such a font reads as none.
HFONT FontOf(const char* face, int height, int weight, bool italic) {
  return CreateFontA(height, 0, 0, 0, weight, italic, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0,
                     face);
}

// Fonts are read once per description: a handle freed and made again for another font, or two
// fonts that differ in one field, are each read as themselves, however often and in what order.
TEST(Statics, EachFontIsReadAsItselfWhateverWasReadBefore) {
  const struct {
    const char* face;
    int height;
    int weight;
    bool italic;
    int size;   // expected em size
    int style;  // expected bold and italic bits
  } rows[] = {
      {"宋体", -16, FW_BOLD, true, 16, 3},    {"宋体", -16, FW_NORMAL, true, 16, 2},
      {"宋体", -16, FW_NORMAL, false, 16, 0}, {"宋体", -12, FW_NORMAL, false, 12, 0},
      {"黑体", -12, FW_BOLD, false, 12, 1},   {"宋体", -20, FW_BOLD, false, 20, 1},
  };
  HWND window = CreateWindowExA(0, "Static", "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& row : rows) {
      HFONT font = CreateFontA(row.height, 0, 0, 0, row.weight, row.italic, FALSE, FALSE,
                               GB2312_CHARSET, 0, 0, 0, 0, row.face);
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      ControlFont read = ReadControlFont(window);
      SendMessageA(window, WM_SETFONT, 0, FALSE);
      DeleteObject(font);  // the next row's font may get the same handle
      EXPECT_FALSE(read.fontName.empty()) << row.face << " " << row.height << " pass " << pass;
      EXPECT_EQ(read.fontSize, row.size) << row.face << " " << row.height << " pass " << pass;
      EXPECT_EQ(read.fontStyle & 3, row.style) << row.face << " " << row.weight << " pass " << pass;
    }
  }
  DestroyWindow(window);
}

TEST(Statics, AStaticWithoutAUsableFontTakesItsParentsOrTheDefault) {
  StyledHost host;
  HFONT vertical = FontOf("@宋体", -16, FW_NORMAL, false);
  HWND child = host.AddChild("Static", "x", SS_LEFT, 10, 10, 60, 20);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(vertical), FALSE);
  ASSERT_TRUE(ReadControlFont(child).fontName.empty());
  host.font = FontOf("宋体", -20, FW_BOLD, true);
  ControlFont parent = ReadControlFont(host.window);
  ASSERT_FALSE(parent.fontName.empty());
  InstallStatics(host.StyleIndex(), host.window, 6);
  const StaticEntry& fromParent = EntryOf(host, child);
  EXPECT_EQ(fromParent.caption.Font().fontName, parent.fontName);
  EXPECT_EQ(fromParent.caption.Font().fontSize, parent.fontSize);
  EXPECT_EQ(fromParent.caption.Font().fontStyle, parent.fontStyle);
  EXPECT_TRUE(fromParent.caption.Font().fontStyle & 2) << "italic, as the parent's font";

  StyledHost plainHost;
  plainHost.font = FontOf("@宋体", -20, FW_BOLD, true);
  HWND orphan = plainHost.AddChild("Static", "x", SS_LEFT, 10, 10, 60, 20);
  SendMessageA(orphan, WM_SETFONT, reinterpret_cast<WPARAM>(vertical), FALSE);
  InstallStatics(plainHost.StyleIndex(), plainHost.window, 6);
  const StaticEntry& fallback = EntryOf(plainHost, orphan);
  EXPECT_EQ(fallback.caption.Font().fontName, "宋体");
  EXPECT_EQ(fallback.caption.Font().fontSize, 12);
  EXPECT_EQ(fallback.caption.Font().fontStyle, 0);
  DestroyWindow(child);
  DestroyWindow(orphan);
  DeleteObject(vertical);
}

TEST(Statics, OwnedObjectsGoWithTheControlAndEraseOfBothFamiliesSetsTheTextColour) {
  StyledHost host;
  HWND control = host.AddChild("Static", "x", SS_LEFT, 10, 10, 60, 20);
  HWND button = host.AddChild("BUTTON", "ok", BS_PUSHBUTTON, 10, 40, 60, 20);
  InstallStatics(host.StyleIndex(), host.window, 6);
  InstallPushButtons(host.StyleIndex(), host.window);
  EXPECT_EQ(SendMessageA(button, WM_NCPAINT, 1, 0), 1);
  for (HWND styled : {control, button}) {
    HDC memory = CreateCompatibleDC(nullptr);
    SetTextColor(memory, RGB(9, 9, 9));
    SetPropA(styled, TextColourProperty, reinterpret_cast<HANDLE>(RGB(1, 2, 3)));
    EXPECT_EQ(SendMessageA(styled, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0),
              static_cast<LRESULT>(RGB(9, 9, 9)))
        << "the previous text colour";
    EXPECT_EQ(GetBkMode(memory), TRANSPARENT);
    EXPECT_EQ(GetTextColor(memory), RGB(1, 2, 3));
    DeleteDC(memory);
  }

  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  SetPropA(control, BackgroundBrushProperty, brush);
  SetPropA(control, BackgroundBitmapProperty, bitmap);
  DestroyWindow(control);
  EXPECT_EQ(GetObjectType(brush), 0u) << "deleted on WM_DESTROY";
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
