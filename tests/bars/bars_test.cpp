// Track bars, progress bars, up-down controls and headers in a styled dialog: painted lengths
// and marks on the controls' own scales, empty ranges, hover repaints and the header looks.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "gallery/gallery_table.h"
#include "gallery/gallery_toolbars.h"
#include "resources/images/images.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"
#include "styling/scrollbars/cover_state.h"
#include "styling/toolbars/toolbars.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);
const std::vector<GalleryControl>* shownControls = nullptr;

INT_PTR CALLBACK FillingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    FillGalleryControls(dialog, *shownControls);
    return TRUE;
  }
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDOK)) {
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}

// Shows a styled dialog holding the controls and runs the test while it is shown.
void WithDialog(const std::vector<GalleryControl>& controls,
                const std::function<void(HWND)>& test) {
  ASSERT_TRUE(classesRegistered);
  shownControls = &controls;
  DialogTemplate dialogTemplate = BuildGalleryTemplate(controls, "bars");
  RunStyledDialog(dialogTemplate.Get(), test, FillingDialogProc);
}

void AddNarrowColumns(HWND listView) {
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>("列");
    column.cx = 60;
    SendMessageA(listView, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}

// This family's rows of the gallery, and a report-view list view wider than its two columns.
const std::vector<GalleryControl>& BarsGallery() {
  static const std::vector<GalleryControl> controls = [] {
    std::vector<GalleryControl> rows;
    for (const GalleryControl& row : GalleryControls()) {
      if (row.id >= 500 && row.id < 600) rows.push_back(row);
    }
    rows.push_back({.className = WC_LISTVIEWA,
                    .style = LVS_REPORT | WS_BORDER,
                    .place = {5, 5, 200, 80},
                    .id = 599,
                    .fill = AddNarrowColumns});
    return rows;
  }();
  return controls;
}

bool IsAccent(const Rgb& p) { return p.b - p.r > 70 && p.g - p.r > 60; }
bool IsBright(const Rgb& p) { return p.r > 215 && p.g > 215 && p.b > 215; }

// Marks a pixel so that a repaint of the control shows as the mark's absence.
void Mark(HWND control, int x, int y) {
  HDC dc = GetDC(control);
  SetPixel(dc, x, y, RGB(255, 0, 0));
  ReleaseDC(control, dc);
}
bool Repainted(HWND control, int x, int y) { return !(PixelOf(control, x, y) == Rgb{255, 0, 0}); }

TEST(ProgressBars, FillAsFarAsThePositionLiesFromTheLowEnd) {
  struct Case {
    const char* name;
    DWORD style;
    int low, high, pos;
    double fraction;
  } cases[] = {{"at 0", 0, 0, 100, 0, 0},
               {"part-way", 0, 0, 100, 40, 0.4},
               {"at its top", 0, 0, 100, 100, 1},
               {"vertical part-way", PBS_VERTICAL, 0, 100, 30, 0.3},
               {"vertical at its top", PBS_VERTICAL, 0, 100, 100, 1},
               {"empty range", 0, 0, 0, 0, 0},
               {"50..150 at 100", 0, 50, 150, 100, 0.5},
               {"50..150 at 150", 0, 50, 150, 150, 1}};
  std::vector<GalleryControl> controls;
  for (short i = 0; i < static_cast<short>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    bool vertical = c.style & PBS_VERTICAL;
    // Horizontal bars one under the other, vertical ones side by side to their right.
    GalleryPlace place = vertical ? GalleryPlace{static_cast<short>(150 + 25 * i), 5, 12, 80}
                                  : GalleryPlace{5, static_cast<short>(5 + 20 * i), 120, 12};
    controls.push_back({.className = PROGRESS_CLASSA,
                        .style = c.style,
                        .place = place,
                        .id = static_cast<WORD>(500 + i),
                        .setup = {{PBM_SETRANGE32, static_cast<WPARAM>(c.low), c.high},
                                  {PBM_SETPOS, static_cast<WPARAM>(c.pos)}}});
  }
  WithDialog(controls, [&](HWND dialog) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      HWND bar = GetDlgItem(dialog, static_cast<int>(500 + i));
      UpdateWindow(bar);
      Snapshot shot = Capture(bar);
      bool vertical = c.style & PBS_VERTICAL;
      int length = vertical ? shot.height : shot.width;
      // The bar's outline lies 1 pixel in from its start and 2 from its end.
      int accent = 0, first = -1;
      for (int at = 0; at < length; ++at) {
        Rgb p = vertical ? shot.At(shot.width - 4, at) : shot.At(at, shot.height - 4);
        if (!IsAccent(p)) continue;
        ++accent;
        if (first < 0) first = at;
      }
      int filled = static_cast<int>(c.fraction * length);
      if (filled == 0) {
        EXPECT_EQ(accent, 0) << c.name;
        continue;
      }
      EXPECT_NEAR(accent, filled - 3, 2) << c.name;
      if (vertical) {
        EXPECT_NEAR(first, length - filled + 1, 2) << c.name << ": from the bottom";
      }
    }
  });
}

