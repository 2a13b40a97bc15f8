// List-type controls in a styled dialog: which are taken over, their frame looks in pixels, and
// when the covers over their scroll bars are painted again.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gallery/gallery_table.h"
#include "styling/lists/lists.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);

// Runs the body inside a styled dialog holding the controls, once it has been routed and painted.
void InStyledDialog(const std::vector<GalleryControl>& controls,
                    const std::function<void(HWND dialog)>& body) {
  ASSERT_TRUE(classesRegistered);
  DialogTemplate dialogTemplate = BuildGalleryTemplate(controls, "lists");
  RunStyledDialog(dialogTemplate.Get(), body);
}

// A pixel of the control's whole window (frame included).
COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}
bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

ListEntry* EntryOf(HWND control) { return ControlEntry(control, &StyleRecord::lists); }

TEST(ListControls, TheSixClassesAreTakenOverInTheirOrderAndOnlyOnce) {
  struct Case {
    GalleryControl control;
    bool styled;
    bool covered;
  } cases[] = {
      {{"SysDateTimePick32", "", 0, {5, 5, 80, 14}, 400}, true, false},
      {{"SysIPAddress32", "", 0, {5, 25, 80, 14}, 401}, true, false},
      {{"SysTreeView32", "", WS_BORDER, {5, 45, 80, 40}, 402}, true, true},
      {{"SysListView32", "", LVS_REPORT | 0x10, {5, 90, 80, 40}, 403}, false, false},
      {{"SysListView32", "", LVS_REPORT | WS_BORDER, {90, 5, 80, 40}, 404}, true, true},
      {{"ComboBox", "", CBS_DROPDOWNLIST, {90, 50, 80, 60}, 405}, false, false},
      // A simple combo box's list, owner-drawn or not, gets covers for its bars.
      {{"ComboBox", "", CBS_SIMPLE | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {90, 70, 80, 40}, 406},
       true,
       true},
      {{"ComboBox", "", CBS_SIMPLE, {90, 115, 80, 40}, 407}, true, true},
      {{"ListBox", "", WS_VSCROLL | LBS_DISABLENOSCROLL, {180, 5, 80, 40}, 408}, true, true},
      {{"ListBox", "", WS_BORDER, {180, 50, 80, 40}, 409}, true, true},
  };
  std::vector<GalleryControl> controls;
  for (const Case& c : cases) controls.push_back(c.control);
  InStyledDialog(controls, [&](HWND dialog) {
    int styleIndex = FindStyleRecord(dialog);
    StyleRecord& record = StyleRecordList[styleIndex];
    std::vector<std::string> order;
    for (int i = 1; i <= record.lists.Count(); ++i) {
      order.push_back(ClassNameOf(record.lists[i].window));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ListBox", "ListBox", "ComboLBox", "ComboLBox",
                                               "SysListView32", "SysTreeView32", "SysIPAddress32",
                                               "SysDateTimePick32"}));
    InstallListControls(styleIndex, dialog);
    EXPECT_EQ(record.lists.Count(), 8) << "a second pass adds nothing";
    for (const Case& c : cases) {
      HWND control = GetDlgItem(dialog, c.control.id);
      if (std::string(c.control.className) == "ComboBox") {
        control = FindWindowExA(control, nullptr, "ComboLBox", nullptr);
      }
      ListEntry* entry = control ? EntryOf(control) : nullptr;
      ASSERT_EQ(entry != nullptr, c.styled) << c.control.id;
      if (!entry) continue;
      EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ListWndProc));
      EXPECT_EQ(entry->covers.vertical != nullptr, c.covered) << c.control.id;
      EXPECT_EQ(entry->covers.horizontal != nullptr, c.covered) << c.control.id;
      // Only the bars the control shows are covered.
      if (c.covered) {
        EXPECT_EQ(IsWindowVisible(entry->covers.vertical) != 0, HasVerticalScrollBar(control));
      }
    }
  });
}

// A 2-pixel client edge shows the widths: the hover outline is 2 pixels wide, the others 1.
TEST(ListFrame, HoverFocusAndPlainLooksInPixels) {
  // Over white: black at alpha 90, the accent at alpha 200.
  const COLORREF white = RGB(255, 255, 255), faint = RGB(165, 165, 165), accent = RGB(82, 214, 229);
  InStyledDialog(
      {{"ListBox", "", 0, {5, 5, 80, 60}, 400, {}, nullptr, WS_EX_CLIENTEDGE},
       {"ListBox", "", 0, {100, 5, 80, 60}, 401},
       {"BUTTON", "ok", BS_PUSHBUTTON, {5, 80, 40, 14}, 402}},
      [&](HWND dialog) {
        HWND framed = GetDlgItem(dialog, 400), bare = GetDlgItem(dialog, 401);
        SetFocus(GetDlgItem(dialog, 402));
        PumpFor(50);
        struct Case {
          const char* state;
          std::function<void(HWND)> enter;
          COLORREF outer, inner;
        } cases[] = {
            {"plain", [](HWND) {}, faint, white},
            {"focused", [](HWND list) { SetFocus(list); }, accent, white},
            {"hovered", [](HWND list) { SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); },
             accent, accent},
            {"left", [](HWND list) { SendMessageA(list, WM_MOUSELEAVE, 0, 0); }, accent, white},
            {"unfocused", [&](HWND) { SetFocus(GetDlgItem(dialog, 402)); }, faint, white},
        };
        for (const Case& c : cases) {
          c.enter(framed);
          EXPECT_TRUE(Near(WindowPixel(framed, 0, 40), c.outer)) << c.state;
          EXPECT_TRUE(Near(WindowPixel(framed, 1, 40), c.inner)) << c.state;
        }
        COLORREF before = WindowPixel(bare, 0, 40);
        SetFocus(bare);
        SendMessageA(bare, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(WindowPixel(bare, 0, 40), before) << "no frame: keeps its look";
      });
}

