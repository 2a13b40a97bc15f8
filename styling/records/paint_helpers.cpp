#include "styling/records/paint_helpers.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "drawing/drawing.h"
#include "styling/records/look_cache.h"

namespace {

// GDI+ on Windows takes bold from the weight the font asks for; Wine takes it from the face it
// matched, so a weight-400 request served by a face of weight 500 (WenQuanYi Zen Hei) came back
// bold and message texts, measured by the system in regular, overflowed their statics.
int RequestedStyle(HFONT fontHandle, int style) {
  LOGFONTA requested{};
  if (fontHandle && GetObjectA(fontHandle, sizeof requested, &requested) &&
      requested.lfWeight < FW_BOLD) {
    style &= ~1;  // FontStyleBold
  }
  return style;
}

// The em size in pixels the system draws the font with. A negative LOGFONT height is the em
// size itself; a positive one is the cell height, of which the internal leading is no part.
// GDI+ made from the font takes it from the realised cell instead, and under Wine rounding
// makes that 13 pixels for the 12-pixel message font: its text came out wider than the
// system's.
int SystemEmSize(HDC dc, HFONT fontHandle, float fallback) {
  LOGFONTA requested{};
  if (fontHandle && GetObjectA(fontHandle, sizeof requested, &requested) &&
      requested.lfHeight < 0) {
    return static_cast<int>(-requested.lfHeight);
  }
  HGDIOBJ previous = fontHandle ? SelectObject(dc, fontHandle) : nullptr;
  TEXTMETRICA metrics{};
  bool measured = GetTextMetricsA(dc, &metrics) != 0;
  if (previous) SelectObject(dc, previous);
  if (!measured) return static_cast<int>(fallback);
  return static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
}

// What a font handle asks for (its LOGFONT), and what ReadControlFont read for it. Every box
// of the program asks for the same few fonts, and reading one costs a DC and a GDI+ font.
struct ReadFont {
  LookKey described;
  ControlFont font;
};
std::vector<ReadFont> readFonts;  // newest last; user-interface thread only
constexpr std::size_t ReadFontsAtMost = 16;

LookKey DescriptionOf(HFONT fontHandle) {
  LOGFONTA described{};
  if (!fontHandle || !GetObjectA(fontHandle, sizeof described, &described)) return LookKey();
  return LookKey().Add(
      std::string_view(reinterpret_cast<const char*>(&described), sizeof described));
}

ControlFont ReadFontThroughDc(HWND window, HFONT fontHandle) {
  ControlFont result;
  HDC dc = GetDC(window);
  Font font;
  if (font.CreateFromHfont(dc, fontHandle)) {
    result.fontSize = SystemEmSize(dc, fontHandle, font.GetSize());
    result.fontStyle = RequestedStyle(fontHandle, font.GetStyle());
    FontFamily family;
    if (font.GetFamily(family)) {
      result.fontName = family.GetName();
      family.Delete();
    }
  }
  font.Delete();
  ReleaseDC(window, dc);
  return result;
}

}  // namespace

ControlFont ReadControlFont(HWND window) {
  auto fontHandle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  const LookKey described = DescriptionOf(fontHandle);
  if (described.Empty()) return ReadFontThroughDc(window, fontHandle);
  for (const ReadFont& read : readFonts) {
    if (read.described == described) return read.font;
  }
  ControlFont font = ReadFontThroughDc(window, fontHandle);
  if (font.fontName.empty()) return font;  // read again next time
  if (readFonts.size() >= ReadFontsAtMost) readFonts.erase(readFonts.begin());
  readFonts.push_back({described, font});
  return font;
}

void AddRoundedRect(GraphicsPath& path, float x, float y, float width, float height, int corner) {
  float e = static_cast<float>(std::clamp(corner, 1, 100));
  path.AddArc(x + width - e, y, e, e, 270, 90);
  path.AddArc(x + width - e - 1, y + height - e - 1, e + 1, e + 1, 0, 90);
  path.AddArc(x, y + height - e, e, e, 90, 90);
  path.AddArc(x, y, e, e, 180, 90);
  path.CloseFigure();
}

