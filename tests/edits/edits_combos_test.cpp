// Edits, their emulated scroll bars and combo boxes in styled dialogs: where the covers lie,
// what they show after the edit has scrolled, who frees an edit's background objects, and what
// each kind of combo box shows.
#include <windows.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gallery/gallery_table.h"
#include "styling/edits/edits.h"
#include "styling/lists/lists.h"
#include "styling/records/child_windows.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbars.h"
#include "styling/statics/statics.h"
#include "tests/styling/test_support.h"

namespace {

const std::vector<GalleryControl>* shownControls = nullptr;

INT_PTR CALLBACK FillingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) FillGalleryControls(dialog, *shownControls);
  if ((message == WM_COMMAND && LOWORD(wParam) == IDOK) || message == WM_CLOSE) {
    EndDialog(dialog, IDOK);
  }
  return message == WM_INITDIALOG;
}

// A styled dialog (with a caption, as the gallery's) holding the controls; `whileShown` runs
// once it has been taken over and painted.
void ShowDialog(const std::vector<GalleryControl>& controls,
                const std::function<void(HWND dialog)>& whileShown) {
  shownControls = &controls;
  DialogTemplate dialogTemplate = BuildGalleryTemplate(controls, "edits");
  RunStyledDialog(dialogTemplate.Get(), whileShown, FillingDialogProc);
}

// The pixels of a window's whole area as it is on screen now.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> rgb;
  COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)]; }
  bool Dark(int x, int y) const {
    COLORREF c = At(x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 150;
  }
};
Pixels Grab(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  Pixels p{place.right - place.left, place.bottom - place.top, {}};
  p.rgb.resize(static_cast<size_t>(p.width * p.height));
  HDC source = GetWindowDC(window);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x)
      p.rgb[static_cast<size_t>(y * p.width + x)] = GetPixel(source, x, y);
  }
  ReleaseDC(window, source);
  return p;
}

SCROLLBARINFO BarInfo(HWND edit, LONG bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(edit, bar, &info);
  return info;
}

EditRecord& EditOf(HWND edit) { return *ControlEntry(edit, &StyleRecord::edits); }

const DWORD Multi = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_BORDER;
std::string ManyLines() {
  std::string text;
  for (int line = 1; line <= 60; ++line)
    text += "line " + std::to_string(line) + " of a long text\r\n";
  return text;
}
const std::string LongText = ManyLines();

TEST(EmulatedScrollBars, LieExactlyOverTheRealBarsAndFollowTheEdit) {
  struct Case {
    DWORD style;
    bool vertical, horizontal;
  } cases[] = {{Multi | WS_VSCROLL | WS_HSCROLL, true, true},
               {Multi | WS_VSCROLL, true, false},
               {ES_AUTOHSCROLL | WS_BORDER | WS_HSCROLL, false, true},
               {ES_AUTOHSCROLL | WS_BORDER, false, false}};
  std::vector<GalleryControl> controls;
  for (WORD i = 0; i < std::size(cases); ++i) {
    controls.push_back({.className = "Edit",
                        .style = cases[i].style,
                        .place = {static_cast<short>(5 + 80 * i), 5, 75, 60},
                        .id = WORD(300 + i)});
  }
  ShowDialog(controls, [&](HWND dialog) {
    int styleIndex = FindStyleRecord(dialog);
    InstallStatics(styleIndex, dialog,
                   6);  // a second pass of the statics installer changes nothing
    for (WORD i = 0; i < std::size(cases); ++i) {
      HWND edit = GetDlgItem(dialog, 300 + i);
      const ScrollBarCovers& covers = EditOf(edit).covers;
      EXPECT_EQ(covers.vertical != nullptr, cases[i].vertical) << i;
      EXPECT_EQ(covers.horizontal != nullptr, cases[i].horizontal) << i;
      auto expectOverBars = [&](const char* when) {
        for (auto [cover, bar] :
             {std::pair{covers.vertical, OBJID_VSCROLL}, {covers.horizontal, OBJID_HSCROLL}}) {
          if (!cover) continue;
          RECT shown{};
          GetWindowRect(cover, &shown);
          RECT real = BarInfo(edit, bar).rcScrollBar;
          EXPECT_TRUE(EqualRect(&shown, &real)) << i << " " << when;
          EXPECT_TRUE(IsWindowVisible(cover)) << i << " " << when;
          EXPECT_EQ(StyleRecordList[styleIndex].statics.Find(cover), 0) << i;
        }
      };
      expectOverBars("shown");
      RECT place = GetRectInParent(edit);
      SetWindowPos(edit, nullptr, place.left + 7, place.top + 11, 70, 70, SWP_NOZORDER);
      expectOverBars("moved and sized");
      auto expectHidden = [&](const char* when) {
        for (HWND cover : {covers.vertical, covers.horizontal}) {
          EXPECT_FALSE(cover && IsWindowVisible(cover)) << i << " " << when;
        }
      };
      ShowWindow(edit, SW_HIDE);
      expectHidden("hidden");
      ShowWindow(edit, SW_SHOW);
      expectOverBars("shown again");
      DestroyWindow(edit);
      expectHidden("destroyed");  // no picture of its bars stays behind
    }
  });
}

