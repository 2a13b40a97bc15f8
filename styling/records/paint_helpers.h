#pragma once
// Helpers that many painters share: the control font, rounded shapes, the stroke glow, colour
// conversion, and small tests and makers.

#include <windows.h>

#include <cstdint>
#include <string>

#include "drawing/drawing_object.h"

class Graphics;
class GraphicsPath;

// A control's font as GDI+ sees it. An empty name or a zero size means the control has none
// that GDI+ can use: the caller substitutes its defaults.
struct ControlFont {
  std::string fontName;
  int fontSize = 0;   // em size truncated to an integer
  int fontStyle = 0;  // bold 1, italic 2, underline 4, strikeout 8
};
// Reads WM_GETFONT through the window's DC; the font handle stays with the control.
ControlFont ReadControlFont(HWND window);

// A rounded rectangle (corner size clamped to 1 ... 100) as a closed figure; the bottom-right
// arc is one pixel larger and one pixel further in than the others.
void AddRoundedRect(GraphicsPath& path, float x, float y, float width, float height, int corner);
// An open outline with rounded top corners only.
void AddTabShape(GraphicsPath& path, int x, int y, int width, int height, int corner);
// Strokes the path `count` times with widths 1 ... count times `unit`: a soft edge.
void DrawGlow(Graphics& graphics, GraphicsPath& path, int count, COLORREF colour, int alpha,
              float unit = 1.0f);
// Fills the path with a linear gradient running from `from` to `to`.
void FillPathGradient(Graphics& graphics, GraphicsPath& path, const PointF& from, const PointF& to,
                      ARGB fromColour, ARGB toColour);
// Strokes the path with a pen 1.0 wide, or as wide as given (a line scaled to the DPI).
void StrokePath(Graphics& graphics, GraphicsPath& path, ARGB colour, float width = 1.0f);

// GDI colour 0x00BBGGRR to GDI+ 0xAARRGGBB; the alpha counts only when useAlpha, else 255.
constexpr ARGB ToArgb(COLORREF colour, int alpha = 255, bool useAlpha = false) {
  ARGB a = useAlpha ? static_cast<ARGB>(alpha & 0xFF) : 0xFFu;
  return a << 24 | static_cast<ARGB>(GetRValue(colour)) << 16 |
         static_cast<ARGB>(GetGValue(colour)) << 8 | static_cast<ARGB>(GetBValue(colour));
}

// Small tests and makers.
bool HasVerticalScrollBar(HWND window);    // WS_VSCROLL
bool HasHorizontalScrollBar(HWND window);  // WS_HSCROLL
bool HasVisibleStyle(HWND window);         // WS_VISIBLE
bool IsMouseTransparent(HWND window);      // WS_EX_TRANSPARENT
// Whether a paint has anything to show. On screen the window must be visible; a print (a DC
// given) takes the window's own visibility, as the print walk does: its dialog may not be shown.
bool ShowsForPaint(HWND window, HDC given);
constexpr POINT MakePoint(int x, int y) { return POINT{x, y}; }
constexpr RECT MakeRect(int left, int top, int right, int bottom) {
  return RECT{left, top, right, bottom};
}
constexpr unsigned LowHalf(std::uintptr_t value) { return value & 0xFFFFu; }
constexpr unsigned HighHalf(std::uintptr_t value) { return (value >> 16) & 0xFFFFu; }
// The signed halves of a message argument (screen coordinates may be negative).
constexpr int SignedLowHalf(std::uintptr_t value) {
  return static_cast<std::int16_t>(LowHalf(value));
}
constexpr int SignedHighHalf(std::uintptr_t value) {
  return static_cast<std::int16_t>(HighHalf(value));
}

// The contrast ratio of two colours as the accessibility guidelines measure it, 1 to 21.
double ContrastRatio(COLORREF a, COLORREF b);
// The grey in which disabled text reads at 4.5:1 on the background: the system's grey when it
// does, else the grey nearest to it that does (lighter on a dark ground, darker on a light one).
COLORREF ReadableGrey(COLORREF systemGrey, COLORREF background);
// The mean colour of a DC's pixels in the area, from a grid of samples.
COLORREF MeanColour(HDC dc, const RECT& area);

// A window's text (GetWindowTextLengthA, then GetWindowTextA into length + 1 bytes).
std::string WindowText(HWND window);
// A window's class name (read into 255 bytes).
std::string ClassNameOf(HWND window);
