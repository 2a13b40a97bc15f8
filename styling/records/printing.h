#pragma once
// Paints into a DC that a message gives: WM_PRINTCLIENT and WM_PRINT (PrintWindow, animations,
// thumbnails) take a family's WM_PAINT path, with the DC given, as the system's own controls do.

#include <windows.h>

#include <functional>

// Where a painter's DC has its origin: the client area's top-left, or the whole window's.
enum class LookArea { Client, WholeWindow };

// The DC a paint goes to: the one given (left to its owner), or else the window's own for the
// area, released at scope end.
class TargetDc {
 public:
  TargetDc(HWND window, HDC given, LookArea area);
  ~TargetDc();
  TargetDc(const TargetDc&) = delete;
  TargetDc& operator=(const TargetDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  bool owned_;
};

// WM_PRINTCLIENT: paint(dc) draws the look, its origin at `area`, into the client-area DC given;
// a whole-window look is shifted so that its client area lands at the DC's origin. The DC's
// origin and clipping are as given afterwards.
LRESULT PrintClient(HWND window, HDC dc, LookArea area, const std::function<void(HDC)>& paint);

// WM_PRINT as Windows' DefWindowProc answers it (Wine's hands on only the client area, at the
// window's origin): `nonClient` (when given) paints the whole window's look at the window's
// origin, then the erase and WM_PRINTCLIENT go to the client area's place, then the visible
// children, the lowest first, each at its place and within its bounds.
LRESULT PrintWindowParts(HWND window, HDC dc, LPARAM flags,
                         const std::function<void(HDC)>& nonClient = nullptr);