TEST(TrackBars, FilledPartSelectionAndThumbStayOnTheControlsScale) {
  enum Look { Accent, Bright, Plain, NotAccent };
  struct Probe {
    bool fromThumb;  // at thumb.left + at pixels, else at a fraction of the channel
    double at;
    Look look;
  };
  struct Case {
    const char* name;
    int min, max, pos, selStart, selEnd;
    std::vector<Probe> probes;
  } cases[] = {
      // At its maximum the filled part runs 10 pixels past the thumb's left edge.
      {"at its maximum", 0, 100, 100, 0, 0, {{true, 5, Accent}}},
      {"part-way", 0, 100, 50, 0, 0, {{true, -3, Accent}, {true, 3, NotAccent}}},
      {"50..150 selected", 50, 150, 50, 75, 125, {{false, 0.35, Bright}, {false, 0.65, Bright}}},
      {"50..150 outside", 50, 150, 50, 75, 125, {{false, 0.15, Plain}, {false, 0.8, Plain}}},
      {"empty range", 0, 0, 0, 0, 0, {{false, 0.1, Plain}, {false, 0.5, Plain}}},
  };
  std::vector<GalleryControl> controls;
  for (short i = 0; i < static_cast<short>(std::size(cases)); ++i) {
    const Case& c = cases[i];
    controls.push_back({.className = TRACKBAR_CLASSA,
                        .style = TBS_HORZ | TBS_ENABLESELRANGE,
                        .place = {5, static_cast<short>(5 + 30 * i), 150, 22},
                        .id = static_cast<WORD>(500 + i),
                        .setup = {{TBM_SETRANGEMIN, FALSE, c.min},
                                  {TBM_SETRANGEMAX, FALSE, c.max},
                                  {TBM_SETSELSTART, FALSE, c.selStart},
                                  {TBM_SETSELEND, FALSE, c.selEnd},
                                  {TBM_SETPOS, TRUE, c.pos}}});
  }
  WithDialog(controls, [&](HWND dialog) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      HWND bar = GetDlgItem(dialog, static_cast<int>(500 + i));
      ASSERT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), c.max) << c.name;
      UpdateWindow(bar);
      RECT channel{}, thumb{};
      SendMessageA(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
      SendMessageA(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      int row = channel.top + (channel.bottom - channel.top - 4) / 2 + 1;
      for (const Probe& probe : c.probes) {
        int x = probe.fromThumb
                    ? thumb.left + static_cast<int>(probe.at)
                    : channel.left + static_cast<int>(probe.at * (channel.right - channel.left));
        Rgb p = PixelOf(bar, x, row);
        EXPECT_EQ(IsAccent(p), probe.look == Accent) << c.name << " at " << probe.at;
        if (probe.look != NotAccent) {
          EXPECT_EQ(IsBright(p), probe.look == Bright) << c.name << " at " << probe.at;
        }
      }
      if (c.max == c.min) {
        Snapshot shot = Capture(bar);
        EXPECT_EQ(shot.Count(IsAccent), 0) << "nothing filled on an empty range";
      }
    }
  });
}

