// The skin library's subclass pieces: a window's state is found by its own kind only, freed
// once with the window, and every paint message reaches the one paint function with its DC.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "skinlib/subclass.h"

namespace {

struct CountedState {
  static inline int freed = 0;
  int painted = 0;
  ~CountedState() { ++freed; }
};
std::vector<HDC> paintedDcs;

LRESULT CALLBACK CountedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) {
  auto* state = reinterpret_cast<CountedState*>(data);
  switch (message) {
    case WM_NCDESTROY:
      return skin::EndSubclass(window, CountedProc, state, message, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return skin::PaintThrough(window, message, wParam, [&](HDC dc) {
        ++state->painted;
        paintedDcs.push_back(dc);
      });
    default:
      return DefSubclassProc(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST(SkinSubclass, StateIsFoundByItsKindPaintedThroughAndFreedOnce) {
  HWND window = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 10, 10, 60, 40, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);
  auto* state = skin::AttachState<CountedState>(window, CountedProc);
  ASSERT_TRUE(state);
  EXPECT_EQ(skin::SubclassStateOf<CountedState>(window, CountedProc), state);
  EXPECT_EQ(skin::SubclassStateOf<CountedState>(window, OtherProc), nullptr);
  EXPECT_EQ(skin::SubclassStateOf<CountedState>(nullptr, CountedProc), nullptr);

  HDC memory = CreateCompatibleDC(nullptr);
  paintedDcs.clear();
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  ASSERT_EQ(paintedDcs.size(), 3u);
  EXPECT_EQ(paintedDcs[0], memory);
  EXPECT_EQ(paintedDcs[1], memory) << "a DC given with WM_PAINT is painted into";
  EXPECT_NE(paintedDcs[2], nullptr);
  EXPECT_NE(paintedDcs[2], memory);
  EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "WM_PAINT validates the window";
  DeleteDC(memory);

  int freedBefore = CountedState::freed;
  DestroyWindow(window);
  EXPECT_EQ(CountedState::freed, freedBefore + 1);
}

}  // namespace
