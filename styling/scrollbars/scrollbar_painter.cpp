// The cover look: a gradient track, a glossy rounded thumb and rounded arrow buttons with small
// arrow images. One painter serves both orientations: it works in (across, along) coordinates
// and turns them into (x, y) for the cover's orientation.
#include <algorithm>

#include "drawing/drawing.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/scaled_paint.h"
#include "styling/scrollbars/cover_state.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

// Everything read from the windows for one look.
struct CoverInputs {
  ScrollBarOrientation orientation = ScrollBarOrientation::Vertical;
  int width = 0, height = 0;  // the cover's client size
  int button = 0;             // the arrow buttons' length along the bar
  int thumbTop = 0, thumbBottom = 0;
  bool unavailable = false;  // the system shows the whole bar disabled
  DpiScale scale;            // the cover's
};

CoverInputs ReadInputs(HWND cover, ScrollBarOrientation orientation) {
  CoverInputs in;
  in.orientation = orientation;
  if (const CoverState* state = StateOfCover(cover)) in.scale = state->scale;
  RECT client{};
  GetClientRect(cover, &client);
  in.width = client.right;
  in.height = client.bottom;
  auto target = ReadHandleProperty<HWND>(cover, CoverTargetProperty);
  SCROLLBARINFO info = ReadScrollBarInfo(target, orientation);
  // The arrow buttons are as long as the system makes them at the cover's DPI, or half the bar
  // when it is too short for two. (dxyLineButton is no help: Windows reports the arrow length
  // there, Wine the thumb's, as the documentation reads.)
  bool vertical = orientation == ScrollBarOrientation::Vertical;
  int along = vertical ? in.height : in.width;
  in.button =
      std::min(SystemMetricForDpi(vertical ? SM_CYVSCROLL : SM_CXHSCROLL, in.scale.dpi), along / 2);
  in.thumbTop = info.xyThumbTop;
  in.thumbBottom = info.xyThumbBottom;
  // A disabled control's bars are disabled too, as the system draws them.
  in.unavailable = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0 || !IsWindowEnabled(target);
  return in;
}

LookKey KeyOf(HWND cover, const CoverInputs& in, ScrollBarPart hover) {
  LookKey key = ControlLookKey(cover);  // the background behind the cover
  key.Add(static_cast<int>(in.orientation))
      .Add(in.width)
      .Add(in.height)
      .Add(in.button)
      .Add(in.thumbTop)
      .Add(in.thumbBottom)
      .Add(in.unavailable)
      .Add(hover)
      .Add(AccentColour)
      .Add(static_cast<int>(in.scale.dpi));
  return key;
}

// (across, along) to (x, y) for the cover's orientation.
class Axes {
 public:
  Axes(const CoverInputs& in) : vertical_(in.orientation == ScrollBarOrientation::Vertical) {}
  float X(float across, float along) const { return vertical_ ? across : along; }
  float Y(float across, float along) const { return vertical_ ? along : across; }
  PointF At(float across, float along) const { return {X(across, along), Y(across, along)}; }
  void AddBox(GraphicsPath& path, float across, float along, float acrossSize, float alongSize,
              int corner) const {
    AddRoundedRect(path, X(across, along), Y(across, along), X(acrossSize, alongSize),
                   Y(acrossSize, alongSize), corner);
  }
  RECT Rect(int across, int along, int acrossEnd, int alongEnd) const {
    return vertical_ ? RECT{across, along, acrossEnd, alongEnd}
                     : RECT{along, across, alongEnd, acrossEnd};
  }

 private:
  bool vertical_;
};

// Lengths in the cover's pixels; `inset` is the gap between the bar's edge and its buttons.
struct Sizes {
  int across, along, button, arrow;  // arrow: the button's drawn length along the bar
  int inset, corner, innerCorner;
};

Sizes SizesOf(const CoverInputs& in) {
  bool vertical = in.orientation == ScrollBarOrientation::Vertical;
  int across = vertical ? in.width : in.height;
  int along = vertical ? in.height : in.width;
  int inset = in.scale(1);
  return {across, along, in.button, in.button - 2 * inset, inset, in.scale(5), in.scale(3)};
}

void StoreParts(CoverState& state, const CoverInputs& in) {
  Axes axes(in);
  Sizes s = SizesOf(in);
  int m = s.inset;
  state.parts[FirstArrowRect] = axes.Rect(m, m, s.across - 2 * m, s.button);
  state.parts[SecondArrowRect] = axes.Rect(m, s.along - s.button, s.across - 2 * m, s.along - m);
  state.parts[ThumbRect] = axes.Rect(m, in.thumbTop, s.across - 2 * m, in.thumbBottom);
}