// The styled look is on screen when a message that changes the state returns. Wine's controls
// only invalidate themselves (nothing would show before the next WM_PAINT); classic Windows
// controls may draw the new state at once, which the styled look must cover.
TEST(TrackBarsAndProgressBars, ShowANewPositionAtOnce) {
  WithDialog(BarsGallery(), [&](HWND dialog) {
    HWND progress = GetDlgItem(dialog, 510), track = GetDlgItem(dialog, 501);
    SendMessageA(progress, PBM_SETPOS, 100, 0);
    Snapshot shot = Capture(progress);
    EXPECT_TRUE(IsAccent(shot.At(shot.width - 6, shot.height - 4))) << "full at once";
    SendMessageA(track, TBM_SETPOS, TRUE, 100);
    RECT thumb{};
    SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    Mark(track, thumb.left - 20, 2);
    SendMessageA(track, TBM_SETPOS, TRUE, 50);
    EXPECT_TRUE(Repainted(track, thumb.left - 20, 2));
  });
}

// Smears the window's whole area, or its client area only, in a colour no look has.
void Smear(HWND control, bool wholeWindow) {
  HDC dc = wholeWindow ? GetWindowDC(control) : GetDC(control);
  RECT area{0, 0, 400, 400};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &area, magenta);
  DeleteObject(magenta);
  ReleaseDC(control, dc);
}

// A control painted whole, border included, shows all of its look again after each kind of
// repaint: the border the WM_NCPAINT of a full repaint leaves to the paint that follows it is
// painted there.
TEST(TrackBarsAndProgressBars, ShowTheirWholeLookAgainAfterEachKindOfRepaint) {
  const struct {
    const char* repaint;
    bool wholeSmeared;
    UINT flags;
  } rows[] = {
      {"full", true, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW},
      {"client only", false, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW},
      {"frame and client, no erase", true, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW},
  };
  WithDialog(BarsGallery(), [&](HWND dialog) {
    for (int id : {501, 510, 513}) {
      HWND control = GetDlgItem(dialog, id);
      ASSERT_NE(control, nullptr) << id;
      RedrawWindow(control, nullptr, nullptr, rows[0].flags);
      const Snapshot look = Capture(control, true);
      for (const auto& row : rows) {
        Smear(control, row.wholeSmeared);
        RedrawWindow(control, nullptr, nullptr, row.flags);
        EXPECT_TRUE(Capture(control, true).pixels == look.pixels) << id << " " << row.repaint;
      }
    }
  });
}

TEST(UpDowns, RepaintOnceWhenThePointerCrossesToTheOtherHalf) {
  WithDialog(BarsGallery(), [&](HWND dialog) {
    HWND upDown = GetDlgItem(dialog, 521);
    RECT rect{};
    GetWindowRect(upDown, &rect);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    struct Move {
      int y;
      bool repaints;
    } moves[] = {{2, true}, {h / 2 - 2, false}, {h / 2 + 2, true}, {h - 2, false}, {1, true}};
    for (const Move& move : moves) {
      Mark(upDown, w / 2, h / 2);
      SendMessageA(upDown, WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, move.y));
      EXPECT_EQ(Repainted(upDown, w / 2, h / 2), move.repaints) << "to y " << move.y;
      // The hot half wears the accent outline.
      bool upper = move.y <= h / 2;
      EXPECT_EQ(IsAccent(PixelOf(upDown, 0, h / 4)), upper) << "to y " << move.y;
      EXPECT_EQ(IsAccent(PixelOf(upDown, 0, h * 3 / 4)), !upper) << "to y " << move.y;
    }
    // A repaint of the system's own keeps the half under the pointer hot, not the one last
    // clicked: the pointer is over the lower half, nothing was clicked.
    SendMessageA(upDown, WM_MOUSEMOVE, 0, MAKELPARAM(w / 2, h - 2));
    InvalidateRect(upDown, nullptr, FALSE);
    UpdateWindow(upDown);
    EXPECT_TRUE(IsAccent(PixelOf(upDown, 0, h * 3 / 4)));
    EXPECT_FALSE(IsAccent(PixelOf(upDown, 0, h / 4)));
    SendMessageA(upDown, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(IsAccent(PixelOf(upDown, 0, h * 3 / 4))) << "no hot half after leaving";
  });
}

