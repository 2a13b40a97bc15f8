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

// A control of the engine's, not a styled dialog or page: its children are its own parts and
// the engine's covers, made before it was styled or by the engine.
bool IsEngineControl(HWND window) {
  return IsEngineWindow(window) && !FindStyleRecord(window) &&
         !ControlEntry(window, &StyleRecord::containers);
}

// Each kept child is still there and still the parent's: the process's own knowledge.
bool StillChildrenOf(const KeptChildren& kept) {
  return std::all_of(kept.children.begin(), kept.children.end(), [&](const KnownChild& child) {
    return IsWindow(child.window) && GetAncestor(child.window, GA_PARENT) == kept.parent;
  });
}

// Two questions to the server instead of one per child; the rest is the process's own.
bool StillCurrent(const KeptChildren& kept) {
  if (kept.version != childrenVersion) return false;
  if (engineAlone > 0) return true;
  if (onePaintDepth > 0 && kept.askedInPaint == onePaintSerial) return true;
  // A window of the engine's hears of a child made in it (WM_PARENTNOTIFY, ForwardMessage):
  // while it has none, nothing needs asking; nor for a control of the engine's, whose parts
  // stay as they were made.
  if (kept.children.empty() && IsEngineWindow(kept.parent)) return true;
  if (IsEngineControl(kept.parent)) return StillChildrenOf(kept);
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

// Cuts the part of the sibling that overlaps the window (`overlap`, on the screen), when it is
// shown and takes the mouse.
void ExcludeOverlap(HDC dc, RECT overlap, POINT origin, HWND sibling) {
  if (!IsWindowVisible(sibling) || IsMouseTransparent(sibling)) return;
  OffsetRect(&overlap, -origin.x, -origin.y);
  ExcludeClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
}

// The band of a group box (`rect`, on the screen) that its border and caption take: its edges,
// and at the top the height of its caption, where the top edge runs.
void ExcludeGroupBoxBorder(HDC dc, RECT rect, POINT origin, HWND box) {
  if (!IsWindowVisible(box)) return;
  OffsetRect(&rect, -origin.x, -origin.y);
  constexpr int Edge = 2;
  LOGFONTA font{};
  // A styled group box's entry knows its font: no message to it at every paint of a sibling.
  const ButtonRecord* styled = ControlEntry(box, &StyleRecord::buttons);
  auto handle = styled ? styled->caption.OwnFont()
                       : reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
  int top = handle && GetObjectA(handle, sizeof font, &font) ? std::abs(font.lfHeight) + Edge : 16;
  ExcludeClipRect(dc, rect.left, rect.top, rect.left + Edge, rect.bottom);
  ExcludeClipRect(dc, rect.right - Edge, rect.top, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.bottom - Edge, rect.right, rect.bottom);
  ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.top + top);
}

// A sibling that overlaps the window, with its rectangle and the overlap (on the screen) and
// whether it lies below the window.
struct OverlappingSibling {
  const KnownChild& sibling;
  bool below;
  RECT rect, overlap;
};

// Walks the window's siblings that overlap it, down the z-order, with the window's client
// origin on the screen. Most siblings lie elsewhere: their rectangle is all that is read.
template <typename Visit>
void ForEachOverlappingSibling(HWND window, Visit&& visit) {
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
      continue;
    }
    RECT rect{}, overlap{};
    GetWindowRect(sibling.window, &rect);
    if (IntersectRect(&overlap, &rect, &own))
      visit(OverlappingSibling{sibling, below, rect, overlap}, origin);
  }
}

}  // namespace

void ExcludeSiblingsBelow(HDC dc, HWND window) {
  if (!dc) return;
  ForEachOverlappingSibling(window, [dc](const OverlappingSibling& at, POINT origin) {
    // A group box's border is drawn whichever of the two lies above.
    if (IsGroupBox(at.sibling)) {
      ExcludeGroupBoxBorder(dc, at.rect, origin, at.sibling.window);
    } else if (at.below) {
      ExcludeOverlap(dc, at.overlap, origin, at.sibling.window);
    }
  });
}

void ExcludeOverlappingSiblings(HDC dc, HWND window) {
  if (!dc) return;
  ForEachOverlappingSibling(window, [dc](const OverlappingSibling& at, POINT origin) {
    if (!IsGroupBox(at.sibling)) ExcludeOverlap(dc, at.overlap, origin, at.sibling.window);
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
