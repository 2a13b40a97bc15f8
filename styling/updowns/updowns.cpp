#include "styling/updowns/updowns.h"

#include <commctrl.h>

#include "drawing/drawing.h"
#include "styling/records/family_install.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"
#include "styling/records/self_painting.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr int NoHalf = -1;
constexpr int SmoothingAntiAlias = 4;
constexpr int CompositingHighQuality = 2;

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

UpDownEntry* EntryAt(int styleIndex, int position) {
  return FamilyEntryAt(styleIndex, position, &StyleRecord::upDowns);
}

struct HalfLook {
  ARGB outline, from, to;
};

HalfLook LookOfHalf(bool hot, bool pressed, ARGB plainFrom) {
  if (!hot) return {WithAlpha(Black, 100), plainFrom, WithAlpha(AccentColour, 100)};
  if (pressed) {
    return {WithAlpha(AccentColour, 200), WithAlpha(AccentColour, 100), WithAlpha(White, 150)};
  }
  return {WithAlpha(AccentColour, 200), WithAlpha(White, 100), WithAlpha(AccentColour, 150)};
}

// One button: gradient along the split direction, the arrow centred, a one-pixel outline.
void PaintHalf(Graphics& graphics, const RectF& box, bool horizontal, const HalfLook& look,
               ArrowDirection arrow, DpiScale scale) {
  PointF to = horizontal ? PointF{box.x + box.width, box.y} : PointF{box.x, box.y + box.height};
  LinearGradientBrush fill;
  fill.Create(PointF{box.x, box.y}, to, look.from, look.to);
  graphics.FillRectangle(fill, box.x, box.y, box.width, box.height);
  SIZE glyph = ArrowGlyphSize(arrow, scale);
  int halfW = static_cast<int>(box.width) + 1, halfH = static_cast<int>(box.height) + 1;
  DrawArrowGlyph(graphics, arrow, scale, box.x + static_cast<float>((halfW - glyph.cx) / 2),
                 box.y + static_cast<float>((halfH - glyph.cy) / 2));
  Pen pen;
  pen.Create(look.outline, scale.Of(1.0f));
  graphics.DrawRectangle(pen, box.x, box.y, box.width, box.height);
}

void DrawUpDown(Graphics& graphics, SIZE size, bool horizontal, int hotHalf, bool pressed,
                DpiScale scale) {
  graphics.SetSmoothingMode(SmoothingAntiAlias);
  graphics.SetCompositingQuality(CompositingHighQuality);
  float w = static_cast<float>(size.cx), h = static_cast<float>(size.cy);
  SolidBrush panel;
  panel.Create(WithAlpha(White, 160));
  graphics.FillRectangle(panel, 0, 0, w - 1, h - 1);
  RectF first{}, second{};
  if (horizontal) {
    float half = static_cast<float>(size.cx / 2);
    first = {0, 0, half - 1, h - 1};
    second = {half, 0, half - 1, h - 1};
  } else {
    float half = static_cast<float>(size.cy / 2);
    first = {0, 0, w - 1, half - 1};
    second = {0, half, w - 1, half - 1};
  }
  // A vertical control's upper button is a little brighter at rest.
  ARGB firstPlain = WithAlpha(White, horizontal ? 20 : 60);
  PaintHalf(graphics, first, horizontal, LookOfHalf(hotHalf == 0, pressed, firstPlain),
            horizontal ? ArrowDirection::Left : ArrowDirection::Up, scale);
  PaintHalf(graphics, second, horizontal, LookOfHalf(hotHalf == 1, pressed, WithAlpha(White, 20)),
            horizontal ? ArrowDirection::Right : ArrowDirection::Down, scale);
}

