// The track-bar and progress-bar looks: a rounded translucent panel; a thin channel with an
// accent filled part, the selection and a round thumb; an accent gradient bar.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "drawing/drawing.h"
#include "styling/records/keyboard_cues.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"
#include "styling/trackbars/trackbars.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

// How far along `length` pixels a value lies on the scale low ... high: its distance from the
// low end, clamped to the scale. 0 on an empty scale, which has no length to divide.
int ScaledLength(long long value, long long low, long long high, int length) {
  if (high <= low || length <= 0) return 0;
  long long distance = std::clamp(value - low, 0LL, high - low);
  return static_cast<int>(distance * length / (high - low));
}

// The panel both controls stand on.
struct PanelLook {
  int outlineAlpha;  // black
  int fillCorner;
};
constexpr PanelLook TrackBarPanel{30, 3};
constexpr PanelLook ProgressPanel{50, 1};

void PaintPanel(Graphics& graphics, SIZE size, bool vertical, const PanelLook& look,
                DpiScale scale) {
  float w = static_cast<float>(size.cx), h = static_cast<float>(size.cy);
  GraphicsPath outline;
  outline.Create();
  AddRoundedRect(outline, 0, 0, w - 1, h - 1, scale(5));
  StrokeScaled(graphics, outline, WithAlpha(Black, look.outlineAlpha), scale);
  GraphicsPath face;
  face.Create();
  float m = static_cast<float>(scale(1));
  AddRoundedRect(face, m, m, w - 2 * m, h - 2 * m, scale(look.fillCorner));
  LinearGradientBrush shade;
  shade.Create(PointF{0, 0}, vertical ? PointF{w, 0} : PointF{0, h}, WithAlpha(White, 160),
               WithAlpha(Black, 30));
  graphics.FillPath(shade, face);
}

// Track-bar geometry along and across its channel, so that one description serves both
// orientations: a vertical control exchanges x and y.
struct Axes {
  bool vertical = false;
  RectF Box(float along, float across, float length, float thickness) const {
    return vertical ? RectF{across, along, thickness, length}
                    : RectF{along, across, length, thickness};
  }
  PointF Point(float along, float across) const {
    return vertical ? PointF{across, along} : PointF{along, across};
  }
};

struct Extent {
  int start = 0;
  int size = 0;
};

// The channel as spans along and across it. Windows answers TBM_GETCHANNELRECT of a vertical
// track bar with its axes exchanged; Wine answers in window coordinates. The channel is
// always longer along than across, which tells the two apart.
std::pair<Extent, Extent> ChannelSpans(const RECT& channel, bool vertical) {
  Extent x{channel.left, channel.right - channel.left};
  Extent y{channel.top, channel.bottom - channel.top};
  if (!vertical || x.size >= y.size) return {x, y};
  return {y, x};
}

Extent ThumbAlong(const RECT& thumb, bool vertical) {
  return vertical ? Extent{thumb.top, thumb.bottom - thumb.top}
                  : Extent{thumb.left, thumb.right - thumb.left};
}

struct TrackState {
  long long pos = 0, min = 0, max = 0, selStart = 0, selEnd = 0;
  RECT channel{}, thumb{};
  bool EmptyRange() const { return max <= min; }
  bool AtMax() const { return !EmptyRange() && pos == max; }
};

TrackState ReadTrackState(HWND window, bool selectionRange) {
  TrackState s;
  s.pos = SendMessageA(window, TBM_GETPOS, 0, 0);
  s.min = SendMessageA(window, TBM_GETRANGEMIN, 0, 0);
  s.max = SendMessageA(window, TBM_GETRANGEMAX, 0, 0);
  if (selectionRange) {
    s.selStart = SendMessageA(window, TBM_GETSELSTART, 0, 0);
    s.selEnd = SendMessageA(window, TBM_GETSELEND, 0, 0);
  }
  SendMessageA(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&s.channel));
  SendMessageA(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&s.thumb));
  return s;
}