// The first dark row of the cover's middle column between the arrow buttons: the top edge of
// the thumb's outline, or -1 when no thumb is drawn.
int ThumbTopShown(HWND cover) {
  Pixels p = Grab(cover);
  int arrow = GetSystemMetrics(SM_CYVSCROLL);
  for (int y = arrow; y < p.height - arrow; ++y) {
    if (p.Dark(p.width / 2, y)) return y;
  }
  return -1;
}

TEST(EmulatedScrollBars, ShowTheThumbWhereTheEditHasScrolledToAndNoneWhenDisabled) {
  struct Case {
    const char* name;
    std::function<void(HWND edit)> act;
    bool thumb;
  } cases[] = {
      {"page down", [](HWND e) { SendMessageA(e, WM_VSCROLL, SB_PAGEDOWN, 0); }, true},
      {"line scroll", [](HWND e) { SendMessageA(e, EM_LINESCROLL, 0, 20); }, true},
      {"caret to the end",
       [](HWND e) {
         SendMessageA(e, EM_SETSEL, 0, -1);
         SendMessageA(e, WM_KEYDOWN, VK_DOWN, 0);
         SendMessageA(e, EM_SCROLLCARET, 0, 0);
       },
       true},
      // An edit whose text fits disables its bar rather than hiding it (Windows and Wine alike).
      {"text that fits", [](HWND e) { SetWindowTextA(e, "short"); }, false},
      {"edit disabled", [](HWND e) { EnableWindow(e, FALSE); }, false},
  };
  for (const Case& c : cases) {
    std::vector<GalleryControl> controls{
        {.className = "Edit",
         .style = Multi | WS_VSCROLL,
         .place = {5, 5, 100, 80},
         .id = 300,
         .setup = {{.message = WM_SETTEXT, .text = LongText.c_str()}}}};
    ShowDialog(controls, [&](HWND dialog) {
      HWND edit = GetDlgItem(dialog, 300);
      HWND cover = EditOf(edit).covers.vertical;
      ASSERT_NE(cover, nullptr);
      SendMessageA(edit, WM_VSCROLL, SB_TOP, 0);
      PumpFor(50);
      int before = BarInfo(edit, OBJID_VSCROLL).xyThumbTop;
      c.act(edit);  // no pumping: the cover must be right as soon as the message returns
      SCROLLBARINFO after = BarInfo(edit, OBJID_VSCROLL);
      int shown = ThumbTopShown(cover);
      if (!c.thumb) {
        EXPECT_EQ(shown, -1) << c.name;
        return;
      }
      EXPECT_NE(after.xyThumbTop, before) << c.name << ": the action did not scroll";
      EXPECT_NEAR(shown, after.xyThumbTop, 1) << c.name;
    });
  }
}