void OnMouseMove(HWND window, StyleRecord& record, UpDownEntry& entry, ControlPlace place,
                 LPARAM lParam) {
  RequestMouseLeave(window);
  record.pointerIndex = place.position;
  int half = UpDownHalfAt(place.styleIndex, place.position, lParam);
  bool sameLook = record.hotIndex == record.pointerIndex && record.hotKind == HotUpDowns &&
                  half == entry.hotHalf;
  if (!sameLook) {
    PaintUpDown(place.styleIndex, place.position, true, std::nullopt, lParam);
    entry.hovered = 1;
  }
  record.hotKind = HotUpDowns;
  record.hotIndex = record.pointerIndex;
  entry.hotHalf = half;
}

}  // namespace

void InstallUpDowns(int styleIndex, HWND parent) {
  InstallChildrenOfClass(styleIndex, parent, UPDOWN_CLASSA, &StyleRecord::upDowns,
                         [styleIndex](UpDownEntry& entry, HWND child, int position) {
                           entry.horizontal = (GetWindowLongA(child, GWL_STYLE) & UDS_HORZ) ? 1 : 0;
                           entry.scale = ScaleOf(child);
                           entry.priorProc =
                               SubclassControl(child, styleIndex, position, UpDownWndProc);
                         });
}

int UpDownHalfAt(int styleIndex, int position, LPARAM point) {
  UpDownEntry* entry = EntryAt(styleIndex, position);
  if (!entry) return 0;
  SIZE size = WindowSizeOf(entry->window);
  auto at = static_cast<std::uintptr_t>(point);
  if (entry->horizontal) return size.cx / 2 < SignedLowHalf(at) ? 1 : 0;
  return size.cy / 2 < SignedHighHalf(at) ? 1 : 0;
}

LRESULT CALLBACK UpDownWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto [record, entry, place] = StyledControlOf(window, &StyleRecord::upDowns);
  auto repaint = [place](HDC dc = nullptr) {
    PaintUpDown(place.styleIndex, place.position, {}, {}, {}, dc);
  };
  if (auto answer =
          AnswerFirst(window, entry, message, wParam, lParam, NonClientArea::System, repaint)) {
    return *answer;
  }
  if (TellsDpiChange(message)) entry->scale = ScaleOf(window);
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record, *entry, place, lParam);
      break;
    case WM_MOUSELEAVE:
      record->hotIndex = 0;
      entry->hovered = 0;
      PaintUpDown(place.styleIndex, place.position, false);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      entry->pressed = message == WM_LBUTTONDOWN ? 1 : 0;
      entry->lastPoint = lParam;
      return ForwardThenPaint(window, message, wParam, lParam, repaint);
    case WM_ENABLE:
      return ForwardThenPaint(window, message, wParam, lParam, repaint);
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

void PaintUpDown(int styleIndex, int position, std::optional<bool> hovered,
                 std::optional<bool> pressed, std::optional<LPARAM> point, HDC dc) {
  UpDownEntry* entry = EntryAt(styleIndex, position);
  if (!entry) return;
  bool isHovered = hovered.value_or(entry->hovered != 0);
  bool isPressed = pressed.value_or(entry->pressed != 0);
  int hotHalf = NoHalf;
  if (point) {
    if (isHovered || isPressed) hotHalf = UpDownHalfAt(styleIndex, position, *point);
  } else if (isPressed) {
    hotHalf = UpDownHalfAt(styleIndex, position, entry->lastPoint);
  } else if (isHovered) {
    // The half under the pointer, not the one last clicked.
    hotHalf = entry->hotHalf;
  }
  HWND window = entry->window;
  SIZE size = WindowSizeOf(window);
  bool horizontal = entry->horizontal != 0;
  LookKey key = ControlLookKey(window);
  key.Add(size.cx).Add(size.cy).Add(horizontal ? 1 : 0).Add(hotHalf).Add(isPressed ? 1 : 0);
  key.Add(static_cast<int>(entry->scale.dpi));
  const DpiScale scale = entry->scale;
  PresentWindowLook(
      window, entry->looks, key, size.cx, size.cy,
      [&](Graphics& graphics) {
        DrawUpDown(graphics, size, horizontal, hotHalf, isPressed, scale);
      },
      dc);
}
