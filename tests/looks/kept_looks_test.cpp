// Kept looks are dropped when their inputs change: a caption, a static's text, a button's state
// or the window's size changed after a paint is drawn new, and changed back it is drawn as
// before. Many boxes leave no handle or memory behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "styling/buttons/buttons.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

constexpr UINT FullRepaint =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

// The first child of the class with a text of its own (the box's icon static has none).
HWND FirstChild(HWND box, const char* className) {
  for (HWND child = FindWindowExA(box, nullptr, className, nullptr); child;
       child = FindWindowExA(box, child, className, nullptr)) {
    if (!WindowText(child).empty()) return child;
  }
  return nullptr;
}

void SetText(HWND window, const char* text) {
  SetWindowTextA(window, text);
  RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr, FullRepaint);
}

// Pixels that differ between two snapshots of the same size (all of them when sizes differ).
int Differences(const Snapshot& a, const Snapshot& b) {
  if (a.width != b.width || a.height != b.height) return a.width * a.height;
  int count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) count += !(a.pixels[i] == b.pixels[i]);
  return count;
}

void PaintAtRest(HWND shown) {
  RedrawWindow(GetAncestor(shown, GA_ROOT), nullptr, nullptr, FullRepaint);
}

struct Change {
  const char* name;
  std::function<HWND(HWND box)> shown;    // the window whose pixels change
  std::function<void(HWND shown)> rest;   // paints it as it is
  std::function<void(HWND shown)> apply;  // changes an input and paints
  bool wholeWindow = false;
};

const Change changes[] = {
    {"caption", [](HWND box) { return box; }, PaintAtRest,
     [](HWND box) { SetText(box, "another caption"); }, true},
    {"static text", [](HWND box) { return FirstChild(box, "Static"); }, PaintAtRest,
     [](HWND text) { SetText(text, "other words"); }},
    {"button hover", [](HWND box) { return FirstChild(box, "Button"); },
     [](HWND button) { RepaintButton(button, 0, false); },
     [](HWND button) { RepaintButton(button, 0, true); }},
    {"button pressed", [](HWND box) { return FirstChild(box, "Button"); },
     [](HWND button) { RepaintButton(button, 0, false); },
     [](HWND button) { RepaintButton(button, ButtonSelected, false); }},
};

TEST(KeptLooks, AChangedInputIsDrawnNewAndTheOldLookComesBack) {
  for (const Change& change : changes) {
    SCOPED_TRACE(change.name);
    RunStyledBox(
        [&](HWND box) {
          HWND shown = change.shown(box);
          ASSERT_NE(shown, nullptr);
          std::string text = WindowText(shown);
          change.rest(shown);
          Snapshot before = Capture(shown, change.wholeWindow);
          change.apply(shown);
          EXPECT_GT(Differences(Capture(shown, change.wholeWindow), before), 0) << "stale look";
          SetWindowTextA(shown, text.c_str());
          change.rest(shown);
          EXPECT_EQ(Differences(Capture(shown, change.wholeWindow), before), 0);
        },
        MB_OK, "kept looks", "caption");
  }
}

TEST(KeptLooks, AResizedWindowPaintsAtItsNewSize) {
  RunStyledBox([](HWND box) {
    RedrawWindow(box, nullptr, nullptr, FullRepaint);
    Snapshot before = Capture(box, true);
    RECT r{};
    GetWindowRect(box, &r);
    const int grow = 40;
    SetWindowPos(box, nullptr, 0, 0, r.right - r.left + grow, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(box, nullptr, nullptr, FullRepaint);
    Snapshot after = Capture(box, true);
    ASSERT_EQ(after.width, before.width + grow);
    // The borders and the close button move with the right edge. (The glyph's antialiased
    // edge may differ by a level: GDI+ blends it where it now falls.)
    int mismatches = 0;
    for (int y = 6; y < before.height - 6; ++y) {
      for (int x = 0; x < 36; ++x) {
        if (x >= 3 && y >= 22) continue;  // the body, with the controls that stay where they were
        Rgb now = after.At(after.width - 1 - x, y), then = before.At(before.width - 1 - x, y);
        if (!now.Near(then, 2) && mismatches++ < 5) {
          ADD_FAILURE() << "at " << x << "," << y << ": " << now.r << "," << now.g << "," << now.b
                        << " was " << then.r << "," << then.g << "," << then.b;
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  });
}

TEST(KeptLooks, AHundredBoxesLeaveNoHandleOrMemoryBehind) {
  auto exercise = [](HWND box) {
    HWND button = FirstChild(box, "Button");
    for (UINT state : {0u, ButtonSelected, ButtonFocused}) RepaintButton(button, state, true);
    SetText(FirstChild(box, "Static"), "another text");
    SetText(box, "another caption");
  };
  for (int i = 0; i < 3; ++i) RunStyledBox(exercise);  // first use: caches of GDI+, Wine, ours
  PumpFor(400);
  int freeBefore = CountFreeGdiSlots();
  std::size_t bytesBefore = PrivateBytes();
  for (int i = 0; i < 100; ++i) RunStyledBox(exercise);
  PumpFor(400);  // the fade-in threads end
  int freeAfter = CountFreeGdiSlots();
  long long grown = static_cast<long long>(PrivateBytes()) - static_cast<long long>(bytesBefore);
  std::printf("100 boxes: free GDI slots %d -> %d, private bytes %+lld\n", freeBefore, freeAfter,
              grown);
  EXPECT_GE(freeAfter, freeBefore - 5);
  // A box's frame alone is some 80 KB: one kept per box would show as megabytes.
  EXPECT_LT(grown, 1024 * 1024);
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
}

}  // namespace