// A list box filled with 60 lines after it was styled: its bar, and the cover over it, appear.
void WithCoveredList(const std::function<void(HWND list, HWND cover)>& body) {
  GalleryControl list{.className = "ListBox",
                      .style = WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                      .place = {5, 5, 80, 60},
                      .id = 400,
                      .exStyle = WS_EX_CLIENTEDGE};
  InStyledDialog({list}, [&](HWND dialog) {
    HWND control = GetDlgItem(dialog, 400);
    for (int i = 0; i < 60; ++i) {
      SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("line"));
    }
    SendMessageA(control, LB_SETCURSEL, 0, 0);
    ListEntry* entry = EntryOf(control);
    ASSERT_NE(entry, nullptr);
    // Shown with the dialog, which a loaded machine may not have shown yet.
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(entry->covers.vertical) != 0; }, 5000));
    body(control, entry->covers.vertical);
  });
}

// The middle column of a cover, top to bottom.
std::vector<COLORREF> Column(HWND cover) {
  RECT rect{};
  GetClientRect(cover, &rect);
  HDC dc = GetDC(cover);
  std::vector<COLORREF> column;
  for (int y = 0; y < rect.bottom; ++y) column.push_back(GetPixel(dc, rect.right / 2, y));
  ReleaseDC(cover, dc);
  return column;
}
// Paints the cover black, so that any repaint shows.
void Blot(HWND cover) {
  RECT rect{};
  GetClientRect(cover, &rect);
  HDC dc = GetDC(cover);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(cover, dc);
}
bool Blotted(HWND cover) {
  std::vector<COLORREF> column = Column(cover);
  return column[column.size() / 2] == RGB(0, 0, 0);
}

TEST(ListCovers, TheCoverLiesOverTheRealBarAndFollowsTheListAfterItScrolled) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
  } cases[] = {{"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA)},
               {"down arrow on the last line shown", WM_KEYDOWN, VK_DOWN},
               {"page down", WM_KEYDOWN, VK_NEXT}};
  WithCoveredList([&](HWND list, HWND cover) {
    SCROLLBARINFO bar{sizeof bar};
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    RECT place{};
    GetWindowRect(cover, &place);
    EXPECT_TRUE(EqualRect(&place, &bar.rcScrollBar));
    RECT client{};
    GetClientRect(list, &client);
    int shown = client.bottom / static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    for (const Case& c : cases) {
      SendMessageA(list, LB_SETTOPINDEX, 0, 0);
      SendMessageA(list, LB_SETCURSEL, shown - 1, 0);
      Blot(cover);
      SendMessageA(list, c.message, c.wParam, 0);
      // Asked of the bar, not the list: a list message would itself bring the covers up to date.
      ASSERT_GT(GetScrollPos(list, SB_VERT), 0) << c.what << ": the list scrolled";
      // The cover shows the bar at the new position: painting it afresh changes no pixel.
      std::vector<COLORREF> after = Column(cover);
      PaintVerticalScrollBar(cover);
      EXPECT_EQ(after, Column(cover)) << c.what;
      SendMessageA(list, WM_KEYUP, c.wParam, 0);
    }
  });
}

// After input that may have moved the real bar: arrow keys (always), other input when the list
// scrolled; not after a frame paint, which leaves the bar to its cover.
TEST(ListCovers, TheCoversAreRepaintedAfterWhatMayHaveDrawnTheSystemBar) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool repainted;
  } cases[] = {
      {"down arrow", WM_KEYDOWN, VK_DOWN, true},
      {"up arrow", WM_KEYDOWN, VK_UP, true},
      {"right arrow", WM_KEYDOWN, VK_RIGHT, true},
      {"left arrow", WM_KEYDOWN, VK_LEFT, true},
      {"a letter", WM_KEYDOWN, 'Q', false},
      {"shift", WM_KEYDOWN, VK_SHIFT, false},
      {"end, which scrolls", WM_KEYDOWN, VK_END, true},
      {"home", WM_KEYDOWN, VK_HOME, true},
      {"a query", LB_GETCOUNT, 0, false},
      {"a frame paint: the bar lies under its cover", WM_NCPAINT, 1, false},
  };
  WithCoveredList([&](HWND list, HWND cover) {
    for (const Case& c : cases) {
      Blot(cover);
      SendMessageA(list, c.message, c.wParam, 0);
      EXPECT_EQ(!Blotted(cover), c.repainted) << c.what;
      if (c.message != WM_KEYDOWN) continue;
      EXPECT_EQ(EntryOf(list)->pressed, c.wParam >= VK_LEFT && c.wParam <= VK_DOWN) << c.what;
      SendMessageA(list, WM_KEYUP, c.wParam, 0);
      EXPECT_EQ(EntryOf(list)->pressed, 0);
    }
  });
}

// A bar whose cover is hidden is the system's to draw in a frame paint.
TEST(ListCovers, ABarWhoseCoverIsHiddenIsTheSystemsToDraw) {
  WithCoveredList([&](HWND list, HWND cover) {
    ShowWindow(cover, SW_HIDE);
    SCROLLBARINFO bar{sizeof bar};
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    RECT own{};
    GetWindowRect(list, &own);
    OffsetRect(&bar.rcScrollBar, -own.left, -own.top);
    HDC dc = GetWindowDC(list);
    FillRect(dc, &bar.rcScrollBar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(list, dc);
    SendMessageA(list, WM_NCPAINT, 1, 0);
    const RECT& r = bar.rcScrollBar;
    EXPECT_NE(WindowPixel(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(0, 0, 0));
    ShowWindow(cover, SW_SHOWNA);
  });
}

}  // namespace
