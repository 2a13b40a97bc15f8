#include "styling/records/child_windows.h"

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

void ExcludeSiblingsBelow(HDC dc, HWND window) {
  if (!dc) return;
  RECT own{};
  GetWindowRect(window, &own);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  for (HWND below = GetWindow(window, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
    RECT rect{}, overlap{};
    GetWindowRect(below, &rect);
    if (!IntersectRect(&overlap, &rect, &own)) continue;
    if (!IsWindowVisible(below) || IsMouseTransparent(below) || IsGroupBox(below)) continue;
    OffsetRect(&overlap, -origin.x, -origin.y);
    ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
  }
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
