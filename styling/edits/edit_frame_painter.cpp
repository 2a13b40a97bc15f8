// The edit frame: white, with a thin dark border, an accent border while focused and a double
// accent border under the pointer.
#include "drawing/drawing.h"
#include "styling/edits/edits.h"
#include "styling/records/canvas.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr int XorCombine = 3;

// A line `ring` lines in from the edge (0 the outermost), of the scaled width, covering whole
// pixels: at 96 DPI ring 0 runs through (0, 0, w - 1, h - 1) and ring 1 through (1, 1, w - 3,
// h - 3).
void Outline(Graphics& graphics, ARGB colour, float w, float h, int ring, DpiScale scale) {
  const float line = scale.Line();
  const float at = (line - 1) / 2 + static_cast<float>(ring) * line;
  Pen pen;
  pen.Create(colour, line);
  graphics.DrawRectangle(pen, at, at, w - 1 - 2 * at, h - 1 - 2 * at);
}

void DrawFrame(Graphics& graphics, int width, int height, const RECT& client, bool focused,
               bool hovered, bool valueOnly, DpiScale scale) {
  float w = static_cast<float>(width), h = static_cast<float>(height);
  graphics.SetClipRect(0, 0, w, h);
  graphics.SetClipRect(static_cast<float>(client.left), static_cast<float>(client.top),
                       static_cast<float>(client.right - client.left),
                       static_cast<float>(client.bottom - client.top), XorCombine);
  graphics.Clear(ToArgb(valueOnly ? ValueFaceColour : White));
  if (hovered) {
    Outline(graphics, ToArgb(White, 60, true), w, h, 0, scale);
    Outline(graphics, ToArgb(AccentColour, 90, true), w, h, 0, scale);
    Outline(graphics, ToArgb(AccentColour, 180, true), w, h, 1, scale);
  } else {
    Outline(graphics, focused ? ToArgb(AccentColour, 180, true) : ToArgb(Black, 80, true), w, h, 0,
            scale);
  }
}

}  // namespace

bool ShowsValueOnly(HWND edit) {
  return !IsWindowEnabled(edit) || (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
}

bool PaintEditFrame(HWND window, std::optional<bool> focused, std::optional<bool> hovered,
                    HDC given) {
  EditRecord* edit = ControlEntry(window, &StyleRecord::edits);
  if (!edit) return false;
  const bool valueOnly = ShowsValueOnly(window);
  const bool focus = !valueOnly && focused.value_or(edit->focused != 0);
  const bool hover = !valueOnly && hovered.value_or(edit->hovered != 0);
  RECT place{};
  GetWindowRect(window, &place);
  int width = place.right - place.left, height = place.bottom - place.top;
  RECT client = ClientRectInWindow(window);
  // The frame is cleared to an opaque face before anything is drawn: what lies behind the edit
  // never shows, so the look depends on these alone.
  LookKey key;
  const DpiScale scale = ScaleOfControl(window);
  key.Add(focus).Add(hover).Add(valueOnly).Add(width).Add(height).Add(client).Add(AccentColour);
  key.Add(static_cast<std::int64_t>(scale.dpi));
  // Without a styled owner there is no background to paint on.
  if (!RecordAt(OwnerStyleIndex(window))) return false;
  // Without a border (a combo box's field, an address's parts) there is no frame to paint.
  if (!HasNonClientArea(window)) return true;
  TargetDc target(window, given, LookArea::WholeWindow);
  HDC dc = target.Get();
  if (!dc) return false;
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  ExcludeEmulatedScrollBars(dc, window, edit->covers);
  PresentLook(window, edit->looks, key, dc, RECT{0, 0, width, height}, [&](Graphics& graphics) {
    DrawFrame(graphics, width, height, client, focus, hover, valueOnly, scale);
  });
  return true;
}
