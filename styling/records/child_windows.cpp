#include "styling/records/child_windows.h"

#include <cstdlib>

#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

// A group box shows its frame and caption only: what it encloses shows through it.
bool IsGroupBox(HWND window) {
  return lstrcmpiA(ClassNameOf(window).c_str(), "Button") == 0 &&
         (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The direct children of a window, one after another.
template <typename Visit>
void ForEachChild(HWND window, Visit&& visit) {
  for (HWND child = FindWindowExA(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(window, child, nullptr, nullptr)) {
    visit(child);
  }
}

}  // namespace

RECT GetRectInParent(HWND window) {
  RECT rect{};
  if (FindStyleRecord(window)) return rect;
  GetWindowRect(window, &rect);
  HWND parent = GetAncestor(window, GA_PARENT);
  RECT client{};
  GetClientRect(parent, &client);
  POINT origin{client.left, client.top};
  ClientToScreen(parent, &origin);
  OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

HDC GetChildClippedDC(HWND window, HDC dc, bool haveDc) {
  if (!haveDc) dc = GetDC(window);
  if (!dc) return nullptr;
  ForEachChild(window, [dc](HWND child) {
    if (!IsWindowVisible(child) || IsMouseTransparent(child)) return;
    RECT rect = GetRectInParent(child);
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  });
  return dc;
}

namespace {

// Cuts the part of the sibling that overlaps the window, when it is shown and takes the mouse.
void ExcludeOverlap(HDC dc, const RECT& own, POINT origin, HWND sibling) {
  if (!IsWindowVisible(sibling) || IsMouseTransparent(sibling)) return;
  RECT rect{}, overlap{};
  GetWindowRect(sibling, &rect);
  if (!IntersectRect(&overlap, &rect, &own)) return;
  OffsetRect(&overlap, -origin.x, -origin.y);
  ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
}

// The band of a group box that its border and caption take: its edges, and at the top the
// height of its caption, where the top edge runs.
void ExcludeGroupBoxBorder(HDC dc, const RECT& own, POINT origin, HWND box) {
  if (!IsWindowVisible(box)) return;
  RECT rect{}, overlap{};
  GetWindowRect(box, &rect);
  if (!IntersectRect(&overlap, &rect, &own)) return;
  OffsetRect(&rect, -origin.x, -origin.y);
  constexpr int Edge = 2;
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
  int top = handle && GetObjectA(handle, sizeof font, &font) ? std::abs(font.lfHeight) + Edge : 16;
  ExcludeClipRect(dc, rect.left, rect.top, rect.left + Edge, rect.bottom);
  ExcludeClipRect(dc, rect.right - Edge, rect.top, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.bottom - Edge, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.top + top);
}

// Walks the siblings from `first` down the z-order, the window itself aside, with the window's
// screen rectangle and its client origin.
template <typename Visit>
void ForEachSiblingFrom(HWND window, HWND first, Visit&& visit) {
  RECT own{};
  GetWindowRect(window, &own);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != window) visit(sibling, own, origin);
  }
}

}  // namespace

void ExcludeSiblingsBelow(HDC dc, HWND window) {
  if (!dc) return;
  ForEachSiblingFrom(window, GetWindow(window, GW_HWNDNEXT),
                     [dc](HWND below, const RECT& own, POINT origin) {
                       if (!IsGroupBox(below)) ExcludeOverlap(dc, own, origin, below);
                     });
  // A group box's border is drawn whichever of the two lies above.
  ForEachSiblingFrom(window, GetWindow(window, GW_HWNDFIRST),
                     [dc](HWND sibling, const RECT& own, POINT origin) {
                       if (IsGroupBox(sibling)) ExcludeGroupBoxBorder(dc, own, origin, sibling);
                     });
}

void ExcludeOverlappingSiblings(HDC dc, HWND window) {
  if (!dc) return;
  ForEachSiblingFrom(window, GetWindow(window, GW_HWNDFIRST),
                     [dc](HWND sibling, const RECT& own, POINT origin) {
                       if (!IsGroupBox(sibling)) ExcludeOverlap(dc, own, origin, sibling);
                     });
}

void InvalidateVisibleChildren(HWND window) {
  ForEachChild(window, [](HWND child) {
    if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  });
}

void UpdateVisibleChildren(HWND window) {
  ForEachChild(window, [](HWND child) {
    if (IsWindowVisible(child)) UpdateWindow(child);
  });
}
