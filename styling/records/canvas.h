#pragma once
// Memory DCs of the engine: the background canvas a control paints on, the frame DC of a
// styled window, and the window rectangles they are placed by.

#include <windows.h>
#include <commctrl.h>

#include "styling/records/look_cache.h"

struct StyleRecord;

// A new 32-bit ARGB GDI bitmap of the size, all transparent black (0 for an empty size).
HBITMAP CreateArgbBitmap(int width, int height);

// A memory DC compatible with the screen holding a new 32-bit ARGB bitmap of the size (all
// transparent black), listed in MemoryDcRegistry. Give it back with ReleaseCanvas.
HDC CreateMemoryCanvas(int width, int height);

// A canvas of the rectangle's size (the rectangle is in the window's coordinates) that already
// holds the pixels of the owner's frame bitmap behind it. The owner is the style record whose
// window is the window or one of its ancestors, or whose container list holds such an
// ancestor. Rectangle statics among the window's siblings (panels) fill their part of it, as
// they lie behind whatever overlaps them. 0 when there is no owner (nothing is left allocated).
HDC BackgroundCanvas(HWND window, const RECT& rect);

// Whether a panel (a rectangle static among its siblings) lies under the whole window; its colour.
bool PanelUnder(HWND window, COLORREF& colour);

// What the background canvas of the rectangle would hold, for a kept look's key: where the
// rectangle lies over the owner's frame, and what that frame was painted from (its frameKey),
// or, while the frame holds more than a full paint drew, the owner window and its frameVersion.
// Painters add their own inputs.
LookKey BackgroundKey(HWND window, const RECT& rect);

// What a look drawn from the image list depends on: the list, its count, and the pixels of its
// images and masks (an icon replaced in place keeps the handle and the count). A few kilobytes
// hashed: far less than the painting it saves.
LookKey ImageListKey(HIMAGELIST images);

// Selects the previous object back, deletes the bitmap and the DC and forgets the entry.
// False (and nothing released) for 0 or a DC that is not registered.
bool ReleaseCanvas(HDC dc);

// A background canvas for the length of a scope.
class CanvasDc {
 public:
  CanvasDc(HWND window, const RECT& rect) : dc_(BackgroundCanvas(window, rect)) {}
  ~CanvasDc() { ReleaseCanvas(dc_); }
  CanvasDc(const CanvasDc&) = delete;
  CanvasDc& operator=(const CanvasDc&) = delete;

  HDC Dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A blank memory canvas (CreateMemoryCanvas) for the length of a scope: where a look and what
// the program draws over it meet before they go to the screen in one copy.
class MemoryCanvasDc {
 public:
  MemoryCanvasDc(int width, int height) : dc_(CreateMemoryCanvas(width, height)) {}
  ~MemoryCanvasDc() { ReleaseCanvas(dc_); }
  MemoryCanvasDc(const MemoryCanvasDc&) = delete;
  MemoryCanvasDc& operator=(const MemoryCanvasDc&) = delete;

  HDC Dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Frees a record's frame DC and frame bitmap (the object in "Ck_Ycjdx" goes back into the DC
// first); frameDC becomes 0.
void ReleaseFrameDc(StyleRecord& record);

// B's screen rectangle moved by minus A's top-left corner: B in A's window coordinates.
RECT RectRelativeTo(HWND a, HWND b);
// The window's rectangle in the window coordinates of its styled top-level window; the empty
// rectangle when it has none.
RECT RectInOwner(HWND window);
// The whole window's width and height.
SIZE WindowSizeOf(HWND window);
// The window's client area in its own window coordinates: inside the borders and scroll bars.
RECT ClientRectInWindow(HWND window);
// Whether anything of the window lies outside its client area (a border, a scroll bar).
bool HasNonClientArea(HWND window);
