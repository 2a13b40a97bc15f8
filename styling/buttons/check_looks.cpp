// The check-box and radio-button looks: a white box or circle with a soft shade, an accent
// glow ring and tint under the pointer, the accent tick or dot when checked, and the caption.
// The system still draws these buttons underneath; a look goes over it in one copy.
#include "styling/buttons/check_looks.h"

#include <algorithm>
#include <string>

#include "drawing/drawing.h"
#include "resources/images/images.h"
#include "styling/buttons/buttons.h"
#include "styling/records/control_text.h"
#include "styling/records/keyboard_cues.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF DisabledFace = RGB(192, 192, 192);
constexpr int PanelCorner = 5;
constexpr int GlowCorner = 6;
constexpr float BoxSize = 12;
constexpr float MarkWidth = 13, MarkHeight = 12;
constexpr int XorCombine = 3;
constexpr int AntiAlias = 4;

ARGB Colour(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

void Fill(Graphics& graphics, GraphicsPath& path, ARGB colour) {
  SolidBrush brush;
  brush.Create(colour);
  graphics.FillPath(brush, path);
}

void FillFromCentre(Graphics& graphics, GraphicsPath& path, ARGB centre, ARGB surround,
                    float focus) {
  PathGradientBrush brush;
  brush.CreateFromPath(path);
  brush.SetCenterColor(centre);
  brush.SetSurroundColors(std::span<const ARGB>(&surround, 1));
  brush.SetFocusScales(focus, focus);
  graphics.FillPath(brush, path);
}

// New paths of one figure.
void MakeRectangle(GraphicsPath& path, float x, float y, float width, float height) {
  path.Create();
  path.AddRectangle(x, y, width, height);
}

void MakeEllipse(GraphicsPath& path, float x, float y, float width, float height) {
  path.Create();
  path.AddEllipse(x, y, width, height);
}

void MakeRoundedRect(GraphicsPath& path, float x, float y, float width, float height, int corner) {
  path.Create();
  AddRoundedRect(path, x, y, width, height, corner);
}

// The hover glow: a white then an accent haze in `halo`, kept outside `inner` by the clip.
void PaintGlowRing(Graphics& graphics, GraphicsPath& inner, GraphicsPath& halo) {
  graphics.SetClipPath(inner);
  graphics.SetClipPath(halo, XorCombine);
  FillFromCentre(graphics, halo, Colour(White, 255), Colour(White, 0), 0.4f);
  FillFromCentre(graphics, halo, ToArgb(AccentColour), Colour(White, 0), 0.3f);
  graphics.ResetClip();
}

// The tick in the accent colour. Its pixels depend on the accent colour only, so it is made
// once per colour: each coloured pixel is scaled channel by channel towards the accent and
// grows more opaque the darker it was. White and fully transparent pixels stay as they are (a
// transparent pixel reads as black and would otherwise become an opaque black square).
class TintedCheckMark {
 public:
  Image* For(COLORREF accent) {
    if (made_ && accent == accent_) return loaded_ ? &image_ : nullptr;
    made_ = true;
    accent_ = accent;
    loaded_ = image_.LoadFromBytes(CheckMarkImage.Bytes());
    if (!loaded_) return nullptr;
    for (int y = 0; y < image_.Height(); ++y) {
      for (int x = 0; x < image_.Width(); ++x) {
        ARGB pixel = image_.GetPixel(x, y);
        if (pixel >> 24 == 0 || (pixel & 0xFFFFFF) == 0xFFFFFF) continue;
        image_.SetPixel(x, y, Tinted(pixel, accent));
      }
    }
    return &image_;
  }

 private:
  static ARGB Tinted(ARGB pixel, COLORREF accent) {
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    auto scale = [](int channel, int towards) { return channel * towards / 255; };
    int alpha = 255 - (r + g + b) / 3;
    return Colour(
        RGB(scale(r, GetRValue(accent)), scale(g, GetGValue(accent)), scale(b, GetBValue(accent))),
        alpha);
  }

  Bitmap image_;
  COLORREF accent_ = 0;
  bool made_ = false;
  bool loaded_ = false;
};

TintedCheckMark& CheckMark() {
  static TintedCheckMark mark;
  return mark;
}

struct Area {
  float width, height;
};

void PaintDisabledPanel(Graphics& graphics, float left, const Area& area) {
  SolidBrush grey;
  grey.Create(ToArgb(DisabledFace));
  graphics.FillRectangle(grey, left, 0, area.width - left, area.height);
  GraphicsPath panel;
  MakeRoundedRect(panel, left, 0, area.width - left - 1, area.height - 1, PanelCorner);
  StrokePath(graphics, panel, Colour(Black, 80));
}

void PaintBox(Graphics& graphics, float by, bool hover, bool checked) {
  const float bx = 3;
  SolidBrush white;
  white.Create(ToArgb(White));
  graphics.FillRectangle(white, bx + 1, by + 1, 11, 11);
  GraphicsPath inside;
  MakeRectangle(inside, bx + 1, by + 1, 11, 11);
  FillPathGradient(graphics, inside, {bx, by}, {bx, by + BoxSize}, Colour(Black, 70),
                   ToArgb(White));
  GraphicsPath box;
  MakeRectangle(box, bx, by, BoxSize, BoxSize);
  if (hover) {
    GraphicsPath halo;
    MakeRoundedRect(halo, bx - 3, by - 3, 18, 18, GlowCorner);
    PaintGlowRing(graphics, box, halo);
    const float tintTop = by + 0.5f;
    FillPathGradient(graphics, box, {bx, tintTop}, {bx + BoxSize, tintTop + BoxSize},
                     Colour(AccentColour, 90), Colour(White, 30));
  }
  StrokePath(graphics, box, Colour(Black, 150));
  Pen light;
  light.Create(ToArgb(White), 1.0f);
  graphics.DrawRectangle(light, bx + 1, by + 1, 10, 10);
  if (!checked) return;
  if (Image* mark = CheckMark().For(AccentColour)) {
    // Twice: the second pass deepens the anti-aliased edge.
    graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
    graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
  }
}

void PaintCircle(Graphics& graphics, float cy, bool hover, bool checked) {
  graphics.SetSmoothingMode(AntiAlias);
  const float cx = 2;
  GraphicsPath circle;
  MakeEllipse(circle, cx, cy, BoxSize, BoxSize);
  Fill(graphics, circle, ToArgb(White));
  FillPathGradient(graphics, circle, {3, cy + 1}, {10, cy + 11}, Colour(Black, 100),
                   Colour(Black, 0));
  if (hover) {
    GraphicsPath halo;
    MakeEllipse(halo, -1, cy - 3, 18, 18);
    PaintGlowRing(graphics, circle, halo);
    FillPathGradient(graphics, circle, {3, cy + 1}, {11, cy + 12}, Colour(AccentColour, 100),
                     Colour(Black, 0));
  }
  StrokePath(graphics, circle, Colour(Black, 200));
  GraphicsPath ring;
  MakeEllipse(ring, 3, cy + 1.5f, 9, 9);
  StrokePath(graphics, ring, ToArgb(White));
  if (!checked) return;
  GraphicsPath dot;
  MakeEllipse(dot, 5, cy + 3, 6, 6);
  StrokePath(graphics, dot, Colour(Black, 150));
  StrokePath(graphics, dot, Colour(AccentColour, 150));
  FillFromCentre(graphics, dot, Colour(White, 80), ToArgb(AccentColour), 0);
}

// Where the box or circle sits: in the middle of the height, or beside the caption's first line
// with BS_TOP and its last with BS_BOTTOM, as the system places it beside its label.
float BoxTop(const TextLayout& lines, UINT format, const Area& area) {
  const bool bottom = (format & DT_BOTTOM) != 0;
  const bool top = !bottom && !(format & DT_VCENTER);
  if (lines.lines.empty() || !(top || bottom)) return (area.height - BoxSize) / 2;
  const int line = bottom ? lines.lines.back().y : lines.lines.front().y;
  return static_cast<float>(std::max(0, line + (lines.lineHeight - static_cast<int>(BoxSize)) / 2));
}

void PaintLook(Graphics& graphics, ButtonRecord& button, const Area& area, UINT itemState,
               bool checked, const CaptionLook& caption) {
  const bool radio = button.kind == RadioButtonKind;
  // The caption's own room ends at the control's edge; the box or circle ends at 15 or 14.
  const int left = radio ? 18 : 20;
  const RECT box{left, 2, static_cast<int>(area.width), static_cast<int>(area.height) + 2};
  const float top = BoxTop(button.caption.Layout(button.text, box, caption.format, caption.keys),
                           caption.format, area);
  if (itemState & ButtonDisabled) {
    PaintDisabledPanel(graphics, radio ? 0.0f : 3.0f, area);
  } else if (radio) {
    PaintCircle(graphics, top, (itemState & ButtonHover) != 0, checked);
  } else {
    PaintBox(graphics, top, (itemState & ButtonHover) != 0, checked);
  }
  PaintButtonCaption(graphics, button, box, caption, radio ? 15 : 16);
  if (itemState & ButtonFocused) DrawFocusOutline(graphics, 0, 0, area.width, area.height);
}

// Everything the finished look depends on: a look kept under an equal key is the same picture.
LookKey KeyOf(HWND window, const ButtonRecord& button, UINT itemState, bool checked,
              const RECT& client, const CaptionLook& caption) {
  LookKey key = ControlLookKey(window);
  key.Add(button.kind).Add(itemState).Add(checked ? 1 : 0).Add(client).Add(button.text);
  AddFont(key, button.caption).Add(caption.colour).Add(AccentColour);
  key.Add(caption.format).Add(static_cast<int>(caption.keys));
  return key;
}

void PaintCheckOrRadio(HWND window, UINT itemState, ButtonKind kind, HDC dc) {
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button || button->kind != kind) return;
  // A hidden button shows nothing on screen: no work to do. A print (a DC given) takes the
  // button's own visibility, as the print walk does: its dialog may not be shown yet.
  if (dc ? !HasVisibleStyle(window) : !IsWindowVisible(window)) return;
  // Only the disabled, hover and focus bits make a difference; the window itself says whether
  // it is disabled and whether it shows its focus, whoever asks for the paint.
  itemState &= ButtonDisabled | ButtonHover;
  if (!IsWindowEnabled(window)) itemState = ButtonDisabled;
  if (ShowsFocusLook(window)) itemState |= ButtonFocused;
  bool checked = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (itemState & ButtonDisabled) checked = false;  // the disabled panel shows no mark
  RECT client{};
  GetClientRect(window, &client);
  const Area area{static_cast<float>(client.right), static_cast<float>(client.bottom)};
  const CaptionLook caption = CaptionLookOf(window);
  TargetDc target(window, dc, LookArea::Client);
  PresentLook(window, button->looks, KeyOf(window, *button, itemState, checked, client, caption),
              target.Get(), client, [&](Graphics& graphics) {
                PaintLook(graphics, *button, area, itemState, checked, caption);
              });
}

}  // namespace

void PaintRadioButton(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, RadioButtonKind, dc);
}

void PaintCheckBox(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, CheckBoxKind, dc);
}
