// The check-box and radio-button looks: a white box or circle with a soft shade, an accent
// glow ring and tint under the pointer, the accent tick or dot when checked, and the caption.
// The system still draws these buttons underneath; a look goes over it in one copy.
#include "styling/buttons/check_looks.h"

#include <algorithm>
#include <array>
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
#include "styling/records/scaled_marks.h"

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

// Where a line of the scaled width runs so that it covers whole pixels from the edge inwards,
// as a single pixel's line does along its integer edge.
float Inward(DpiScale scale) { return (scale.Line() - 1) / 2; }

void PaintDisabledPanel(Graphics& graphics, float left, const Area& area, DpiScale scale) {
  SolidBrush grey;
  grey.Create(ToArgb(DisabledFace));
  graphics.FillRectangle(grey, left, 0, area.width - left, area.height);
  GraphicsPath panel;
  const float e = Inward(scale);
  MakeRoundedRect(panel, left + e, e, area.width - left - 1 - 2 * e, area.height - 1 - 2 * e,
                  scale(PanelCorner));
  StrokePath(graphics, panel, Colour(Black, 80), scale.Line());
}

// What the box or circle shows: the pointer over it, the check state (BST_UNCHECKED,
// BST_CHECKED, BST_INDETERMINATE), whether the button is disabled, and the DPI it is drawn at.
struct MarkState {
  bool hover;
  LRESULT check;
  bool disabled;
  DpiScale scale;
};

// A disabled box keeps its mark, in grey on a flat pale face, so its value stays readable.
// The box's side at the DPI: 12 pixels at 96 DPI, its outline one more.
float BoxSizeAt(DpiScale scale) { return scale.Line(static_cast<int>(BoxSize)); }

void PaintDisabledMark(Graphics& graphics, float bx, float by, LRESULT check, DpiScale scale) {
  if (check == BST_INDETERMINATE) {
    SolidBrush grey;
    grey.Create(ToArgb(DisabledMark));
    graphics.FillRectangle(grey, bx + scale.Line(3), by + scale.Line(3), scale.Line(7),
                           scale.Line(7));
    return;
  }
  if (check != BST_CHECKED) return;
  graphics.SetSmoothingMode(AntiAlias);
  Pen tick;
  tick.Create(ToArgb(DisabledMark), scale.Of(2.0f));
  graphics.DrawLine(tick, bx + scale.Of(2.5f), by + scale.Of(6), bx + scale.Of(5),
                    by + scale.Of(9));
  graphics.DrawLine(tick, bx + scale.Of(5), by + scale.Of(9), bx + scale.Of(10), by + scale.Of(3));
}

// The accent tick: the tinted image at 96 DPI, a path of the same shape at any other.
void PaintTick(Graphics& graphics, float bx, float by, DpiScale scale) {
  if (!scale.IsBase()) {
    DrawTick(graphics, bx, by, scale, ToArgb(AccentColour));
    return;
  }
  if (Image* mark = CheckMark().For(AccentColour)) {
    // Twice: the second pass deepens the anti-aliased edge.
    graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
    graphics.DrawImageRect(*mark, bx, by, MarkWidth, MarkHeight);
  }
}