void StrokeBox(Graphics& graphics, const RectF& box, ARGB colour, DpiScale scale) {
  GraphicsPath path;
  path.Create();
  path.AddRectangle(box.x, box.y, box.width, box.height);
  StrokeScaled(graphics, path, colour, scale);
}

void PaintThumb(Graphics& graphics, const RectF& box, DpiScale scale) {
  GraphicsPath ellipse;
  ellipse.Create();
  ellipse.AddEllipse(box.x, box.y, box.width, box.height);
  SolidBrush white;
  white.Create(ToArgb(White));
  graphics.FillPath(white, ellipse);
  PathGradientBrush shade;
  shade.CreateFromPath(ellipse);
  shade.SetCenterColor(WithAlpha(White, 32));
  const ARGB surround[] = {WithAlpha(Black, 60)};
  shade.SetSurroundColors(surround);
  graphics.FillPath(shade, ellipse);
  StrokeScaled(graphics, ellipse, WithAlpha(Black, 60), scale);
}

void DrawTrackBar(Graphics& graphics, const TrackBarRecord& entry, const TrackState& s, SIZE size,
                  bool focusShown) {
  Axes axes{entry.vertical != 0};
  const DpiScale scale = entry.scale;
  auto px = [scale](int pixels) { return static_cast<float>(scale(pixels)); };
  if (TrackBarOption) PaintPanel(graphics, size, axes.vertical, TrackBarPanel, scale);
  auto [along, across] = ChannelSpans(s.channel, axes.vertical);

  // The channel stripe: the whole channel, or a thin centred one under a selection.
  int thinStripe = scale(4);
  int stripe = entry.selectionRange ? thinStripe : across.size;
  float y0 = static_cast<float>(entry.selectionRange ? across.start + (across.size - thinStripe) / 2
                                                     : across.start);
  float left = static_cast<float>(along.start);
  GraphicsPath stripePath;
  stripePath.Create();
  RectF stripeBox = axes.Box(left, y0, static_cast<float>(along.size), static_cast<float>(stripe));
  AddRoundedRect(stripePath, stripeBox.x, stripeBox.y, stripeBox.width, stripeBox.height, scale(1));
  LinearGradientBrush stripeShade;
  stripeShade.Create(axes.Point(left, y0), axes.Point(left, y0 + static_cast<float>(stripe)),
                     WithAlpha(Black, 50), WithAlpha(Black, 40));
  graphics.FillPath(stripeShade, stripePath);
  // On an empty scale nothing is selected or filled, and the thumb rests at the start.
  Extent thumb = ThumbAlong(s.thumb, axes.vertical);
  if (s.EmptyRange()) thumb.start = along.start;

  // The selection, placed and sized on the control's own scale.
  if (entry.selectionRange && s.selEnd > s.selStart && !s.EmptyRange()) {
    int start = ScaledLength(s.selStart, s.min, s.max, along.size);
    int length = ScaledLength(s.selEnd, s.min, s.max, along.size) - start;
    if (length > scale(3)) {
      StrokeBox(graphics,
                axes.Box(left + static_cast<float>(start) + px(2), y0 + px(1),
                         static_cast<float>(length - scale(3)), px(1)),
                WithAlpha(White, 200), scale);
    }
  }

  // The filled part runs up to the thumb, and under it at the maximum.
  int filled = thumb.start - along.start - scale(1) + (s.AtMax() ? scale(10) : 0);
  if (filled > scale(1)) {
    StrokeBox(graphics,
              axes.Box(left + px(1), y0 + px(1), static_cast<float>(filled - scale(1)), px(1)),
              WithAlpha(AccentColour, 200), scale);
  }

  float thumbAt = static_cast<float>(thumb.start);
  if (entry.hovered) {
    int shift = entry.tickMode == TicksTopOrLeft ? 2 : entry.tickMode == TicksBoth ? 1 : 0;
    PaintThumb(graphics, axes.Box(thumbAt, y0 - px(4) + px(shift), px(11), px(11)), scale);
  } else {
    PaintThumb(graphics,
               axes.Box(thumbAt + (s.AtMax() ? px(8) : 0), y0 - scale.Of(1.5f), px(6), px(6)),
               scale);
  }
  if (focusShown) {
    DrawFocusOutline(graphics, 0, 0, static_cast<float>(size.cx), static_cast<float>(size.cy),
                     scale);
  }
}