TEST(Headers, HoverAndPressedLooksFollowTheItemsOfClickableHeadersOnly) {
  // The gallery's headers: columns 90, 60 and 70 wide; 530 is clickable, 531 is not.
  WithDialog(BarsGallery(), [&](HWND dialog) {
    struct Step {
      UINT message;
      int x;
      bool repaints;    // of the clickable header
      int lookOfFirst;  // 0 rest, 1 hover, 2 pressed
    } steps[] = {
        {WM_MOUSEMOVE, 20, true, 1},   {WM_MOUSEMOVE, 60, false, 1}, {WM_MOUSEMOVE, 100, true, 0},
        {WM_MOUSEMOVE, 140, false, 0}, {WM_MOUSEMOVE, 87, true, 0},  // 5 pixels beside a divider
        {WM_MOUSEMOVE, 93, false, 0},  {WM_MOUSEMOVE, 30, true, 1},  {WM_LBUTTONDOWN, 30, true, 2},
        {WM_LBUTTONUP, 30, true, 1},
    };
    for (int id : {530, 531}) {
      HWND header = GetDlgItem(dialog, id);
      bool clickable = id == 530;
      UpdateWindow(header);
      Snapshot rest = Capture(header);
      Rgb restFirst = rest.At(45, rest.height - 3);
      Rgb pressedFirst{};
      for (const Step& step : steps) {
        Mark(header, 200, 1);
        SendMessageA(header, step.message, step.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(step.x, 5));
        if (clickable) {
          EXPECT_EQ(Repainted(header, 200, 1), step.repaints) << "to x " << step.x;
        }
        Rgb first = PixelOf(header, 45, rest.height - 3);
        int look = !clickable ? 0 : step.lookOfFirst;
        EXPECT_EQ(first == restFirst, look == 0) << id << " to x " << step.x;
        if (look == 2) pressedFirst = first;
        if (look == 1 && pressedFirst.r) {
          EXPECT_FALSE(first == pressedFirst) << "hover, not pressed";
        }
      }
      SendMessageA(header, WM_MOUSELEAVE, 0, 0);
      EXPECT_TRUE(PixelOf(header, 45, rest.height - 3) == restFirst) << id;
    }
  });
}

TEST(Headers, TheLastColumnOfAWideListViewReachesItsRightEdge) {
  WithDialog(BarsGallery(), [&](HWND dialog) {
    HWND listView = GetDlgItem(dialog, 599);
    HWND header = FindWindowExA(listView, nullptr, WC_HEADERA, nullptr);
    ASSERT_NE(header, nullptr);
    ASSERT_NE(RecordOfControl(header), nullptr) << "the list view's header is styled";
    InvalidateRect(header, nullptr, TRUE);
    UpdateWindow(header);
    Snapshot shot = Capture(header);
    int y = shot.height / 2;
    ASSERT_GT(shot.width, 160);
    EXPECT_GT(shot.At(shot.width - 5, y).b, 200) << "the item's face, not the dark frame";
    // No divider where the second column ends; the last divider at the list's right edge.
    EXPECT_TRUE(shot.At(119, y).Near(shot.At(130, y), 6));
    EXPECT_LT(shot.At(shot.width - 1, y).r, shot.At(shot.width - 5, y).r - 10);
  });
}

