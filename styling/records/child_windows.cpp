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

bool Overlaps(const RECT& own, HWND other) {
  RECT rect{}, overlap{};
  GetWindowRect(other, &rect);
  return IntersectRect(&overlap, &rect, &own) != FALSE;
}

// The siblings from `first` down the z-order, the window itself aside, that overlap it and
// are not group boxes.
std::vector<HWND> OverlappingFrom(HWND window, HWND first) {
  std::vector<HWND> found;
  RECT own{};
  GetWindowRect(window, &own);
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != window && !IsGroupBox(sibling) && Overlaps(own, sibling)) {
      found.push_back(sibling);
    }
  }
  return found;
}

// The band of a group box that its border and caption take: its edges, and at the top the
// height of its caption, where the top edge runs.
void ExcludeGroupBoxBorder(HDC dc, HWND box, RECT rect) {
  constexpr int Edge = 2;
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
  int top = handle && GetObjectA(handle, sizeof font, &font) ? std::abs(font.lfHeight) + Edge : 16;
  ExcludeClipRect(dc, rect.left, rect.top, rect.left + Edge, rect.bottom);
  ExcludeClipRect(dc, rect.right - Edge, rect.top, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.bottom - Edge, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.top + top);
}

}  // namespace

std::vector<HWND> SiblingsBelow(HWND window) {
  std::vector<HWND> found = OverlappingFrom(window, GetWindow(window, GW_HWNDNEXT));
  RECT own{};
  GetWindowRect(window, &own);
  // A group box's border is drawn whichever of the two lies above.
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != window && IsGroupBox(sibling) && Overlaps(own, sibling))
      found.push_back(sibling);
  }
  return found;
}

std::vector<HWND> OverlappingSiblings(HWND window) {
  return OverlappingFrom(window, GetWindow(window, GW_HWNDFIRST));
}

void ExcludeSiblingsBelow(HDC dc, HWND window, const std::vector<HWND>& siblings) {
  if (!dc || siblings.empty()) return;
  RECT own{};
  GetWindowRect(window, &own);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  for (HWND below : siblings) {
    if (!IsWindowVisible(below) || IsMouseTransparent(below)) continue;
    RECT rect{}, overlap{};
    GetWindowRect(below, &rect);
    if (!IntersectRect(&overlap, &rect, &own)) continue;
    if (IsGroupBox(below)) {
      OffsetRect(&rect, -origin.x, -origin.y);
      ExcludeGroupBoxBorder(dc, below, rect);
      continue;
    }
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