void PaintThumb(Graphics& graphics, const CoverInputs& in, bool hovered) {
  Axes axes(in);
  Sizes s = SizesOf(in);
  float m = static_cast<float>(s.inset);
  float top = static_cast<float>(in.thumbTop);
  GraphicsPath thumb;
  thumb.Create();
  axes.AddBox(thumb, m, top, static_cast<float>(s.across - 3 * s.inset),
              static_cast<float>(in.thumbBottom - in.thumbTop - s.inset), s.corner);
  if (hovered) {
    SolidBrush light;
    light.Create(WithAlpha(White, 180));
    graphics.FillPath(light, thumb);
  }
  PointF from = axes.At(m, top), to = axes.At(static_cast<float>(s.across - 2 * s.inset), top);
  FillPathGradient(graphics, thumb, from, to, WithAlpha(White, 150), WithAlpha(AccentColour, 150));
  FillPathGradient(graphics, thumb, from, to, WithAlpha(White, 0), WithAlpha(White, 150));
  StrokeScaled(graphics, thumb, WithAlpha(Black, 100), in.scale);
}

// One arrow button whose drawn length starts at `start` along the bar; its glyph is centred on
// the button's length from `glyphOffset` on.
void PaintArrowButton(Graphics& graphics, const CoverInputs& in, int start, int glyphOffset,
                      ArrowDirection direction, bool hovered) {
  Axes axes(in);
  Sizes s = SizesOf(in);
  float m = static_cast<float>(s.inset);
  float from = static_cast<float>(start);
  GraphicsPath button;
  button.Create();
  axes.AddBox(button, m, from, static_cast<float>(s.across - 3 * s.inset),
              static_cast<float>(s.arrow), s.corner);
  if (hovered) {
    FillPathGradient(graphics, button, axes.At(m, from),
                     axes.At(static_cast<float>(s.across - 2 * s.inset), from),
                     WithAlpha(White, 100), WithAlpha(AccentColour, 150));
  }
  StrokeScaled(graphics, button, WithAlpha(Black, 60), in.scale);
  GraphicsPath highlight;
  highlight.Create();
  axes.AddBox(highlight, 2 * m, from + m, static_cast<float>(s.across - 5 * s.inset),
              static_cast<float>(s.arrow - 3 * s.inset), s.innerCorner);
  StrokeScaled(graphics, highlight, WithAlpha(White, 150), in.scale);
  SIZE glyph = ArrowGlyphSize(direction, in.scale);
  int glyphAcross =
      static_cast<int>(axes.X(static_cast<float>(glyph.cx), static_cast<float>(glyph.cy)));
  int glyphAlong =
      static_cast<int>(axes.Y(static_cast<float>(glyph.cx), static_cast<float>(glyph.cy)));
  PointF at = axes.At(static_cast<float>((s.across - glyphAcross) / 2),
                      static_cast<float>(glyphOffset + (s.arrow - glyphAlong) / 2));
  DrawArrowGlyph(graphics, direction, in.scale, at.x, at.y);
}

void PaintLook(Graphics& graphics, const CoverInputs& in, ScrollBarPart hover) {
  Axes axes(in);
  Sizes s = SizesOf(in);
  LinearGradientBrush track;
  track.Create(axes.At(0, 0), axes.At(static_cast<float>(s.across), 0), WithAlpha(AccentColour, 40),
               ToArgb(White));
  graphics.FillRectangle(track, 0, 0, static_cast<float>(in.width), static_cast<float>(in.height));
  if (!in.unavailable && in.thumbBottom > in.thumbTop) {
    PaintThumb(graphics, in, hover == ThumbPart);
  }
  bool vertical = in.orientation == ScrollBarOrientation::Vertical;
  bool hoverShown = !in.unavailable;
  PaintArrowButton(graphics, in, s.inset, 2 * s.inset,
                   vertical ? ArrowDirection::Up : ArrowDirection::Left,
                   hoverShown && hover == FirstArrowPart);
  int secondStart = s.along - s.button;
  PaintArrowButton(graphics, in, secondStart, secondStart + 2 * s.inset,
                   vertical ? ArrowDirection::Down : ArrowDirection::Right,
                   hoverShown && hover == SecondArrowPart);
}

}  // namespace

LookKey CoverLookKey(HWND cover, ScrollBarOrientation orientation, ScrollBarPart hover) {
  return KeyOf(cover, ReadInputs(cover, orientation), hover);
}

void PaintCover(HWND cover, ScrollBarOrientation orientation, HDC dc, ScrollBarPart hover) {
  CoverState* state = StateOfCover(cover);
  if (!state || !IsWindowVisible(cover)) return;
  if (!IsWindow(ReadHandleProperty<HWND>(cover, CoverTargetProperty))) return;
  CoverInputs in = ReadInputs(cover, orientation);
  StoreParts(*state, in);
  LookKey key = KeyOf(cover, in, hover);
  HDC target = dc ? dc : GetDC(cover);
  PresentLook(cover, state->looks, key, target, RECT{0, 0, in.width, in.height},
              [&](Graphics& graphics) { PaintLook(graphics, in, hover); });
  if (!dc) ReleaseDC(cover, target);
  state->shown = key;
  state->hover = hover;
}
