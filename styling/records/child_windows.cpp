#include "styling/records/child_windows.h"

#include <algorithm>
#include <cstdlib>

#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

struct KeptChildren {
  HWND parent = nullptr;
  std::vector<KnownChild> children;
  unsigned version = 0;
  unsigned askedInPaint = 0;  // the paint (onePaintSerial) in which the server was last asked
};

// Windows whose list is kept, oldest first; only the user-interface thread. Room for every
// control of a large dialog (each styled control keeps its empty list) and its containers.
constexpr std::size_t KeptParentsAtMost = 512;
std::vector<KeptChildren> keptChildren;
unsigned childrenVersion = 1;  // NoteChildrenChanged moves it on
int engineAlone = 0;           // EngineAloneScope depth
int onePaintDepth = 0;         // OnePaintScope depth
unsigned onePaintSerial = 0;   // moves on with each outermost OnePaintScope

std::vector<KnownChild> WalkChildren(HWND parent) {
  std::vector<KnownChild> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[8] = "";
    GetClassNameA(child, name, sizeof name);
    children.push_back({child, lstrcmpiA(name, "Static") == 0, lstrcmpiA(name, "Button") == 0});
  }
  return children;
}

// Whether the window's procedure is the engine's, which passes every message on through
// ForwardMessage.
bool IsEngineWindow(HWND window) { return ReadProperty(window, ProcProperty) != 0; }

// Two questions to the server instead of one per child; the rest is the process's own.
bool StillCurrent(const KeptChildren& kept) {
  if (kept.version != childrenVersion) return false;
  if (engineAlone > 0) return true;
  if (onePaintDepth > 0 && kept.askedInPaint == onePaintSerial) return true;
  // A window of the engine's hears of a child made in it (WM_PARENTNOTIFY, ForwardMessage):
  // while it has none, nothing needs asking.
  if (kept.children.empty() && IsEngineWindow(kept.parent)) return true;
  HWND first = GetWindow(kept.parent, GW_CHILD);
  if (kept.children.empty()) return first == nullptr;
  if (first != kept.children.front().window) return false;
  for (const KnownChild& child : kept.children) {
    if (!IsWindow(child.window)) return false;
  }
  return GetWindow(kept.children.back().window, GW_HWNDNEXT) == nullptr;
}

void KeepChildren(HWND parent, const std::vector<KnownChild>& children) {
  std::erase_if(keptChildren, [](const KeptChildren& kept) { return !IsWindow(kept.parent); });
  if (keptChildren.size() >= KeptParentsAtMost) keptChildren.erase(keptChildren.begin());
  keptChildren.push_back(
      {parent, children, childrenVersion, onePaintDepth > 0 ? onePaintSerial : 0});
}

// A group box shows its frame and caption only: what it encloses shows through it.
bool IsGroupBox(const KnownChild& child) {
  return child.isButton && (GetWindowLongA(child.window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The direct children of a window, one after another.
template <typename Visit>
void ForEachChild(HWND window, Visit&& visit) {
  for (const KnownChild& child : ChildrenOf(window)) visit(child.window);
}

}  // namespace

std::vector<KnownChild> ChildrenOf(HWND parent) {
  if (!parent) return {};
  auto kept = std::find_if(keptChildren.begin(), keptChildren.end(),
                           [parent](const KeptChildren& k) { return k.parent == parent; });
  if (kept != keptChildren.end()) {
    if (!StillCurrent(*kept)) {
      kept->children = WalkChildren(parent);
      kept->version = childrenVersion;
    }
    if (onePaintDepth > 0) kept->askedInPaint = onePaintSerial;
    return kept->children;
  }
  std::vector<KnownChild> children = WalkChildren(parent);
  // A window without children costs one question either way, unless it is the engine's: then
  // its empty list is kept and needs none.
  if (!children.empty() || IsEngineWindow(parent)) KeepChildren(parent, children);
  return children;
}

void NoteChildrenChanged() { ++childrenVersion; }

OnePaintScope::OnePaintScope() {
  if (onePaintDepth++ == 0) ++onePaintSerial;
}

OnePaintScope::~OnePaintScope() { --onePaintDepth; }

EngineAloneScope::EngineAloneScope() {
  NoteChildrenChanged();
  ++engineAlone;
}

EngineAloneScope::~EngineAloneScope() {
  --engineAlone;
  NoteChildrenChanged();
}

bool ChangesChildOrder(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PARENTNOTIFY) {
    return LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY;
  }
  const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
  return message == WM_WINDOWPOSCHANGED && position && !(position->flags & SWP_NOZORDER);
}

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

// Walks the window's siblings down the z-order, the window itself aside, with whether each lies
// below it, the window's screen rectangle and its client origin.
template <typename Visit>
void ForEachSibling(HWND window, Visit&& visit) {
  HWND parent = GetAncestor(window, GA_PARENT);
  if (!parent || parent == GetDesktopWindow()) return;
  RECT own{};
  GetWindowRect(window, &own);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  bool below = false;
  for (const KnownChild& sibling : ChildrenOf(parent)) {
    if (sibling.window == window) {
      below = true;
    } else {
      visit(sibling, below, own, origin);
    }
  }
}

}  // namespace

void ExcludeSiblingsBelow(HDC dc, HWND window) {
  if (!dc) return;
  ForEachSibling(window,
                 [dc](const KnownChild& sibling, bool below, const RECT& own, POINT origin) {
                   // A group box's border is drawn whichever of the two lies above.
                   if (IsGroupBox(sibling)) {
                     ExcludeGroupBoxBorder(dc, own, origin, sibling.window);
                   } else if (below) {
                     ExcludeOverlap(dc, own, origin, sibling.window);
                   }
                 });
}

void ExcludeOverlappingSiblings(HDC dc, HWND window) {
  if (!dc) return;
  ForEachSibling(window, [dc](const KnownChild& sibling, bool, const RECT& own, POINT origin) {
    if (!IsGroupBox(sibling)) ExcludeOverlap(dc, own, origin, sibling.window);
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
