#pragma once
// Window helpers that several control families share: a child's rectangle in its parent, a DC
// that leaves the visible children alone, and repainting all visible children.

#include <windows.h>

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
// band are cut: the border stays whole beside it. Looked up at each paint (a few rectangles):
// a sibling made, shown, moved, raised or destroyed since is never missed.
void ExcludeSiblingsBelow(HDC dc, HWND window);
// Cuts every sibling, above or below, that overlaps the window, group boxes aside: a tab control
// leaves the pages lying over it to paint themselves.
void ExcludeOverlappingSiblings(HDC dc, HWND window);

// Invalidates (and erases) every visible direct child of the window.
void InvalidateVisibleChildren(HWND window);

// Paints now every visible direct child that has something to repaint (UpdateWindow).
void UpdateVisibleChildren(HWND window);
