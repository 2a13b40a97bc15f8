// The fade-in thread and the focus animation of a styled window.
#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/canvas.h"
#include "styling/records/records.h"

namespace {

constexpr int FadeSteps = 10;
constexpr int AnimationFrames = 10;

struct Placement {
  int x, y, width, height;
};

Placement WindowPlacement(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The opacity the window is to show once the animation is over: its final one, whatever a
// running fade-in had reached when the focus came; a window not shown yet stays invisible for
// the fade-in that its first paint starts.
BYTE RestoredAlpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  bool known = GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
  bool awaitingFade = known && alpha == 0 && !(FadeStarted && FadeWindow == window);
  return awaitingFade ? 0 : FinalAlpha;
}

void RemoveLayered(HWND window) {
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

// Frame i of the animation: shrinking towards the centre for the first half, growing back
// for the second. The last frame shows the final opacity.
void StepPlacement(Placement& p, int frame, int dw, int dh) {
  int sign = frame <= AnimationFrames / 2 ? 1 : -1;
  p.x += sign * dw / 2;
  p.y += sign * dh / 2;
  p.width -= sign * dw;
  p.height -= sign * dh;
}

BYTE FrameAlpha(int frame) {
  if (frame == AnimationFrames) return FinalAlpha;
  return static_cast<BYTE>(255 - 26 * frame);
}

}  // namespace

DWORD WINAPI FadeIn(LPVOID window) {
  auto hwnd = static_cast<HWND>(window);
  for (int step = 1; step <= FadeSteps; ++step) {
    Sleep(static_cast<DWORD>(50 - 5 * step));
    SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(24 * step), LWA_ALPHA);
  }
  return 0;
}

void FocusAnimation(HWND window) {
  BYTE restoredAlpha = RestoredAlpha(window);
  RemoveLayered(window);
  RECT client{};
  GetClientRect(window, &client);
  HDC clientDc = GetDC(window);
  HDC picture = CreateMemoryCanvas(client.right, client.bottom);
  BitBlt(picture, 0, 0, client.right, client.bottom, clientDc, 0, 0, SRCCOPY);
  HDC frame = CreateMemoryCanvas(client.right, client.bottom);
  Placement p = WindowPlacement(window);
  int dw = static_cast<int>(p.width * 0.02);
  int dh = static_cast<int>(p.height * 0.02);
  MakeLayered(window, false);
  for (int i = 1; i <= AnimationFrames; ++i) {
    StepPlacement(p, i, dw, dh);
    StretchBlt(frame, 0, 0, p.width, p.height, picture, 0, 0, client.right, client.bottom, SRCCOPY);
    POINT position{p.x, p.y};
    SIZE size{p.width, p.height};
    PresentLayered(window, &position, &size, POINT{0, 0}, FrameAlpha(i), frame);
    Sleep(static_cast<DWORD>(10 - i));
  }
  ReleaseDC(window, clientDc);
  ReleaseCanvas(picture);
  ReleaseCanvas(frame);
  // A window last shown by UpdateLayeredWindow keeps that picture and ignores its later
  // paints; layering it anew hands it back to its painted surface at its own opacity.
  RemoveLayered(window);
  MakeLayered(window, false);
  SetLayeredWindowAttributes(window, 0, restoredAlpha, LWA_ALPHA);
}

BOOL PresentLayered(HWND window, const POINT* position, const SIZE* size, POINT source, BYTE alpha,
                    HDC sourceDc) {
  if (!sourceDc) {
    StyleRecord* record = RecordAt(FindStyleRecord(window));
    if (!record || !record->frameDC) return FALSE;
    sourceDc = record->frameDC;
  }
  Placement own = WindowPlacement(window);
  POINT at = position ? *position : POINT{own.x, own.y};
  SIZE extent = size ? *size : SIZE{own.width, own.height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  HDC target = GetWindowDC(window);
  BOOL done =
      UpdateLayeredWindow(window, target, &at, &extent, sourceDc, &source, 0, &blend, ULW_ALPHA);
  ReleaseDC(window, target);
  return done;
}
