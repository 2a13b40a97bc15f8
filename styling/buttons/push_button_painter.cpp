// The push-button look: a translucent rounded face with a gloss, an accent border under the
// pointer, a cyan glow when focused and an accent tint while held.
#include <string>

#include "drawing/drawing.h"
#include "styling/buttons/buttons.h"
#include "styling/records/canvas.h"
#include "styling/records/control_text.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

constexpr int Corner = 5;
constexpr COLORREF FocusGlowColour = RGB(34, 202, 221);
constexpr COLORREF DisabledFace = RGB(192, 192, 192);
constexpr COLORREF GreyShade = RGB(128, 128, 128);
constexpr COLORREF White = RGB(255, 255, 255);

struct Box {
  float x, y, w, h;
  DpiScale scale;
};

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

void PaintDisabledFace(Graphics& graphics, GraphicsPath& outline, const Box& b) {
  SolidBrush flat;
  flat.Create(ToArgb(DisabledFace));
  graphics.FillRectangle(flat, b.x, b.y, b.w, b.h);
  StrokePath(graphics, outline, WithAlpha(0, 80), b.scale.Line());
}

void PaintFaceAndGloss(Graphics& graphics, GraphicsPath& outline, const Box& b) {
  FillPathGradient(graphics, outline, {b.x, b.y}, {b.x, b.y + b.h - 1}, WithAlpha(White, 0),
                   WithAlpha(GreyShade, 60));
  int glossHeight = static_cast<int>(b.h / 2);
  GraphicsPath gloss;
  gloss.Create();
  AddTabShape(gloss, static_cast<int>(b.x), static_cast<int>(b.y), static_cast<int>(b.w - 1),
              glossHeight, b.scale(Corner));
  FillPathGradient(graphics, gloss, {b.x, b.y}, {b.x, b.y + b.h / 2}, WithAlpha(White, 50),
                   WithAlpha(White, 10));
}

void PaintBorder(Graphics& graphics, GraphicsPath& outline, const Box& b, UINT itemState) {
  if (itemState & ButtonHover) {
    FillPathGradient(graphics, outline, {b.x, b.y}, {b.x, b.y + b.h - 1},
                     WithAlpha(AccentColour, 60), WithAlpha(AccentColour, 10));
    StrokePath(graphics, outline, ToArgb(AccentColour), b.scale.Line());
  } else if (itemState & ButtonFocused) {
    DrawGlow(graphics, outline, 3, FocusGlowColour, 120, b.scale.Of(1));
    StrokePath(graphics, outline, WithAlpha(0, 70), b.scale.Line());
  } else {
    StrokePath(graphics, outline, WithAlpha(0, 120), b.scale.Line());
  }
}

void PaintPressedTint(Graphics& graphics, const Box& b) {
  GraphicsPath inner;
  inner.Create();
  const float inset = b.scale.Of(2);
  AddRoundedRect(inner, b.x + inset, b.y + inset, b.w - inset - 1, b.h - inset - 1,
                 b.scale(Corner));
  FillPathGradient(graphics, inner, {inset, inset}, {inset, b.h - inset},
                   WithAlpha(AccentColour, 60), WithAlpha(White, 100));
}

// Everything the push-button look depends on, the background behind the button included.
LookKey PushButtonKey(HWND window, const ButtonRecord& button, UINT itemState, const RECT& itemRect,
                      const CaptionLook& caption) {
  LookKey key = LookKey().Add("push button").Add(BackgroundKey(window, itemRect));
  key.Add(itemState & (ButtonSelected | ButtonDisabled | ButtonFocused | ButtonHover));
  key.Add(itemRect).Add(button.text);
  AddFont(key, button.caption).Add(AccentColour).Add(caption.colour);
  key.Add(caption.format).Add(static_cast<int>(caption.keys));
  return key;
}

void PaintFace(Graphics& graphics, const Box& b, UINT itemState) {
  GraphicsPath outline;
  outline.Create();
  // A wider line lies wholly inside the button, as the single pixel does.
  const float edge = (b.scale.Line() - 1) / 2;
  AddRoundedRect(outline, b.x + edge, b.y + edge, b.w - 1 - 2 * edge, b.h - 1 - 2 * edge,
                 b.scale(Corner));
  SolidBrush base;
  base.Create(WithAlpha(White, 120));
  graphics.FillPath(base, outline);
  if (itemState & ButtonDisabled) {
    PaintDisabledFace(graphics, outline, b);
  } else {
    PaintFaceAndGloss(graphics, outline, b);
    PaintBorder(graphics, outline, b, itemState);
    if (itemState & ButtonSelected) PaintPressedTint(graphics, b);
  }
}

}  // namespace

void PaintPushButton(HWND window, HDC targetDC, UINT itemState, const RECT& itemRect) {
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button) return;
  // The pressed look stays the pressed look; otherwise the pointer's presence shows.
  StyleRecord* record = RecordOfControl(window);
  if (!(itemState & ButtonSelected) && record && HoldsHoverSlot(window, *record)) {
    itemState |= ButtonHover;
  }
  const Box b{static_cast<float>(itemRect.left), static_cast<float>(itemRect.top),
              static_cast<float>(itemRect.right - itemRect.left),
              static_cast<float>(itemRect.bottom - itemRect.top), ScaleOfControl(window)};
  const CaptionLook caption = CaptionLookOf(window);
  // The caption as the button's style places it, two pixels (at 96 DPI) lower than the system's.
  const int lower = b.scale(2);
  const RECT captionBox{0, lower, static_cast<int>(b.w), static_cast<int>(b.h) + lower};
  PresentLook(
      window, button->looks, PushButtonKey(window, *button, itemState, itemRect, caption), targetDC,
      itemRect,
      [&](Graphics& graphics) {
        PaintFace(graphics, b, itemState);
        PaintButtonCaption(graphics, *button, captionBox, caption);
      },
      KeptIn::OwnAndShared);
}
