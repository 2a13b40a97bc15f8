// The check-box and radio-button looks: a white box or circle with a soft shade, an accent
// glow ring and tint under the pointer, the accent tick or dot when checked, and the caption.
// The system still draws these buttons underneath; a look goes over it in one copy.
#include "styling/buttons/check_looks.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

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
constexpr COLORREF DisabledBoxFace = RGB(232, 232, 232);
constexpr COLORREF DisabledMark = RGB(112, 112, 112);
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

// What the box or circle shows: the pointer over it, the check state (BST_UNCHECKED,
// BST_CHECKED, BST_INDETERMINATE) and whether the button is disabled.
struct MarkState {
  bool hover;
  LRESULT check;
  bool disabled;
};

// A disabled box keeps its mark, in grey on a flat pale face, so its value stays readable.
void PaintDisabledMark(Graphics& graphics, float bx, float by, LRESULT check) {
  if (check == BST_INDETERMINATE) {
    SolidBrush grey;
    grey.Create(ToArgb(DisabledMark));
    graphics.FillRectangle(grey, bx + 3, by + 3, 7, 7);
    return;
  }
  if (check != BST_CHECKED) return;
  graphics.SetSmoothingMode(AntiAlias);
  Pen tick;
  tick.Create(ToArgb(DisabledMark), 2.0f);
  graphics.DrawLine(tick, bx + 2.5f, by + 6, bx + 5, by + 9);
  graphics.DrawLine(tick, bx + 5, by + 9, bx + 10, by + 3);
}

void PaintBox(Graphics& graphics, float bx, float by, const MarkState& state) {
  SolidBrush face;
  face.Create(ToArgb(state.disabled ? DisabledBoxFace : White));
  graphics.FillRectangle(face, bx + 1, by + 1, 11, 11);
  GraphicsPath box;
  MakeRectangle(box, bx, by, BoxSize, BoxSize);
  if (state.disabled) {
    StrokePath(graphics, box, Colour(Black, 100));
    PaintDisabledMark(graphics, bx, by, state.check);
    return;
  }
  GraphicsPath inside;
  MakeRectangle(inside, bx + 1, by + 1, 11, 11);
  FillPathGradient(graphics, inside, {bx, by}, {bx, by + BoxSize}, Colour(Black, 70),
                   ToArgb(White));
  if (state.hover) {
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
  if (state.check == BST_INDETERMINATE) {
    SolidBrush accent;
    accent.Create(ToArgb(AccentColour));
    graphics.FillRectangle(accent, bx + 3, by + 3, 7, 7);
  } else if (state.check == BST_CHECKED) {
    if (Image* mark = CheckMark().For(AccentColour)) {
      // Twice: the second pass deepens the anti-aliased edge.
      graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
      graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
    }
  }
}

void PaintCircle(Graphics& graphics, float cx, float cy, const MarkState& state) {
  graphics.SetSmoothingMode(AntiAlias);
  GraphicsPath circle;
  MakeEllipse(circle, cx, cy, BoxSize, BoxSize);
  GraphicsPath dot;
  MakeEllipse(dot, cx + 3, cy + 3, 6, 6);
  if (state.disabled) {
    Fill(graphics, circle, ToArgb(DisabledBoxFace));
    StrokePath(graphics, circle, Colour(Black, 100));
    if (state.check == BST_CHECKED) Fill(graphics, dot, ToArgb(DisabledMark));
    return;
  }
  Fill(graphics, circle, ToArgb(White));
  FillPathGradient(graphics, circle, {cx + 1, cy + 1}, {cx + 8, cy + 11}, Colour(Black, 100),
                   Colour(Black, 0));
  if (state.hover) {
    GraphicsPath halo;
    MakeEllipse(halo, cx - 3, cy - 3, 18, 18);
    PaintGlowRing(graphics, circle, halo);
    FillPathGradient(graphics, circle, {cx + 1, cy + 1}, {cx + 9, cy + 12},
                     Colour(AccentColour, 100), Colour(Black, 0));
  }
  StrokePath(graphics, circle, Colour(Black, 200));
  GraphicsPath ring;
  MakeEllipse(ring, cx + 1, cy + 1.5f, 9, 9);
  StrokePath(graphics, ring, ToArgb(White));
  if (state.check != BST_CHECKED) return;
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

// The box on the right with BS_RIGHTBUTTON (BS_LEFTTEXT) or WS_EX_RIGHT, as the system puts it;
// the caption then has the room left of it.
bool BoxOnRight(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & BS_RIGHTBUTTON) ||
         (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_RIGHT);
}

void PaintLook(Graphics& graphics, ButtonRecord& button, const Area& area, UINT itemState,
               LRESULT check, const CaptionLook& caption, bool boxOnRight) {
  const bool radio = button.kind == RadioButtonKind;
  const int width = static_cast<int>(area.width), height = static_cast<int>(area.height);
  // The caption's own room ends at the control's edge; the box or circle ends at 15 or 14.
  const int room = radio ? 18 : 20;
  const RECT box =
      boxOnRight ? RECT{0, 2, width - room, height + 2} : RECT{room, 2, width, height + 2};
  const float top = BoxTop(button.caption.Layout(button.text, box, caption.format, caption.keys),
                           caption.format, area);
  const float left = boxOnRight ? area.width - BoxSize - (radio ? 2 : 3) : (radio ? 2.0f : 3.0f);
  const MarkState state{(itemState & ButtonHover) != 0, check, (itemState & ButtonDisabled) != 0};
  if (state.disabled) PaintDisabledPanel(graphics, radio || boxOnRight ? 0.0f : 3.0f, area);
  if (radio) {
    PaintCircle(graphics, left, top, state);
  } else {
    PaintBox(graphics, left, top, state);
  }
  PaintButtonCaption(graphics, button, box, caption, boxOnRight ? -1 : (radio ? 15 : 16));
  if (itemState & ButtonFocused) DrawFocusOutline(graphics, 0, 0, area.width, area.height);
}

// Everything the finished look depends on: a look kept under an equal key is the same picture.
LookKey KeyOf(HWND window, const ButtonRecord& button, UINT itemState, LRESULT check,
              const RECT& client, const CaptionLook& caption) {
  LookKey key = ControlLookKey(window);
  key.Add(button.kind).Add(itemState).Add(static_cast<int>(check)).Add(client).Add(button.text);
  AddFont(key, button.caption).Add(caption.colour).Add(AccentColour);
  key.Add(caption.format).Add(static_cast<int>(caption.keys)).Add(caption.halo);
  return key.Add(BoxOnRight(window));
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
  // The entry follows the focus messages: no question to the server for it.
  if (button->focused && ShowsFocusCues(window)) itemState |= ButtonFocused;
  const LRESULT check = SendMessageA(window, BM_GETCHECK, 0, 0);
  RECT client{};
  GetClientRect(window, &client);
  const Area area{static_cast<float>(client.right), static_cast<float>(client.bottom)};
  CaptionLook caption = CaptionLookOf(window);
  // On the frame a caption needs the halo; on the disabled panel's light grey it does not.
  caption.halo = !(itemState & ButtonDisabled);
  TargetDc target(window, dc, LookArea::Client);
  PresentLook(window, button->looks, KeyOf(window, *button, itemState, check, client, caption),
              target.Get(), client, [&](Graphics& graphics) {
                PaintLook(graphics, *button, area, itemState, check, caption, BoxOnRight(window));
              });
}

// The band the system clears for the caption: its text measured by DrawText in the control's
// own font, a pixel wider on each side and below. Our own layout may be narrower where drawing
// had to fall back to another font; the band must still cover every pixel the system drew, and
// its last glyph reaches up to two pixels past what DrawText measures (a bitmap strike's ")"
// under Wine): the band takes those too. Measured again only when the text, the room, the
// format or the font differ from the last measure's.
RECT SystemCaptionBand(HWND window, ButtonRecord& button, const RECT& room, UINT format) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  LOGFONTA described{};
  if (font) GetObjectA(font, sizeof described, &described);
  LookKey inputs = LookKey().Add(button.text).Add(room).Add(format);
  inputs.Add(reinterpret_cast<std::intptr_t>(font))
      .Add(std::string_view(reinterpret_cast<const char*>(&described), sizeof described));
  if (inputs == button.captionBandInputs) return button.captionBand;
  RECT band = room;
  HDC dc = GetDC(window);
  if (!dc) return RECT{};
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  DrawTextA(dc, button.text.c_str(), -1, &band, format | DT_CALCRECT);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(window, dc);
  button.captionBandInputs = std::move(inputs);
  button.captionBand = RECT{band.left - 1, band.top, band.right + 3, band.bottom + 1};
  return button.captionBand;
}

}  // namespace

