#include "styling/records/printing.h"

#include "styling/records/canvas.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

TargetDc::TargetDc(HWND window, HDC given, LookArea area)
    : window_(window), dc_(given), owned_(given == nullptr) {
  if (owned_) dc_ = area == LookArea::WholeWindow ? GetWindowDC(window) : GetDC(window);
}

TargetDc::~TargetDc() {
  if (owned_ && dc_) ReleaseDC(window_, dc_);
}

namespace {

// Runs paint with the DC's origin moved by (dx, dy) and the clipping it sets undone after.
void PaintShifted(HDC dc, int dx, int dy, const std::function<void(HDC)>& paint) {
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, dx, dy, nullptr);
  paint(dc);
  if (saved) RestoreDC(dc, saved);
}

// The child prints on a canvas whose origin is its own, over a copy of what lies behind it, and
// the canvas goes to its place. A DC whose origin was moved to the child would do for our looks,
// but the system's controls clip to their client rectangle taken as device units (Wine's
// owner-drawn buttons and group boxes, through DPtoLP), which then lies elsewhere: they would
// print nothing.
void PrintChild(HWND child, HDC dc, const RECT& place, LPARAM flags) {
  const int width = place.right - place.left, height = place.bottom - place.top;
  if (width <= 0 || height <= 0) return;
  MemoryCanvasDc canvas(width, height);
  if (!canvas.Dc()) return;
  BitBlt(canvas.Dc(), 0, 0, width, height, dc, place.left, place.top, SRCCOPY);
  SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), flags);
  BitBlt(dc, place.left, place.top, width, height, canvas.Dc(), 0, 0, SRCCOPY);
}

void PrintChildren(HWND window, HDC dc, LPARAM flags) {
  RECT own{};
  GetWindowRect(window, &own);
  HWND first = GetWindow(window, GW_CHILD);
  for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child;
       child = GetWindow(child, GW_HWNDPREV)) {
    // The child's own visibility, as Windows tests it: every child of a window not shown yet
    // is invisible to IsWindowVisible, and such a window (an animation, a thumbnail) prints
    // whole.
    if (!HasVisibleStyle(child)) continue;
    RECT place{};
    GetWindowRect(child, &place);
    OffsetRect(&place, -own.left, -own.top);
    PrintChild(child, dc, place, flags);
  }
}

}  // namespace

LRESULT PrintClient(HWND window, HDC dc, LookArea area, const std::function<void(HDC)>& paint) {
  if (!dc) return 0;
  RECT client{};
  if (area == LookArea::WholeWindow) {
    client = ClientRectInWindow(window);
  } else {
    GetClientRect(window, &client);
  }
  PaintShifted(dc, -client.left, -client.top, [&](HDC shifted) {
    // Only the client area is asked for: a whole-window look is cut to it.
    IntersectClipRect(shifted, client.left, client.top, client.right, client.bottom);
    paint(shifted);
  });
  return 0;
}

LRESULT PrintWindowParts(HWND window, HDC dc, LPARAM flags,
                         const std::function<void(HDC)>& nonClient) {
  if (!dc || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window))) return 0;
  if (flags & PRF_NONCLIENT) {
    if (nonClient) {
      PaintShifted(dc, 0, 0, nonClient);
    } else {
      // The system draws this window's border: it prints it too.
      PaintShifted(dc, 0, 0, [&](HDC same) {
        ForwardMessage(window, WM_PRINT, reinterpret_cast<WPARAM>(same), PRF_NONCLIENT);
      });
    }
  }
  RECT client = ClientRectInWindow(window);
  PaintShifted(dc, client.left, client.top, [&](HDC shifted) {
    IntersectClipRect(shifted, 0, 0, client.right - client.left, client.bottom - client.top);
    auto wParam = reinterpret_cast<WPARAM>(shifted);
    if (flags & PRF_ERASEBKGND) SendMessageA(window, WM_ERASEBKGND, wParam, 0);
    if (flags & PRF_CLIENT) SendMessageA(window, WM_PRINTCLIENT, wParam, flags);
  });
  if (flags & PRF_CHILDREN) PrintChildren(window, dc, flags);
  return 0;
}
