// The gallery's table makes the dialog it describes, and the engine takes that dialog over.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST(GalleryTable, EveryRowHasItsOwnId) {
  std::set<WORD> ids;
  for (const GalleryControl& control : GalleryControls()) {
    EXPECT_TRUE(ids.insert(control.id).second) << "id " << control.id << " twice";
  }
}

// A misspelt class or a style the class refuses leaves a row without its control.
TEST(GalleryTable, TheTemplateMakesEveryRowsControl) {
  ASSERT_TRUE(classesRegistered);
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), nullptr,
                                           GalleryDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  for (const GalleryControl& control : GalleryControls()) {
    HWND window = GetDlgItem(dialog, control.id);
    ASSERT_NE(window, nullptr) << control.className << " " << control.id;
    EXPECT_EQ(lstrcmpiA(ClassOf(window).c_str(), control.className), 0) << control.id;
  }
  DestroyWindow(dialog);
}

TEST(GalleryTable, TheStyledGalleryIsTakenOverAndFitsTheScreen) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  RECT shown{};
  int styleIndex = 0;
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        styleIndex = FindStyleRecord(dialog);
        GetWindowRect(dialog, &shown);
      },
      GalleryDialogProc);
  EXPECT_NE(styleIndex, 0);
  // The test display, like a small laptop screen, is 1024 x 768.
  EXPECT_LE(shown.right - shown.left, 1024);
  EXPECT_LE(shown.bottom - shown.top, 768);
}

// The whole window as PrintWindow draws it (a thumbnail, an animation's first picture).
Snapshot Printed(HWND window) {
  Snapshot shot = Capture(window, true);
  BITMAPINFO info{
      {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, shot.width, shot.height, WHITENESS);
  PrintWindow(window, memory, 0);
  GdiFlush();
  const auto* words = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < shot.pixels.size(); ++i) {
    shot.pixels[i] = {static_cast<int>((words[i] >> 16) & 0xFF),
                      static_cast<int>((words[i] >> 8) & 0xFF), static_cast<int>(words[i] & 0xFF)};
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return shot;
}

// Dark pixels of the control's place in a whole-window picture of its dialog.
int DarkIn(const Snapshot& shot, HWND dialog, HWND control) {
  RECT own{}, place{};
  GetWindowRect(dialog, &own);
  GetWindowRect(control, &place);
  int dark = 0;
  for (int y = std::max(0L, place.top - own.top); y < place.bottom - own.top && y < shot.height;
       ++y) {
    for (int x = std::max(0L, place.left - own.left); x < place.right - own.left && x < shot.width;
         ++x) {
      Rgb p = shot.At(x, y);
      dark += p.r < 90 && p.g < 90 && p.b < 90;
    }
  }
  return dark;
}

// A print shows every control of the styled gallery as the screen does, the dialog shown or
// not: a window printed before it is shown prints its controls, each within its place.
TEST(GalleryTable, APrintShowsEveryControlAsTheScreenDoes) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        PumpFor(300);
        const struct {
          const char* what;
          int show;
        } rows[] = {{"shown", SW_SHOWNA}, {"hidden", SW_HIDE}};
        for (const auto& row : rows) {
          ShowWindow(dialog, row.show);
          const Snapshot printed = Printed(dialog);
          // The screen of the same state: hiding the active dialog takes the focus away, and the
          // dialog shown again without activation keeps it away.
          ShowWindow(dialog, SW_SHOWNA);
          PumpFor(300);
          const Snapshot screen = Capture(dialog, true);
          for (const GalleryControl& control : GalleryControls()) {
            HWND window = GetDlgItem(dialog, control.id);
            if (!window || !(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) continue;
            const int onScreen = DarkIn(screen, dialog, window);
            EXPECT_NEAR(DarkIn(printed, dialog, window), onScreen, 8 + onScreen / 5)
                << row.what << ": " << control.className << " " << control.id;
          }
        }
      },
      GalleryDialogProc);
}

// Every look, canvas, frame and record the gallery makes is given back when it closes. The first
// opening makes what lives as long as the process (the tinted tick, the session's caches).
TEST(GalleryTable, OpeningAndClosingItAHundredTimesLeavesTheFreeGdiSlotsAsTheyWere) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  auto showOnce = [&] {
    RunStyledDialog(
        dialogTemplate.Get(), [](HWND) {}, GalleryDialogProc);
  };
  showOnce();
  int systemLoses = GdiSlotsLostUnstyledPerShowing(showOnce);
  int before = CountFreeGdiSlots();
  for (int i = 0; i < 100; ++i) showOnce();
  EXPECT_EQ(before - CountFreeGdiSlots(), 100 * systemLoses);
}

}  // namespace