void PaintRadioButton(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, RadioButtonKind, dc);
}

void PaintCheckBox(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, CheckBoxKind, dc);
}

void PaintGroupBoxCaption(HWND window, HDC dc) {
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button || button->kind != GroupBoxKind || !IsWindowVisible(window)) return;
  RECT client{};
  GetClientRect(window, &client);
  CaptionLook caption = CaptionLookOf(window);
  caption.halo = true;
  // The system lays the caption out 7 pixels in from each side, a pixel above the top, and
  // clears one pixel around it (and below) for it.
  const RECT room{7, -1, client.right - 7, client.bottom + 1};
  const TextLayout& laidOut =
      button->caption.Layout(button->text, room, caption.format, caption.keys);
  if (laidOut.lines.empty()) return;
  RECT band{client.right, 0, 0, 0};
  for (const TextLine& line : laidOut.lines) {
    band.left = std::min<LONG>(band.left, line.x - 1);
    band.right = std::max<LONG>(band.right, line.x + line.width + 1);
    band.bottom = std::max<LONG>(band.bottom, line.y + laidOut.lineHeight + 1);
  }
  RECT cleared = SystemCaptionBand(window, *button, room, caption.format);
  UnionRect(&band, &band, &cleared);
  if (!IntersectRect(&band, &band, &client)) return;
  TextLayout placed = laidOut;
  for (TextLine& line : placed.lines) {
    line.x -= band.left;
    line.y -= band.top;
  }
  LookKey key = ControlLookKey(window).Add("group box").Add(band).Add(button->text);
  AddFont(key, button->caption).Add(caption.colour).Add(caption.format);
  key.Add(static_cast<int>(caption.keys));
  TargetDc target(window, dc, LookArea::Client);
  PresentLook(window, button->looks, key, target.Get(), band, [&](Graphics& graphics) {
    DrawCaptionLines(graphics, *button, placed, caption,
                     SIZE{band.right - band.left, band.bottom - band.top});
  });
}
