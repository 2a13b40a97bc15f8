// The gallery's table makes the dialog it describes, and the engine takes that dialog over.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
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

// Every look, canvas, frame and record the gallery makes is given back when it closes. The first
// opening makes what lives as long as the process (the tinted tick, the session's caches).
TEST(GalleryTable, OpeningAndClosingItAHundredTimesLeavesTheFreeGdiSlotsAsTheyWere) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  auto showOnce = [&] {
    RunStyledDialog(
        dialogTemplate.Get(), [](HWND) {}, GalleryDialogProc);
  };
  showOnce();
  int before = CountFreeGdiSlots();
  for (int i = 0; i < 100; ++i) showOnce();
  EXPECT_EQ(CountFreeGdiSlots(), before);
}

}  // namespace