void PaintBox(Graphics& graphics, float bx, float by, const MarkState& state) {
  const DpiScale scale = state.scale;
  const float size = BoxSizeAt(scale), line = scale.Line(), e = Inward(scale);
  SolidBrush face;
  face.Create(ToArgb(state.disabled ? DisabledBoxFace : White));
  graphics.FillRectangle(face, bx + line, by + line, size - line, size - line);
  GraphicsPath box;
  MakeRectangle(box, bx + e, by + e, size - 2 * e, size - 2 * e);
  if (state.disabled) {
    StrokePath(graphics, box, Colour(Black, 100), line);
    PaintDisabledMark(graphics, bx, by, state.check, scale);
    return;
  }
  GraphicsPath inside;
  MakeRectangle(inside, bx + line, by + line, size - line, size - line);
  FillPathGradient(graphics, inside, {bx, by}, {bx, by + size}, Colour(Black, 70), ToArgb(White));
  if (state.hover) {
    GraphicsPath halo;
    const float glow = scale.Line(3);
    MakeRoundedRect(halo, bx - glow, by - glow, size + 2 * glow, size + 2 * glow,
                    scale(GlowCorner));
    PaintGlowRing(graphics, box, halo);
    const float tintTop = by + scale.Of(0.5f);
    FillPathGradient(graphics, box, {bx, tintTop}, {bx + size, tintTop + size},
                     Colour(AccentColour, 90), Colour(White, 30));
  }
  StrokePath(graphics, box, Colour(Black, 150), line);
  Pen light;
  light.Create(ToArgb(White), line);
  graphics.DrawRectangle(light, bx + line + e, by + line + e, size - 2 * line - 2 * e,
                         size - 2 * line - 2 * e);
  if (state.check == BST_INDETERMINATE) {
    SolidBrush accent;
    accent.Create(ToArgb(AccentColour));
    graphics.FillRectangle(accent, bx + scale.Line(3), by + scale.Line(3), scale.Line(7),
                           scale.Line(7));
  } else if (state.check == BST_CHECKED) {
    PaintTick(graphics, bx, by, scale);
  }
}

void PaintCircle(Graphics& graphics, float cx, float cy, const MarkState& state) {
  const DpiScale scale = state.scale;
  const float size = BoxSizeAt(scale), line = scale.Line(), e = Inward(scale);
  graphics.SetSmoothingMode(AntiAlias);
  GraphicsPath circle;
  MakeEllipse(circle, cx + e, cy + e, size - 2 * e, size - 2 * e);
  GraphicsPath dot;
  const float dotSize = scale.Line(6), dotInset = (size - dotSize) / 2;
  MakeEllipse(dot, cx + dotInset, cy + dotInset, dotSize, dotSize);
  if (state.disabled) {
    Fill(graphics, circle, ToArgb(DisabledBoxFace));
    StrokePath(graphics, circle, Colour(Black, 100), line);
    if (state.check == BST_CHECKED) Fill(graphics, dot, ToArgb(DisabledMark));
    return;
  }
  Fill(graphics, circle, ToArgb(White));
  FillPathGradient(graphics, circle, {cx + scale.Of(1), cy + scale.Of(1)},
                   {cx + scale.Of(8), cy + scale.Of(11)}, Colour(Black, 100), Colour(Black, 0));
  if (state.hover) {
    GraphicsPath halo;
    const float glow = scale.Line(3);
    MakeEllipse(halo, cx - glow, cy - glow, size + 2 * glow, size + 2 * glow);
    PaintGlowRing(graphics, circle, halo);
    FillPathGradient(graphics, circle, {cx + scale.Of(1), cy + scale.Of(1)},
                     {cx + scale.Of(9), cy + scale.Of(12)}, Colour(AccentColour, 100),
                     Colour(Black, 0));
  }
  StrokePath(graphics, circle, Colour(Black, 200), line);
  GraphicsPath ring;
  MakeEllipse(ring, cx + scale.Of(1), cy + scale.Of(1.5f), scale.Of(9), scale.Of(9));
  StrokePath(graphics, ring, ToArgb(White), line);
  if (state.check != BST_CHECKED) return;
  StrokePath(graphics, dot, Colour(Black, 150), line);
  StrokePath(graphics, dot, Colour(AccentColour, 150), line);
  FillFromCentre(graphics, dot, Colour(White, 80), ToArgb(AccentColour), 0);
}

// Where the box or circle sits: in the middle of the height, or beside the caption's first line
// with BS_TOP and its last with BS_BOTTOM, as the system places it beside its label.
float BoxTop(const TextLayout& lines, UINT format, const Area& area, float size) {
  const bool bottom = (format & DT_BOTTOM) != 0;
  const bool top = !bottom && !(format & DT_VCENTER);
  if (lines.lines.empty() || !(top || bottom)) return (area.height - size) / 2;
  const int line = bottom ? lines.lines.back().y : lines.lines.front().y;
  return static_cast<float>(std::max(0, line + (lines.lineHeight - static_cast<int>(size)) / 2));
}

