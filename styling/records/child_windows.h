#pragma once
// Window helpers that several control families share: a child's rectangle in its parent, a DC
// that leaves the visible children alone, and repainting all visible children.

#include <windows.h>

#include <vector>

// The window's rectangle in its parent's client coordinates; the empty rectangle for the
// window of a style record (a styled top-level window has no place in a parent).
RECT GetRectInParent(HWND window);

// A DC for the window (its GetDC DC, or `dc` when haveDc is set) with every visible child that
// is not WS_EX_TRANSPARENT cut from the clip region. Release it with ReleaseDC.
HDC GetChildClippedDC(HWND window, HDC dc = nullptr, bool haveDc = false);

// The siblings below the window in z-order that overlap it, group boxes aside: the system paints
// those after the window, so where they overlap they show, and a label reaching over a field
// leaves the field whole. Group boxes that overlap it, above or below, are listed too: their
// border stays whole beside it. Depends on the dialog's layout only: a painter keeps the answer.
std::vector<HWND> SiblingsBelow(HWND window);
// Every sibling, above or below, that overlaps the window, group boxes aside: a tab control
// leaves the pages lying over it to paint themselves.
std::vector<HWND> OverlappingSiblings(HWND window);
// Cuts from a DC of the window's client area those of the siblings that are visible, not
// WS_EX_TRANSPARENT, and still overlap it; of a group box, only its border and caption band.
void ExcludeSiblingsBelow(HDC dc, HWND window, const std::vector<HWND>& siblings);

// Invalidates (and erases) every visible direct child of the window.
void InvalidateVisibleChildren(HWND window);

// Paints now every visible direct child that has something to repaint (UpdateWindow).
void UpdateVisibleChildren(HWND window);