// Kept looks, canvases and icons go with their dialog: showing and working the controls many
// times leaves nothing behind.
// The arrows of scroll bars, up-down controls and drop-down buttons at each DPI: the embedded
// image at 96, a sharp triangle of the scaled size (no half-inked pixel) elsewhere.
TEST(ArrowGlyphs, AreWholePixelTrianglesOfTheScaledSize) {
  struct Case {
    UINT dpi;
    ArrowDirection direction;
    int width, height;
    POINT point;  // the triangle's tip
  } table[] = {
      {96, ArrowDirection::Up, 7, 4, {3, 0}},      {120, ArrowDirection::Down, 9, 5, {4, 4}},
      {144, ArrowDirection::Left, 6, 11, {0, 5}},  {144, ArrowDirection::Up, 11, 6, {5, 0}},
      {192, ArrowDirection::Right, 8, 15, {7, 7}}, {192, ArrowDirection::Down, 15, 8, {7, 7}}};
  for (const Case& c : table) {
    SCOPED_TRACE(testing::Message()
                 << c.dpi << " dpi, direction " << static_cast<int>(c.direction));
    DpiScale scale{c.dpi};
    EXPECT_EQ(ArrowGlyphSize(c.direction, scale).cx, c.width);
    EXPECT_EQ(ArrowGlyphSize(c.direction, scale).cy, c.height);
    Bitmap glyph;
    ASSERT_TRUE(LoadArrowGlyph(glyph, c.direction, scale));
    ASSERT_EQ(glyph.Width(), c.width);
    ASSERT_EQ(glyph.Height(), c.height);
    bool alongX = c.direction == ArrowDirection::Left || c.direction == ArrowDirection::Right;
    int depth = alongX ? c.width : c.height;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        // Inked when no farther across the base from the tip than along the depth.
        int along = alongX ? std::abs(x - c.point.x) : std::abs(y - c.point.y);
        int across = alongX ? std::abs(y - c.point.y) : std::abs(x - c.point.x);
        ARGB expected = across <= along && along < depth ? 0xFF000000 : 0;
        EXPECT_EQ(glyph.GetPixel(x, y) & 0xFF000000, expected & 0xFF000000) << x << "," << y;
      }
    }
  }
}

// Covers follow the system's scroll bars, whose width and arrows grow with the DPI.
TEST(ScrollBarMetrics, GrowWithTheDpiAsTheSystemScalesThem) {
  const int atBase = SystemMetricForDpi(SM_CXVSCROLL, BaseDpi);
  EXPECT_EQ(atBase, GetSystemMetrics(SM_CXVSCROLL));  // this process runs at 96 DPI
  for (UINT dpi : {120u, 144u, 192u}) {
    for (int metric : {SM_CXVSCROLL, SM_CYVSCROLL, SM_CXHSCROLL, SM_CYHSCROLL}) {
      EXPECT_NEAR(SystemMetricForDpi(metric, dpi), ScaleToDpi(SystemMetricForDpi(metric, 96), dpi),
                  1)
          << dpi << " dpi, metric " << metric;
    }
  }
}

// Where a control keeps its DPI: its entry, or its state for a scroll-bar cover.
template <typename Entry>
DpiScale* KeptScale(HWND control, FamilyList<Entry> StyleRecord::*family) {
  Entry* entry = ControlEntry(control, family);
  return entry ? &entry->scale : nullptr;
}
HWND VerticalCoverOf(HWND list) {
  ListEntry* entry = ControlEntry(list, &StyleRecord::lists);
  return entry ? entry->covers.vertical : nullptr;
}

void AddTwoTabs(HWND tab) {
  for (const char* text : {"第一页", "第二页"}) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    SendMessageA(tab, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
  }
}

