#pragma once
// Emulated scroll bars: borderless "Static" covers that lie exactly over a control's system
// scroll bars and show them in the engine's look. The real bars keep working underneath (a
// cover lets the mouse through); a cover lies right above its control in z-order and is only a
// picture, repainted whenever its control may have changed its scroll state or drawn its bars.
//
// How a family uses them (edits as the example):
//   installer:  entry.covers = CreateEmulatedScrollBars(control);
//   procedure:  on moves, sizes and showing:        PlaceEmulatedScrollBars(control, covers);
//               after a message that may scroll:    RepaintEmulatedScrollBars(control, covers);
//               after WM_NCMOUSEMOVE went through:   HoverEmulatedScrollBars(control, covers, l);
//               after WM_NCMOUSELEAVE went through:  LeaveEmulatedScrollBars(covers);
//               on WM_DESTROY:                       ReleaseCoveredControl(entry);
// Each cover keeps its own part rectangles and finished looks; it frees them when destroyed.

#include <windows.h>

// What lies under a point of a cover.
enum ScrollBarPart : int {
  NoScrollBarPart = 0,  // none, or the track
  ThumbPart = 1,
  FirstArrowPart = 3,   // up or left
  SecondArrowPart = 4,  // down or right
};

enum class ScrollBarOrientation { Vertical, Horizontal };

// The covers of one control; 0 where it has none.
struct ScrollBarCovers {
  HWND vertical = nullptr;
  HWND horizontal = nullptr;
};

// Creates the cover for one bar of `target` as a disabled child of the target's parent, lying
// over the real bar when `visible`, else hidden (10 x 10 at 0, 0) until the first placement.
// 0 when the target has no parent or the window cannot be made.
HWND CreateEmulatedScrollBar(HWND target, ScrollBarOrientation orientation, bool visible);
// A cover for each scroll style the target has (WS_VSCROLL, WS_HSCROLL), shown when the target
// is visible.
ScrollBarCovers CreateEmulatedScrollBars(HWND target);

// Whether the cover is shown over the whole of the target's bar of that orientation: what the
// system draws there is hidden at once.
bool CoverLiesOverItsBar(HWND target, HWND cover, ScrollBarOrientation orientation);
// Shows each cover where the target has that bar's style and is visible, hides it otherwise,
// and moves it exactly over the real bar (the parent's client coordinates).
void PlaceEmulatedScrollBars(HWND target, const ScrollBarCovers& covers);

// Paints a cover at once, with the part under the pointer in its hover look.
void PaintVerticalScrollBar(HWND cover, ScrollBarPart hover = NoScrollBarPart);
void PaintHorizontalScrollBar(HWND cover, ScrollBarPart hover = NoScrollBarPart);

// The part of the cover under a point given as in WM_NCMOUSEMOVE (screen x in the low word, y
// in the high word), measured against the part rectangles of the cover's last paint.
ScrollBarPart HitTestVerticalScrollBar(HWND cover, LPARAM screenPoint);
ScrollBarPart HitTestHorizontalScrollBar(HWND cover, LPARAM screenPoint);

// The target is being destroyed: its covers go with it (their state and kept looks with them),
// and the handles are cleared. A cover already going with its parent is left to it.
void DestroyEmulatedScrollBars(ScrollBarCovers& covers);

// WM_DESTROY of a control with covers (an edit, a list): the covers and the kept looks go with
// it while its dialog lives on, and its entry no longer names the handle, which a new window
// may be given.
template <typename Entry>
void ReleaseCoveredControl(Entry& entry) {
  DestroyEmulatedScrollBars(entry.covers);
  entry.looks.Clear();
  entry.window = nullptr;
}

// Repaints the covers of the bars the target still has when what they show has changed since
// their last paint (scroll position, range, state, size, background); a part under the pointer
// keeps its hover look.
void RepaintEmulatedScrollBars(HWND target, const ScrollBarCovers& covers);

// Paints the covers of the bars the target still has, changed or not: the target has just
// drawn its own bars over them (it does not clip its siblings), as at the end of the system's
// tracking loop when a click on a bar is let go.
void PaintEmulatedScrollBars(HWND target, const ScrollBarCovers& covers);

// After the target has handled WM_NCMOUSEMOVE (the system draws its bars' hot-tracked look
// then): each cover shows the part under the point in its hover look, and the target is asked
// for WM_NCMOUSELEAVE, after which it calls LeaveEmulatedScrollBars.
void HoverEmulatedScrollBars(HWND target, const ScrollBarCovers& covers, LPARAM screenPoint);
void LeaveEmulatedScrollBars(const ScrollBarCovers& covers);

// Cuts the bars that lie under the target's covers out of a DC of the target's whole window
// (GetWindowDC), so that painting its frame leaves the covers alone.
void ExcludeEmulatedScrollBars(HDC windowDc, HWND target, const ScrollBarCovers& covers);

// The target's update region for WM_NCPAINT (1 for the whole window, as the message gives it)
// without the areas its visible covers show: handed to the system's frame painting, it leaves
// the covers alone. Screen coordinates; the caller deletes it (0 when it cannot be made).
HRGN CoverFreeRegion(HWND target, const ScrollBarCovers& covers, HRGN update);

// Whether the window is a cover.
bool IsEmulatedScrollBar(HWND window);

// A scroll bar control painted by the covers' painter as its own cover: its bar is its whole
// client area (GetScrollBarInfo with OBJID_CLIENT). The state goes on its WM_NCDESTROY, with
// ReleaseOwnCover.
void MakeOwnCover(HWND control);
void ReleaseOwnCover(HWND control);