// Read-only and disabled edits ask their dialog for the static colours, which it answers with
// its dark frame for statics: an edit keeps a face of its own under its text, the grey of a
// value (192), well above the frame's grey (about 100).
TEST(Edits, ReadOnlyAndDisabledEditsKeepALightFace) {
  std::vector<GalleryControl> controls{{.className = "Edit",
                                        .text = "read only",
                                        .style = ES_READONLY | WS_BORDER,
                                        .place = {5, 5, 80, 14},
                                        .id = 300},
                                       {.className = "Edit",
                                        .text = "disabled",
                                        .style = WS_DISABLED | WS_BORDER,
                                        .place = {5, 25, 80, 14},
                                        .id = 301}};
  ShowDialog(controls, [](HWND dialog) {
    for (int id : {300, 301}) {
      HWND edit = GetDlgItem(dialog, id);
      InvalidateRect(edit, nullptr, TRUE);
      UpdateWindow(edit);
      Pixels p = Grab(edit);
      COLORREF face = p.At(p.width - 6, p.height / 2);  // right of the text
      EXPECT_GT(GetRValue(face) + GetGValue(face) + GetBValue(face), 3 * 170) << id;
    }
  });
}

// The dialog frees its edits' background objects on its WM_DESTROY, before the edits get
// theirs; whichever comes first frees them, and the other finds nothing left to free.
TEST(Edits, BackgroundObjectsAreDeletedOnce) {
  std::vector<GalleryControl> controls{
      {.className = "Edit", .style = WS_BORDER, .place = {5, 5, 80, 14}, .id = 300}};
  HGDIOBJ bitmap = nullptr, brush = nullptr, later = nullptr;
  ShowDialog(controls, [&](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 300);
    bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    brush = CreateSolidBrush(RGB(1, 2, 3));
    WriteProperty(edit, BackgroundBitmapProperty, reinterpret_cast<std::intptr_t>(bitmap));
    WriteProperty(edit, BackgroundBrushProperty, reinterpret_cast<std::intptr_t>(brush));
    ReleaseEditBackgrounds(StyleRecordList[FindStyleRecord(dialog)]);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetPropA(edit, BackgroundBitmapProperty), nullptr);
    EXPECT_EQ(GetPropA(edit, BackgroundBrushProperty), nullptr);
    // New objects may reuse the freed handles: the edit's own WM_DESTROY must not free them.
    later = CreateSolidBrush(RGB(4, 5, 6));
  });
  EXPECT_NE(GetObjectType(later), 0u);
  DeleteObject(later);
}

TEST(ComboBoxes, ShowTheSelectedTextTheDropButtonAndTheList) {
  struct Case {
    const char* name;
    DWORD style;
    int selectedBefore;  // -1: none when the dialog shows
    int selectedAfter;   // -1: no change while shown
    const char* text;    // the text the engine draws, "" for none
    bool button;
  } cases[] = {
      {"drop-down list, selected before", CBS_DROPDOWNLIST, 1, -1, "two", true},
      {"drop-down list, selected after", CBS_DROPDOWNLIST, -1, 2, "three", true},
      {"drop-down list, nothing selected", CBS_DROPDOWNLIST, -1, -1, "", true},
      {"drop-down", CBS_DROPDOWN, 0, -1, "", true},
      {"simple", CBS_SIMPLE, 0, -1, "", false},
  };
  for (const Case& c : cases) {
    std::vector<GallerySend> setup;
    for (const char* item : {"one", "two", "three"})
      setup.push_back({.message = CB_ADDSTRING, .text = item});
    if (c.selectedBefore >= 0)
      setup.push_back({.message = CB_SETCURSEL, .wParam = WPARAM(c.selectedBefore)});
    std::vector<GalleryControl> controls{{.className = "ComboBox",
                                          .style = c.style | WS_VSCROLL,
                                          .place = {5, 5, 90, 60},
                                          .id = 310,
                                          .setup = setup}};
    ShowDialog(controls, [&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, 310);
      if (c.selectedAfter >= 0) SendMessageA(combo, CB_SETCURSEL, c.selectedAfter, 0);
      PumpFor(50);
      COMBOBOXINFO info{sizeof info};
      GetComboBoxInfo(combo, &info);
      Pixels p = Grab(combo);
      int textRow = (p.height > 40 ? 24 : p.height) / 2;  // a simple combo box's field is on top
      int dark = 0;
      for (int x = 3; x < p.width - 22; ++x) dark += p.Dark(x, textRow) || p.Dark(x, textRow + 2);
      if (c.style == CBS_DROPDOWNLIST) {
        EXPECT_EQ(WindowText(combo), c.text) << c.name;
        EXPECT_EQ(dark > 0, *c.text != 0) << c.name;
      }
      // The arrow's middle row, at the centre of the drop button.
      int arrowX = p.width - 2 - 17 / 2 - 1, arrowY = (info.rcItem.top + info.rcItem.bottom) / 2;
      bool arrowShown = p.Dark(arrowX, arrowY) || p.Dark(arrowX, arrowY + 1);
      EXPECT_EQ(arrowShown, c.button) << c.name;
      for (COLORREF pixel : p.rgb) ASSERT_NE(pixel, RGB(255, 0, 255)) << c.name;
      if (c.style == CBS_SIMPLE) {
        ASSERT_TRUE(IsWindowVisible(info.hwndList)) << c.name;
        Pixels list = Grab(info.hwndList);
        int highlight = 0;
        for (COLORREF pixel : list.rgb) highlight += pixel == GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_GT(highlight, 50) << c.name << ": the list's selected item is painted over";
      }
    });
  }
}

