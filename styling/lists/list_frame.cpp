// The frame of a list-type control: white, with a faint outline, a 1-pixel accent outline while
// focused and a 2-pixel one under the pointer. The client area is the control's own.
#include <windows.h>

#include "drawing/drawing.h"
#include "styling/lists/lists.h"
#include "styling/records/canvas.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

constexpr ARGB KeyColour = 0xFFFF00FF;  // left out of the copy: the client area stays as it is
constexpr ARGB OpaqueWhite = 0xFFFFFFFF;

enum FrameLook : int { PlainFrame = 0, FocusedFrame = 1, HoveredFrame = 2 };

// The outlines are as wide as 1 or 2 pixels scaled, their outer edges on the window's.
void DrawFrame(Graphics& graphics, int width, int height, const RECT& client, FrameLook look,
               DpiScale scale) {
  auto f = [](LONG value) { return static_cast<float>(value); };
  float clientWidth = f(client.right - client.left), clientHeight = f(client.bottom - client.top);
  graphics.SetClipRect(0, 0, f(width), f(height));
  graphics.SetClipRect(f(client.left), f(client.top), clientWidth, clientHeight, 3);  // Xor
  graphics.Clear(OpaqueWhite);
  graphics.ResetClip();
  graphics.SetClipRect(f(client.left), f(client.top), clientWidth, clientHeight);
  graphics.Clear(KeyColour);
  graphics.ResetClip();
  Pen pen;
  if (look == HoveredFrame) {
    float thick = scale.Of(2.0f), inset = thick / 2;
    pen.Create(ToArgb(AccentColour, 200, true), thick);
    graphics.DrawRectangle(pen, inset, inset, f(width) - thick, f(height) - thick);
    return;
  }
  float thin = scale.Of(1.0f), inset = (thin - 1) / 2;
  pen.Create(look == FocusedFrame ? ToArgb(AccentColour, 200, true) : ToArgb(0x000000, 90, true),
             thin);
  graphics.DrawRectangle(pen, inset, inset, f(width - 1) - 2 * inset, f(height - 1) - 2 * inset);
}

}  // namespace

void PaintListFrame(int styleIndex, int position, bool hovered, bool hoverGiven, bool focused,
                    bool focusGiven, HDC dc) {
  StyleRecord* record = RecordAt(styleIndex);
  ListEntry* entry = record ? record->lists.At(position) : nullptr;
  if (!entry || !entry->window) return;
  HWND window = entry->window;
  // A combo box's list, and a control drawn without a frame, keep what the system drew.
  if (!HasFrame(window) || ClassNameOf(window) == "ComboLBox") return;
  if (!hoverGiven) hovered = entry->hovered != 0;
  if (!focusGiven) focused = entry->focused != 0;
  FrameLook look = hovered && ListOption ? HoveredFrame : focused ? FocusedFrame : PlainFrame;

  RECT windowRect{};
  GetWindowRect(window, &windowRect);
  int width = windowRect.right - windowRect.left, height = windowRect.bottom - windowRect.top;
  RECT client = ClientRectInWindow(window);
  // The ring is cleared to white before the outline: the look does not depend on what lies
  // behind the control.
  LookKey key;
  key.Add(look).Add(width).Add(height).Add(client).Add(static_cast<int>(entry->scale.dpi));

  TargetDc target(window, dc, LookArea::WholeWindow);
  ExcludeClipRect(target.Get(), client.left, client.top, client.right, client.bottom);
  ExcludeEmulatedScrollBars(target.Get(), window, entry->covers);
  // The client area is clipped out: the canvas's key colour there never reaches the screen.
  PresentLook(
      window, entry->looks, key, target.Get(), RECT{0, 0, width, height},
      [&](Graphics& graphics) { DrawFrame(graphics, width, height, client, look, entry->scale); });
}