void AddTabShape(GraphicsPath& path, int x, int y, int width, int height, int corner) {
  auto f = [](int value) { return static_cast<float>(value); };
  path.AddLine(f(x), f(y + height), f(x), f(y + corner));
  path.AddArc(f(x), f(y), f(corner), f(corner), 180, 90);
  path.AddLine(f(x + corner), f(y), f(x + width - corner), f(y));
  path.AddArc(f(x + width - corner), f(y), f(corner), f(corner), 270, 90);
  path.AddLine(f(x + width), f(y + corner), f(x + width), f(y + height));
}

void DrawGlow(Graphics& graphics, GraphicsPath& path, int count, COLORREF colour, int alpha,
              float unit) {
  Pen pen;
  pen.Create(ToArgb(colour, alpha, true), unit);
  for (int width = 1; width <= count; ++width) {
    pen.SetWidth(static_cast<float>(width) * unit);
    graphics.DrawPath(pen, path);
  }
}

void FillPathGradient(Graphics& graphics, GraphicsPath& path, const PointF& from, const PointF& to,
                      ARGB fromColour, ARGB toColour) {
  LinearGradientBrush brush;
  brush.Create(from, to, fromColour, toColour);
  graphics.FillPath(brush, path);
}

void StrokePath(Graphics& graphics, GraphicsPath& path, ARGB colour, float width) {
  Pen pen;
  pen.Create(colour, width);
  graphics.DrawPath(pen, path);
}

bool HasVerticalScrollBar(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_VSCROLL) != 0;
}

bool HasHorizontalScrollBar(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_HSCROLL) != 0;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool ShowsForPaint(HWND window, HDC given) {
  return given ? HasVisibleStyle(window) : IsWindowVisible(window) != FALSE;
}

bool IsMouseTransparent(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(window, text.data(), length + 1);
  text.resize(std::char_traits<char>::length(text.c_str()));
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[255] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

namespace {

double ChannelLight(int level) {
  double v = level / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(COLORREF colour) {
  return 0.2126 * ChannelLight(GetRValue(colour)) + 0.7152 * ChannelLight(GetGValue(colour)) +
         0.0722 * ChannelLight(GetBValue(colour));
}

constexpr double ReadableContrast = 4.5;

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

COLORREF ReadableGrey(COLORREF systemGrey, COLORREF background) {
  if (ContrastRatio(systemGrey, background) >= ReadableContrast) return systemGrey;
  int level = (GetRValue(systemGrey) + GetGValue(systemGrey) + GetBValue(systemGrey)) / 3;
  for (int step = 1; step <= 255; ++step) {
    for (int candidate : {level - step, level + step}) {
      if (candidate < 0 || candidate > 255) continue;
      COLORREF grey = RGB(candidate, candidate, candidate);
      if (ContrastRatio(grey, background) >= ReadableContrast) return grey;
    }
  }
  return RGB(0, 0, 0);
}

COLORREF MeanColour(HDC dc, const RECT& area) {
  constexpr int Samples = 5;  // a 5 x 5 grid
  long sum[3] = {};
  int count = 0;
  for (int i = 0; i < Samples; ++i) {
    for (int j = 0; j < Samples; ++j) {
      int x = area.left + (area.right - area.left) * (2 * i + 1) / (2 * Samples);
      int y = area.top + (area.bottom - area.top) * (2 * j + 1) / (2 * Samples);
      COLORREF pixel = GetPixel(dc, x, y);
      if (pixel == CLR_INVALID) continue;
      sum[0] += GetRValue(pixel);
      sum[1] += GetGValue(pixel);
      sum[2] += GetBValue(pixel);
      ++count;
    }
  }
  if (!count) return GetSysColor(COLOR_BTNFACE);
  return RGB(sum[0] / count, sum[1] / count, sum[2] / count);
}
