#pragma once
// Window helpers that several control families share: the kept lists of a window's children, a
// child's rectangle in its parent, a DC that leaves the visible children alone, and repainting
// all visible children.

#include <windows.h>

#include <vector>

// One direct child of a window as the kept child lists know it. The class never changes, so it
// is read once; everything else (place, style, visibility) is read at each use.
struct KnownChild {
  HWND window = nullptr;
  bool isStatic = false;  // "Static": it may be a panel
  bool isButton = false;  // "Button": it may be a group box
};

// The window's direct children from the top of the z-order down (a copy: painting one child
// may ask for the list again). Walking them asks the server once per child under Wine, so the
// list is kept per window and checked at each use with two questions: is the first child still
// the first, and does nothing lie below the last (a new child goes to one end). A child
// destroyed, or a change noted by NoteChildrenChanged, walks again. A window of the engine's
// without children is asked nothing: a child made in it sends it WM_PARENTNOTIFY. Nor is a
// control of the engine's (not a styled dialog or page) with children, its own parts: each is
// checked to be there and still its child. Only a window that is none of the engine's moved
// within the z-order (anywhere in a control of the engine's, into the middle elsewhere), or a
// child made without that notice (WS_EX_NOPARENTNOTIFY) or moved in by SetParent in a control of
// the engine's, goes unseen until the next change.
std::vector<KnownChild> ChildrenOf(HWND parent);

// A window was made, destroyed or moved in the z-order: every kept child list is walked again.
// The engine's own windows tell it from their procedures (ForwardMessage).
void NoteChildrenChanged();

// The messages that change some window's children or their order.
bool ChangesChildOrder(UINT message, WPARAM wParam, LPARAM lParam);

// For the length of one paint of the engine (a frame with its children, a label): each kept
// list is asked about once, and then taken as it is for the rest of the paint.
class OnePaintScope {
 public:
  OnePaintScope();
  ~OnePaintScope();
  OnePaintScope(const OnePaintScope&) = delete;
  OnePaintScope& operator=(const OnePaintScope&) = delete;
};

// For the length of a scope in which only the engine makes and moves windows, and notes each
// change it makes (the router at work): a kept list is current as long as no change was noted,
// and no question goes to the server. Every list is walked again afterwards.
class EngineAloneScope {
 public:
  EngineAloneScope();
  ~EngineAloneScope();
  EngineAloneScope(const EngineAloneScope&) = delete;
  EngineAloneScope& operator=(const EngineAloneScope&) = delete;
};

// The window's rectangle in its parent's client coordinates; the empty rectangle for the
// window of a style record (a styled top-level window has no place in a parent).
RECT GetRectInParent(HWND window);

// A DC for the window (its GetDC DC, or `dc` when haveDc is set) with every visible child that
// is not WS_EX_TRANSPARENT cut from the clip region. Release it with ReleaseDC.
HDC GetChildClippedDC(HWND window, HDC dc = nullptr, bool haveDc = false);

// Cuts from a DC of the window's client area the siblings below it in z-order that overlap it
// and are visible and not WS_EX_TRANSPARENT, group boxes aside: the system paints those after
// the window, so where they overlap they show, and a label reaching over a field leaves the
// field whole. Of a group box that overlaps it, above or below, only its border and caption
// band are cut: the border stays whole beside it. The siblings come from ChildrenOf; their
// places and visibility are read at each paint, so a sibling shown or moved since is not missed.
void ExcludeSiblingsBelow(HDC dc, HWND window);
// Cuts every sibling, above or below, that overlaps the window, group boxes aside: a tab control
// leaves the pages lying over it to paint themselves.
void ExcludeOverlappingSiblings(HDC dc, HWND window);

// Invalidates (and erases) every visible direct child of the window.
void InvalidateVisibleChildren(HWND window);

// Paints now every visible direct child that has something to repaint (UpdateWindow).
void UpdateVisibleChildren(HWND window);