// Whatever the system draws straight to the screen on these messages, the styled look is back
// as soon as the message returns: the pixels then are those of a fresh styled paint.
TEST(EditsAndComboBoxes, NoSystemLookRemainsAfterMessagesTheSystemDrawsOn) {
  struct Case {
    const char* name;
    WORD id;
    std::function<void(HWND control, HWND dialog)> act;
  } cases[] = {
      {"edit focused", 300, [](HWND c, HWND) { SetFocus(c); }},
      {"edit loses focus", 300,
       [](HWND c, HWND d) {
         SetFocus(c);
         SetFocus(GetDlgItem(d, 310));
       }},
      {"edit disabled", 300, [](HWND c, HWND) { EnableWindow(c, FALSE); }},
      {"edit text set", 300, [](HWND c, HWND) { SetWindowTextA(c, LongText.c_str()); }},
      {"edit scrolled", 300, [](HWND c, HWND) { SendMessageA(c, WM_VSCROLL, SB_BOTTOM, 0); }},
      {"combo focused", 310, [](HWND c, HWND) { SetFocus(c); }},
      {"combo selection", 310, [](HWND c, HWND) { SendMessageA(c, CB_SETCURSEL, 2, 0); }},
      {"combo key down", 310,
       [](HWND c, HWND) {
         SetFocus(c);
         SendMessageA(c, WM_KEYDOWN, VK_DOWN, 0);
       }},
      {"combo disabled", 310, [](HWND c, HWND) { EnableWindow(c, FALSE); }},
  };
  std::vector<GallerySend> items;
  for (const char* item : {"one", "two", "three"})
    items.push_back({.message = CB_ADDSTRING, .text = item});
  std::vector<GalleryControl> controls{{.className = "Edit",
                                        .style = Multi | WS_VSCROLL | WS_TABSTOP,
                                        .place = {5, 5, 100, 60},
                                        .id = 300},
                                       {.className = "ComboBox",
                                        .style = CBS_DROPDOWNLIST | WS_TABSTOP,
                                        .place = {5, 70, 90, 60},
                                        .id = 310,
                                        .setup = items}};
  for (const Case& c : cases) {
    ShowDialog(controls, [&](HWND dialog) {
      HWND control = GetDlgItem(dialog, c.id);
      HWND cover = c.id == 300 ? EditOf(control).covers.vertical : nullptr;
      PumpFor(50);
      c.act(control, dialog);
      // The edit's frame ring (its client area holds a blinking caret), the combo box and the
      // cover as they are now...
      auto ring = [](const Pixels& p) {
        std::vector<COLORREF> edge;
        for (int x = 0; x < p.width - 20; ++x) edge.insert(edge.end(), {p.At(x, 0), p.At(x, 1)});
        for (int y = 0; y < p.height; ++y) edge.insert(edge.end(), {p.At(0, y), p.At(1, y)});
        return edge;
      };
      // (a drop-down list has no caret: all of it counts)
      auto look = [&] { return c.id == 310 ? Grab(control).rgb : ring(Grab(control)); };
      std::vector<COLORREF> frame = look();
      std::vector<COLORREF> bar = cover ? Grab(cover).rgb : std::vector<COLORREF>{};
      // ...and after the styled look is painted again.
      SetWindowPos(control, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
      if (cover) RedrawWindow(cover, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      EXPECT_EQ(frame, look()) << c.name;
      if (cover) {
        EXPECT_EQ(bar, Grab(cover).rgb) << c.name;
      }
    });
  }
}

// Covers, kept looks and canvases go with their dialog.
TEST(EditsAndComboBoxes, ShowingDialogsLeavesNoGdiObjectsBehind) {
  DialogTemplate gallery = BuildGalleryTemplate();
  auto showOnce = [&] {
    shownControls = &GalleryControls();
    RunStyledDialog(
        gallery.Get(),
        [](HWND dialog) {
          SendDlgItemMessageA(dialog, 301, WM_VSCROLL, SB_PAGEDOWN, 0);
          SetFocus(GetDlgItem(dialog, 310));
        },
        FillingDialogProc);
  };
  showOnce();  // the first run makes what lives for the process (fonts, the GDI+ cache)
  int systemLoses = GdiSlotsLostUnstyledPerShowing(showOnce);
  int before = CountFreeGdiSlots();
  for (int run = 0; run < 20; ++run) showOnce();
  EXPECT_EQ(before - CountFreeGdiSlots(), 20 * systemLoses);
}

int ChildCount(HWND parent) {
  int count = 0;
  for (HWND c = nullptr; (c = FindWindowExA(parent, c, nullptr, nullptr)); ++count) {
  }
  return count;
}

// An edit or list destroyed while its dialog lives takes its covers, their state and the kept
// looks with it, and the engine's table forgets them all.
TEST(EmulatedScrollBars, GoWithTheirControlWhileTheDialogLives) {
  struct Case {
    const char* className;
    DWORD style;
    void (*install)(int styleIndex, HWND parent);
  } cases[] = {{"Edit", ES_MULTILINE, InstallEditControls},
               {"ListBox", LBS_DISABLENOSCROLL, InstallListControls}};
  ShowDialog({}, [&](HWND dialog) {
    for (const Case& c : cases) {
      auto comeAndGo = [&] {
        HWND control =
            CreateWindowExA(WS_EX_CLIENTEDGE, c.className, "",
                            WS_CHILD | WS_VISIBLE | c.style | WS_VSCROLL | WS_HSCROLL, 10, 40, 120,
                            80, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        c.install(FindStyleRecord(dialog), dialog);
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        DestroyWindow(control);
      };
      comeAndGo();
      int windows = ChildCount(dialog), kept = KeptBookkeepingCount(), slots = CountFreeGdiSlots();
      for (int i = 0; i < 20; ++i) comeAndGo();
      EXPECT_EQ(ChildCount(dialog), windows) << c.className;
      EXPECT_EQ(KeptBookkeepingCount(), kept) << c.className;
      EXPECT_GE(CountFreeGdiSlots(), slots - 5) << c.className;
    }
  });
}

// While set, freed memory is filled with this value and kept: a read after free finds it.
std::uintptr_t freedFill = 0;
WNDPROC editOwnProc = nullptr;

// The edit's own procedure, under the engine's: it closes the dialog when the edit moves.
LRESULT CALLBACK ClosingOnMove(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_MOVE) return CallWindowProcA(editOwnProc, edit, message, wParam, lParam);
  DestroyWindow(GetParent(edit));
  return 0;
}

TEST(Edits, AProcedureThatClosesTheDialogOnAMoveLeavesNothingToReadAfterwards) {
  HWND sentinel = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 4, 4, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowDialog({}, [&](HWND dialog) {
    HWND edit =
        CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 10, 40,
                        120, 80, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
    editOwnProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClosingOnMove)));
    InstallEditControls(FindStyleRecord(dialog), dialog);
    // The freed entry's covers would read as the sentinel, which placing them would hide.
    freedFill = reinterpret_cast<std::uintptr_t>(sentinel);
    SendMessageA(edit, WM_MOVE, 0, 0);
    freedFill = 0;
  });
  EXPECT_TRUE(IsWindowVisible(sentinel));
  DestroyWindow(sentinel);
}

}  // namespace

void operator delete(void* block) noexcept {
  if (!block || !freedFill) return std::free(block);
  auto* words = static_cast<std::uintptr_t*>(block);
  for (size_t i = 0; i < _msize(block) / sizeof *words; ++i) words[i] = freedFill;
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