// The box on the right with BS_RIGHTBUTTON (BS_LEFTTEXT) or WS_EX_RIGHT, as the system puts it;
// the caption then has the room left of it.
bool BoxOnRight(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & BS_RIGHTBUTTON) ||
         (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_RIGHT);
}

void PaintLook(Graphics& graphics, ButtonRecord& button, const Area& area, UINT itemState,
               LRESULT check, const CaptionLook& caption, bool boxOnRight, DpiScale scale) {
  const bool radio = button.kind == RadioButtonKind;
  const int width = static_cast<int>(area.width), height = static_cast<int>(area.height);
  // The caption's own room ends at the control's edge; the box or circle ends at 15 or 14.
  const int room = scale(radio ? 18 : 20), lower = scale(2);
  const RECT box = boxOnRight ? RECT{0, lower, width - room, height + lower}
                              : RECT{room, lower, width, height + lower};
  const float size = BoxSizeAt(scale);
  const float top = BoxTop(button.caption.Layout(button.text, box, caption.format, caption.keys),
                           caption.format, area, size);
  const float inset = scale.Line(radio ? 2 : 3);
  const float left = boxOnRight ? area.width - size - inset : inset;
  const MarkState state{(itemState & ButtonHover) != 0, check, (itemState & ButtonDisabled) != 0,
                        scale};
  if (state.disabled) {
    PaintDisabledPanel(graphics, radio || boxOnRight ? 0.0f : scale.Line(3), area, scale);
  }
  if (radio) {
    PaintCircle(graphics, left, top, state);
  } else {
    PaintBox(graphics, left, top, state);
  }
  PaintButtonCaption(graphics, button, box, caption, boxOnRight ? -1 : scale(radio ? 15 : 16));
  if (itemState & ButtonFocused) {
    DrawFocusOutline(graphics, 0, 0, area.width, area.height, scale);
  }
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
  if (!ShowsForPaint(window, dc)) return;
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
                PaintLook(graphics, *button, area, itemState, check, caption, BoxOnRight(window),
                          ScaleOfControl(window));
              });
}

// How the system lays a group box out in the control's own font: the band it clears for the
// caption (its text measured by DrawText, a pixel wider on each side and below) and the row its
// etched border starts at (half the font's height, less a pixel). Our own caption layout may be
// narrower where drawing had to fall back to another font; the band must still cover every pixel
// the system's caption would take, and its last glyph reaches up to two pixels past what
// DrawText measures (a bitmap strike's ")" under Wine): the band takes those too. Measured again
// only when the text, the room, the format or the font differ from the last measure's.
const GroupBoxLayout& SystemGroupBoxLayout(HWND window, ButtonRecord& button, const RECT& room,
                                           UINT format) {
  HFONT font = button.caption.OwnFont();  // the font only changes through WM_SETFONT
  LOGFONTA described{};
  if (font) GetObjectA(font, sizeof described, &described);
  LookKey inputs = LookKey().Add(button.text).Add(room).Add(format);
  inputs.Add(reinterpret_cast<std::intptr_t>(font))
      .Add(std::string_view(reinterpret_cast<const char*>(&described), sizeof described));
  if (inputs == button.groupBoxInputs) return button.groupBox;
  HDC dc = GetDC(window);
  if (!dc) return button.groupBox;
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  RECT band = room;
  if (!button.text.empty()) DrawTextA(dc, button.text.c_str(), -1, &band, format | DT_CALCRECT);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(window, dc);
  button.groupBoxInputs = std::move(inputs);
  button.groupBox.frameTop = metrics.tmHeight / 2 - 1;
  button.groupBox.captionBand =
      button.text.empty() ? RECT{} : RECT{band.left - 1, band.top, band.right + 3, band.bottom + 1};
  return button.groupBox;
}

// The four strips the etched border runs along, each as wide as the edge, the top one down past
// the caption's band: the group box's inside is never painted, what the box encloses shows
// through it as the system leaves it.
std::array<RECT, 4> BorderStrips(const RECT& client, int frameTop, const RECT& band) {
  constexpr int Edge = 2;  // an etched edge: a shadow line and a highlight line
  const LONG top = std::max<LONG>(frameTop + Edge, band.bottom);
  const LONG bottom = std::max<LONG>(top, client.bottom - Edge);
  return {RECT{0, 0, client.right, top}, RECT{0, top, Edge, bottom},
          RECT{client.right - Edge, top, client.right, bottom},
          RECT{0, bottom, client.right, client.bottom}};
}

