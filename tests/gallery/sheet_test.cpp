// The gallery's property sheet and wizard, styled whole: each page as it is reached, and pages
// removed and added again.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/gallery_sheet.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Controls the engine leaves in the system's look wherever they are, in the gallery's own
// dialog as on a page: the date picker, the IP-address control's fields, and the buttons that
// the system draws on the frame's brush (group boxes, radio buttons and three-state check boxes
// that the application sets itself).
bool LeftToTheSystem(HWND control) {
  if (lstrcmpiA(ClassOf(GetParent(control)).c_str(), "SysIPAddress32") == 0) return true;
  std::string name = ClassOf(control);
  if (lstrcmpiA(name.c_str(), "Button") == 0) {
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_GROUPBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE;
  }
  return lstrcmpiA(name.c_str(), "SysDateTimePick32") == 0 ||
         lstrcmpiA(name.c_str(), "SysIPAddress32") == 0;
}

// Listed in a family, a part of a styled control that the engine subclassed (a scroll bar's
// cover), or the field inside a styled combo box.
bool IsStyled(StyleRecord& record, HWND control) {
  bool found = GetPropA(control, ProcProperty) || record.combos.Find(GetParent(control));
  ForEachFamily(record, [&](auto& family, const char*) { found = found || family.Find(control); });
  return found;
}

// Enumeration callbacks (named: the 32-bit build needs their calling convention).
BOOL CALLBACK CollectWindow(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}
BOOL CALLBACK CollectClassInParent(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(ClassOf(child) + " in " +
                                                               ClassOf(GetParent(child)));
  return TRUE;
}

// Every visible window within the page that no family holds.
std::vector<std::string> UnstyledWithin(StyleRecord& record, HWND page) {
  std::vector<std::string> unstyled;
  std::vector<HWND> all;
  EnumChildWindows(page, CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND child : all) {
    if (!IsWindowVisible(child) || LeftToTheSystem(child) || IsStyled(record, child)) continue;
    unstyled.push_back(ClassOf(child) + " " + std::to_string(GetDlgCtrlID(child)));
  }
  return unstyled;
}

Rgb Mean(const Snapshot& shot, const RECT& r) {
  long sum[3] = {}, count = 0;
  for (int y = std::max(0L, r.top); y < std::min<long>(r.bottom, shot.height); ++y) {
    for (int x = std::max(0L, r.left); x < std::min<long>(r.right, shot.width); ++x) {
      Rgb p = shot.At(x, y);
      sum[0] += p.r, sum[1] += p.g, sum[2] += p.b, ++count;
    }
  }
  if (!count) return {};
  return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
          static_cast<int>(sum[2] / count)};
}

// The page's pixels outside its visible children that differ from the frame behind them.
int PixelsOffTheFrame(StyleRecord& record, HWND page) {
  Snapshot shot = Capture(page);
  RECT place{};
  GetWindowRect(page, &place);
  POINT origin{0, 0};
  ClientToScreen(page, &origin);
  RECT frame{};
  GetWindowRect(record.window, &frame);
  HRGN free = CreateRectRgn(0, 0, shot.width, shot.height);
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    HRGN covered = CreateRectRgn(r.left - origin.x - 3, r.top - origin.y - 3,
                                 r.right - origin.x + 3, r.bottom - origin.y + 3);
    CombineRgn(free, free, covered, RGN_DIFF);
    DeleteObject(covered);
  }
  int off = 0;
  for (int y = 0; y < shot.height; y += 3) {
    for (int x = 0; x < shot.width; x += 3) {
      if (!PtInRegion(free, x, y)) continue;
      COLORREF behind =
          GetPixel(record.frameDC, x + origin.x - frame.left, y + origin.y - frame.top);
      Rgb expected{GetRValue(behind), GetGValue(behind), GetBValue(behind)};
      off += shot.At(x, y).Near(expected, 8) ? 0 : 1;
    }
  }
  DeleteObject(free);
  return off;
}

RECT ItemRect(HWND tab, int item) {
  RECT r{};
  SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  return r;
}

// How far a tab's colour leans to the accent (cyan): green and blue over red.
int AccentLean(Rgb c) { return (c.g + c.b) / 2 - c.r; }

int Luminance(Rgb c) { return (c.r * 3 + c.g * 6 + c.b) / 10; }

