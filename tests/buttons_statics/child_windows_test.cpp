// The shared child-window helpers: a child's place in its parent, the child-clipped DC and the
// invalidation of visible children.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "styling/records/child_windows.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"

namespace {

TEST(ChildWindows, RectInParentIsInClientCoordinatesAndEmptyForAStyledWindow) {
  StyledHost host;  // has a caption, so window and client origins differ
  HWND child = host.AddChild("Static", "", SS_LEFT, 10, 40, 60, 20);
  RECT r = GetRectInParent(child);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right, 70);
  EXPECT_EQ(r.bottom, 60);
  RECT own = GetRectInParent(host.window);
  EXPECT_TRUE(own.left == 0 && own.top == 0 && own.right == 0 && own.bottom == 0);
}

TEST(ChildWindows, ClippedDcSparesVisibleOpaqueChildrenOnly) {
  StyledHost host;
  HWND opaque = host.AddChild("Static", "", SS_BLACKRECT, 10, 10, 40, 40);
  HWND seeThrough = host.AddChild("Static", "", SS_BLACKRECT, 60, 10, 40, 40, WS_EX_TRANSPARENT);
  HWND hidden = host.AddChild("Static", "", SS_BLACKRECT, 110, 10, 40, 40);
  ShowWindow(hidden, SW_HIDE);
  UpdateWindow(host.window);
  UpdateWindow(opaque);
  UpdateWindow(seeThrough);

  HDC own = GetDC(host.window);
  EXPECT_EQ(GetChildClippedDC(host.window, own, true), own) << "the given DC is used";
  ReleaseDC(host.window, own);

  HDC dc = GetChildClippedDC(host.window);
  ASSERT_NE(dc, nullptr);
  RECT all{0, 0, 300, 200};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  ReleaseDC(host.window, dc);

  const Rgb painted{255, 0, 255};
  EXPECT_FALSE(PixelOf(host.window, 30, 30) == painted) << "a visible child is cut out";
  EXPECT_EQ(PixelOf(host.window, 80, 30), painted) << "a WS_EX_TRANSPARENT child is not";
  EXPECT_EQ(PixelOf(host.window, 130, 30), painted) << "nor a hidden one";
  EXPECT_EQ(PixelOf(host.window, 5, 5), painted);
}

TEST(ChildWindows, OnlyVisibleChildrenAreInvalidated) {
  StyledHost host;
  HWND shown = host.AddChild("Static", "a", SS_LEFT, 10, 10, 40, 20);
  HWND hidden = host.AddChild("Static", "b", SS_LEFT, 10, 40, 40, 20);
  ShowWindow(hidden, SW_HIDE);
  Pump();
  ValidateRect(shown, nullptr);
  ValidateRect(hidden, nullptr);
  InvalidateVisibleChildren(host.window);
  EXPECT_TRUE(GetUpdateRect(shown, nullptr, FALSE));
  EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE));
  Pump();
}

// The parent's children from the top of the z-order down, walked afresh.
std::vector<HWND> WalkedChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::vector<HWND> KeptChildren(HWND parent) {
  std::vector<HWND> children;
  for (const KnownChild& child : ChildrenOf(parent)) children.push_back(child.window);
  return children;
}

void PlaceAfter(HWND window, HWND after) {
  SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Whatever happened to the children since the list was kept, the list is the walk's: a change
// at either end is seen by itself, one in the middle once it is noted.
TEST(ChildWindows, AKeptChildListIsTheWalksAfterEveryChange) {
  using Children = std::vector<HWND>;
  const struct {
    const char* change;
    std::function<void(StyledHost&, const Children&)> make;
  } rows[] = {
      {"nothing", [](StyledHost&, const Children&) {}},
      {"a child made",
       [](StyledHost& host, const Children&) { host.AddChild("Static", "", SS_LEFT, 0, 0, 9, 9); }},
      {"a child raised to the top",
       [](StyledHost&, const Children& c) { PlaceAfter(c[2], HWND_TOP); }},
      {"a child sent to the bottom",
       [](StyledHost&, const Children& c) { PlaceAfter(c[1], HWND_BOTTOM); }},
      {"the top child destroyed", [](StyledHost&, const Children& c) { DestroyWindow(c[0]); }},
      {"a middle child destroyed", [](StyledHost&, const Children& c) { DestroyWindow(c[1]); }},
      {"the bottom child destroyed", [](StyledHost&, const Children& c) { DestroyWindow(c[3]); }},
      {"a child moved into the middle, noted",
       [](StyledHost&, const Children& c) {
         PlaceAfter(c[0], c[2]);
         NoteChildrenChanged();
       }},
      {"a child made and another raised during one paint",
       [](StyledHost& host, const Children& c) {
         OnePaintScope paint;
         ChildrenOf(host.window);
         host.AddChild("Static", "", SS_LEFT, 0, 0, 9, 9);
         PlaceAfter(c[3], HWND_TOP);
       }},
      {"a child made while the engine alone works, noted",
       [](StyledHost& host, const Children&) {
         EngineAloneScope alone;
         ChildrenOf(host.window);
         HWND made = host.AddChild("Static", "", SS_LEFT, 0, 0, 9, 9);
         PlaceAfter(made, HWND_TOP);
         NoteChildrenChanged();
         EXPECT_EQ(KeptChildren(host.window), WalkedChildren(host.window)) << "within the scope";
       }},
  };
  for (const auto& row : rows) {
    StyledHost host;
    for (const char* kind : {"Static", "BUTTON", "Edit", "static"}) {
      host.AddChild(kind, "", kind[0] == 'B' ? BS_GROUPBOX : 0, 10, 10, 40, 20);
    }
    const Children children = WalkedChildren(host.window);
    ASSERT_EQ(KeptChildren(host.window), children) << row.change;
    for (const KnownChild& child : ChildrenOf(host.window)) {  // classes in any spelling
      EXPECT_EQ(child.isStatic, ClassNameOf(child.window) == "Static") << row.change;
      EXPECT_EQ(child.isButton, ClassNameOf(child.window) == "Button") << row.change;
    }
    row.make(host, children);
    EXPECT_EQ(KeptChildren(host.window), WalkedChildren(host.window)) << row.change;
  }
}

LRESULT CALLBACK PassingOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ForwardMessage(window, message, wParam, lParam);
}

// A control of the engine's is asked nothing about its children: a child made in it is seen, and
// so is one moved out (SetParent tells the control nothing) or destroyed.
TEST(ChildWindows, AChildMadeInAStyledControlWithoutChildrenIsSeen) {
  StyledHost host;
  HWND control = host.AddChild("Static", "", SS_LEFT, 10, 10, 40, 20);
  SubclassWindow(control, PassingOn);
  ASSERT_TRUE(ChildrenOf(control).empty());
  auto part = [control] {
    return CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, control, nullptr,
                           nullptr, nullptr);
  };
  HWND made = part();
  EXPECT_EQ(KeptChildren(control), std::vector<HWND>{made});
  HWND second = part();
  EXPECT_EQ(KeptChildren(control), (std::vector<HWND>{made, second}));
  SetParent(made, host.window);
  EXPECT_EQ(KeptChildren(control), std::vector<HWND>{second});
  DestroyWindow(second);
  EXPECT_TRUE(KeptChildren(control).empty());
}

}  // namespace