// The system's etched border, drawn as the system draws it, broken where the caption's band is,
// on a canvas that starts at `strip`.
void DrawGroupBoxBorder(HDC canvas, const RECT& client, int frameTop, bool flat, const RECT& band,
                        const RECT& strip) {
  POINT origin{};
  SetViewportOrgEx(canvas, -strip.left, -strip.top, &origin);
  ExcludeClipRect(canvas, band.left, band.top, band.right, band.bottom);
  RECT frame{client.left, client.top + frameTop, client.right, client.bottom};
  DrawEdge(canvas, &frame, EDGE_ETCHED, BF_RECT | (flat ? BF_FLAT : 0));
  SelectClipRgn(canvas, nullptr);
  SetViewportOrgEx(canvas, origin.x, origin.y, nullptr);
}

}  // namespace

void PaintRadioButton(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, RadioButtonKind, dc);
}

void PaintCheckBox(HWND window, UINT itemState, HDC dc) {
  PaintCheckOrRadio(window, itemState, CheckBoxKind, dc);
}

void PaintGroupBox(HWND window, HDC dc) {
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button || button->kind != GroupBoxKind || !ShowsForPaint(window, dc)) return;
  RECT client{};
  GetClientRect(window, &client);
  CaptionLook caption = CaptionLookOf(window);
  caption.halo = true;
  // The system lays the caption out 7 pixels in from each side, a pixel above the top, and
  // clears one pixel around it (and below) for it.
  const RECT room{7, -1, client.right - 7, client.bottom + 1};
  const GroupBoxLayout& system = SystemGroupBoxLayout(window, *button, room, caption.format);
  const TextLayout& laidOut =
      button->caption.Layout(button->text, room, caption.format, caption.keys);
  RECT band{client.right, 0, 0, 0};
  for (const TextLine& line : laidOut.lines) {
    band.left = std::min<LONG>(band.left, line.x - 1);
    band.right = std::max<LONG>(band.right, line.x + line.width + 1);
    band.bottom = std::max<LONG>(band.bottom, line.y + laidOut.lineHeight + 1);
  }
  if (!laidOut.lines.empty()) UnionRect(&band, &band, &system.captionBand);
  if (laidOut.lines.empty() || !IntersectRect(&band, &band, &client)) band = RECT{};
  TextLayout placed = laidOut;
  for (TextLine& line : placed.lines) {
    line.x -= band.left;
    line.y -= band.top;
  }
  const bool flat = (GetWindowLongA(window, GWL_STYLE) & BS_FLAT) != 0;
  LookKey key = ControlLookKey(window).Add("group box").Add(client).Add(band).Add(button->text);
  AddFont(key, button->caption).Add(caption.colour).Add(caption.format);
  key.Add(static_cast<int>(caption.keys)).Add(system.frameTop).Add(flat);
  key.Add(GetSysColor(COLOR_BTNSHADOW)).Add(GetSysColor(COLOR_BTNHIGHLIGHT));
  TargetDc target(window, dc, LookArea::Client);
  // The caption lies within the top strip, drawn with it.
  for (const RECT& strip : BorderStrips(client, system.frameTop, band)) {
    if (IsRectEmpty(&strip)) continue;
    PresentLook(window, button->looks, LookKey().Add(key).Add(strip), target.Get(), strip,
                [&](Graphics& graphics, HDC canvas) {
                  DrawGroupBoxBorder(canvas, client, system.frameTop, flat, band, strip);
                  if (IsRectEmpty(&band) || strip.top != 0) return;
                  // The caption's glow stays within the band, as the system's caption does.
                  graphics.SetClipRect(static_cast<float>(band.left), static_cast<float>(band.top),
                                       static_cast<float>(band.right - band.left),
                                       static_cast<float>(band.bottom - band.top));
                  DrawCaptionLines(graphics, *button, placed, caption,
                                   SIZE{band.right - band.left, band.bottom - band.top},
                                   POINT{band.left, band.top});
                });
  }
}