// Pumps as a modeless sheet's loop does: its own keys (Ctrl+Tab) first.
void PumpSheet(HWND sheet, int milliseconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (PropSheet_IsDialogMessage(sheet, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  }
}

void PressCtrlTab() {
  INPUT keys[4] = {};
  WORD codes[4] = {VK_CONTROL, VK_TAB, VK_TAB, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

void ClickTab(HWND tab, int item) {
  RECT r = ItemRect(tab, item);
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

// A modeless styled sheet of the gallery, shown until the end of the scope.
struct ShownSheet {
  GallerySheet sheet;
  HWND window = nullptr;
  explicit ShownSheet(bool wizard) : sheet(wizard) {
    sheet.Header().dwFlags |= PSH_MODELESS;
    window = reinterpret_cast<HWND>(StyledPropertySheet(&sheet.Header()));
    PumpSheet(window, 600);
  }
  ~ShownSheet() {
    DestroyWindow(window);
    PumpFor(100);
  }
  StyleRecord* Record() { return RecordAt(FindStyleRecord(window)); }
  HWND Tab() { return PropSheet_GetTabControl(window); }
  HWND Page() { return PropSheet_GetCurrentPageHwnd(window); }
};

enum class Reach { Start, Click, CtrlTab, Next };

struct Visit {
  const char* name;
  bool wizard;
  Reach reach;
  int page;  // the page reached
};

const Visit visits[] = {
    {"sheet, first page", false, Reach::Start, 0},
    {"sheet, second page by a click", false, Reach::Click, 1},
    {"sheet, third page by a click", false, Reach::Click, 2},
    {"sheet, Ctrl+Tab", false, Reach::CtrlTab, 1},
    {"wizard, first page", true, Reach::Start, 0},
    {"wizard, second page by Next", true, Reach::Next, 1},
    {"wizard, third page by Next", true, Reach::Next, 2},
};

TEST(GallerySheet, EachPageIsStyledWholeWhenReached) {
  ASSERT_TRUE(classesRegistered);
  for (const Visit& visit : visits) {
    SCOPED_TRACE(visit.name);
    ShownSheet shown(visit.wizard);
    ASSERT_NE(shown.Record(), nullptr);
    const int expected = visit.page;
    for (int step = 1; step <= visit.page && visit.reach != Reach::CtrlTab; ++step) {
      if (visit.reach == Reach::Click) ClickTab(shown.Tab(), step);
      if (visit.reach == Reach::Next) PropSheet_PressButton(shown.window, PSBTN_NEXT);
      PumpSheet(shown.window, 300);
    }
    if (visit.reach == Reach::CtrlTab) {
      SetForegroundWindow(shown.window);
      SetFocus(shown.Tab());
      PressCtrlTab();
      PumpSheet(shown.window, 500);
    }
    HWND page = shown.Page();
    ASSERT_EQ(PropSheet_HwndToIndex(shown.window, page), expected);
    StyleRecord& record = *shown.Record();
    EXPECT_EQ(UnstyledWithin(record, page), std::vector<std::string>{});
    EXPECT_EQ(PixelsOffTheFrame(record, page), 0);
    if (visit.wizard) continue;  // a wizard shows no tabs
    HWND tab = shown.Tab();
    Snapshot strip = Capture(tab);
    RECT client{};
    GetClientRect(tab, &client);
    RECT row{0, 0, client.right, ItemRect(tab, 0).bottom};
    EXPECT_LT(Luminance(Mean(strip, row)), 150) << "the strip is on the frame";
    int other = expected == 0 ? 1 : 0;
    EXPECT_GT(AccentLean(Mean(strip, ItemRect(tab, expected))), 40);
    EXPECT_LT(AccentLean(Mean(strip, ItemRect(tab, other))), 15);
    // The pointer over another tab: that tab alone changes.
    Rgb before = Mean(strip, ItemRect(tab, other));
    RECT hot = ItemRect(tab, other);
    SendMessageA(tab, WM_MOUSEMOVE, 0,
                 MAKELPARAM((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2));
    PumpSheet(shown.window, 100);
    Rgb after = Mean(Capture(tab), hot);
    EXPECT_FALSE(after.Near(before, 10)) << "the hot tab";
  }
}

// What a removed page leaves behind: windows, GDI objects, entries and kept bookkeeping.
struct Leftovers {
  std::vector<std::string> windows;  // the class of each, within its parent's
  int gdiSlots = 0, entries = 0, bookkeeping = 0;
};

Leftovers Count(ShownSheet& shown) {
  Leftovers now;
  EnumChildWindows(shown.window, CollectClassInParent, reinterpret_cast<LPARAM>(&now.windows));
  std::sort(now.windows.begin(), now.windows.end());
  now.gdiSlots = CountFreeGdiSlots();
  ForEachFamily(*shown.Record(), [&](auto& family, const char*) {
    for (int i = 1; i <= family.Count(); ++i) now.entries += family[i].window ? 1 : 0;
  });
  now.bookkeeping = KeptBookkeepingCount();
  return now;
}

TEST(GallerySheet, PagesRemovedAndAddedAgainTwentyTimesLeaveNothingBehind) {
  ShownSheet shown(false);
  int last = GalleryPageCount - 1;
  auto cycle = [&] {
    PropSheet_RemovePage(shown.window, last, nullptr);
    PropSheet_AddPage(shown.window, shown.sheet.CreatePage(last));
    PropSheet_SetCurSel(shown.window, nullptr, last);  // made, and styled, again
    PumpSheet(shown.window, 50);
  };
  // The first showing makes what lives as long as the process, and the first removal shows the
  // page before it, made then once for all.
  cycle();
  cycle();
  Leftovers before = Count(shown);
  for (int i = 0; i < 20; ++i) cycle();
  Leftovers after = Count(shown);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.entries, before.entries);
  EXPECT_EQ(after.bookkeeping, before.bookkeeping);
  EXPECT_EQ(after.gdiSlots, before.gdiSlots);
  EXPECT_EQ(UnstyledWithin(*shown.Record(), shown.Page()), std::vector<std::string>{});
}

}  // namespace