struct ProgressState {
  long long pos = 0, low = 0, high = 0;
};

void DrawProgressBar(Graphics& graphics, const ProgressRecord& entry, const ProgressState& s,
                     SIZE size) {
  bool vertical = entry.vertical != 0;
  const DpiScale scale = entry.scale;
  PaintPanel(graphics, size, vertical, ProgressPanel, scale);
  int length = vertical ? size.cy : size.cx;
  int filled = ScaledLength(s.pos, s.low, s.high, length);
  if (filled <= 0) return;
  float w = static_cast<float>(size.cx), h = static_cast<float>(size.cy);
  RectF bar{0, 0, static_cast<float>(filled), h};
  PointF from{0, 0}, to{0, h - 1};
  if (vertical) {
    // Filled from the bottom: the bar starts where the unfilled part ends.
    double distance = static_cast<double>(std::clamp(s.pos - s.low, 0LL, s.high - s.low));
    double top = size.cy - distance * size.cy / static_cast<double>(s.high - s.low);
    bar = RectF{0, static_cast<float>(static_cast<int>(top)), w, static_cast<float>(filled)};
    from = PointF{0, bar.y};
    to = PointF{w - 1, bar.y};
  }
  GraphicsPath path;
  path.Create();
  float m = static_cast<float>(scale(1));
  AddRoundedRect(path, bar.x + m, bar.y + m, bar.width - 3 * m, bar.height - 3 * m, scale(3));
  LinearGradientBrush fill;
  fill.Create(from, to, WithAlpha(White, 90), ToArgb(AccentColour));
  graphics.FillPath(fill, path);
  StrokeScaled(graphics, path, WithAlpha(AccentColour, 150), scale);
}

}  // namespace

void PaintTrackBar(int styleIndex, int index, HDC dc) {
  TrackBarRecord* entry = FamilyEntryAt(styleIndex, index, &StyleRecord::trackBars);
  if (!entry) return;
  HWND window = entry->window;
  SIZE size = WindowSizeOf(window);
  TrackState s = ReadTrackState(window, entry->selectionRange != 0);
  LookKey key = ControlLookKey(window);
  key.Add(size.cx).Add(size.cy).Add(entry->hovered).Add(TrackBarOption ? 1 : 0);
  key.Add(s.pos).Add(s.min).Add(s.max).Add(s.selStart).Add(s.selEnd);
  key.Add(s.channel).Add(s.thumb).Add(static_cast<int>(entry->scale.dpi));
  bool focusShown = ShowsFocusLook(window);
  key.Add(focusShown ? 1 : 0);
  PresentWindowLook(
      window, entry->looks, key, size.cx, size.cy,
      [&](Graphics& graphics) { DrawTrackBar(graphics, *entry, s, size, focusShown); }, dc);
}

void PaintProgressBar(int styleIndex, int index, HDC dc) {
  ProgressRecord* entry = FamilyEntryAt(styleIndex, index, &StyleRecord::progressBars);
  if (!entry) return;
  HWND window = entry->window;
  SIZE size = WindowSizeOf(window);
  ProgressState s;
  s.pos = SendMessageA(window, PBM_GETPOS, 0, 0);
  PBRANGE range{};
  SendMessageA(window, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  s.low = range.iLow;
  s.high = range.iHigh;
  LookKey key = ControlLookKey(window);
  key.Add(size.cx).Add(size.cy).Add(s.pos).Add(s.low).Add(s.high);
  key.Add(static_cast<int>(entry->scale.dpi));
  PresentWindowLook(
      window, entry->looks, key, size.cx, size.cy,
      [&](Graphics& graphics) { DrawProgressBar(graphics, *entry, s, size); }, dc);
}