bool SamePixels(const Snapshot& a, const Snapshot& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

// A look kept at one DPI is never shown at another: each family draws anew at the DPI its
// control keeps, and reads the window's DPI again when told it changed.
TEST(ScaledLooks, AreDrawnAnewAtAnotherDpiAndBackWhenTheDpiChanges) {
  struct Case {
    const char* name;
    int id;
    HWND (*painted)(HWND control);  // the window whose look is scaled
    DpiScale* (*scale)(HWND painted);
  } cases[] = {
      {"track bar", 501, nullptr, [](HWND w) { return KeptScale(w, &StyleRecord::trackBars); }},
      {"progress bar", 510, nullptr,
       [](HWND w) { return KeptScale(w, &StyleRecord::progressBars); }},
      {"up-down", 522, nullptr, [](HWND w) { return KeptScale(w, &StyleRecord::upDowns); }},
      {"header", 530, nullptr, [](HWND w) { return KeptScale(w, &StyleRecord::headers); }},
      {"list frame", 401, nullptr, [](HWND w) { return KeptScale(w, &StyleRecord::lists); }},
      {"tab control", 590, nullptr, [](HWND w) { return KeptScale(w, &StyleRecord::tabs); }},
      {"toolbar", TextBelowToolbarId, nullptr,
       [](HWND w) -> DpiScale* {
         ToolbarEntry* entry = ToolbarEntryOf(w);
         return entry ? &entry->scale : nullptr;
       }},
      {"scroll-bar cover", 401, VerticalCoverOf,
       [](HWND w) -> DpiScale* {
         CoverState* state = StateOfCover(w);
         return state ? &state->scale : nullptr;
       }},
  };
  std::vector<GalleryControl> controls = BarsGallery();
  for (const GalleryControl& row : GalleryControls()) {
    if (row.id == 401 || row.id == TextBelowToolbarId) controls.push_back(row);
  }
  controls.push_back(
      {.className = WC_TABCONTROLA, .place = {5, 100, 120, 40}, .id = 590, .fill = AddTwoTabs});
  WithDialog(controls, [&](HWND dialog) {
    for (const Case& c : cases) {
      HWND control = GetDlgItem(dialog, c.id);
      HWND painted = c.painted ? c.painted(control) : control;
      DpiScale* scale = c.scale(painted);
      ASSERT_NE(scale, nullptr) << c.name;
      auto redrawn = [painted] {
        RedrawWindow(painted, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
        return Capture(painted, true);
      };
      Snapshot atWindowDpi = redrawn();
      *scale = DpiScale{144};
      EXPECT_FALSE(SamePixels(redrawn(), atWindowDpi)) << c.name << ": kept look shown at 144";
      SendMessageA(painted, DpiChangedAfterParentMessage, 0, 0);
      EXPECT_EQ(scale->dpi, DpiOfWindow(painted)) << c.name;
      EXPECT_TRUE(SamePixels(redrawn(), atWindowDpi)) << c.name << ": back at the window's DPI";
    }
  });
}

TEST(Bars, NothingLeaksOverManyDialogs) {
  auto exercise = [](HWND dialog) {
    for (const GalleryControl& row : BarsGallery()) {
      HWND control = GetDlgItem(dialog, row.id);
      if (row.id == 599) control = FindWindowExA(control, nullptr, WC_HEADERA, nullptr);
      for (int x : {10, 40, 100}) SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, 5));
      SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
      SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
      SendMessageA(control, WM_MOUSELEAVE, 0, 0);
    }
  };
  WithDialog(BarsGallery(), exercise);  // first use: caches of GDI+ and the system
  int freeBefore = CountFreeGdiSlots();
  for (int i = 0; i < 20; ++i) WithDialog(BarsGallery(), exercise);
  PumpFor(300);
  int freeAfter = CountFreeGdiSlots();
  EXPECT_GE(freeAfter, freeBefore - 10) << "a leak of one object per dialog would show as 20";
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
}

}  // namespace
