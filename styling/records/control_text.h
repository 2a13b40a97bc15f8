#pragma once
// Captions and static texts as the system lays them out. A text is laid out with GDI in the
// control's own font (the lines the system's DrawText makes: widths, breaks between words and
// between Chinese characters, alignment) and each line is then drawn with GDI+ in its place, so
// that the engine's text takes the room the system's takes and stays inside its control.
//
// How a family draws a caption:
//   TextLayout layout = LayOutControlText(control, text, box, DT_LEFT | DT_WORDBREAK, keys);
//   TextPen pen(font);                       // the control's font for GDI+ (ReadControlFont)
//   pen.Draw(graphics, layout, brush);       // every line, its access key underlined
// DrawHaloText (styling/statics) draws the same lines with a glow.

#include <windows.h>

#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "styling/records/paint_helpers.h"

// How the "&" marks of a caption are shown.
enum class AccessKeyMode {
  None,  // the text as it is, "&" included (SS_NOPREFIX, BTNS_NOPREFIX)
  Hide,  // "&x" drawn as "x", "&&" as "&", nothing underlined
  Show,  // the same, with the character after a single "&" underlined
};

// The mode of a caption whose control shows access keys: underlined while the window's UI state
// shows accelerators (keyboard_cues.h), else hidden.
AccessKeyMode CaptionAccessKeys(HWND window);

// One line of a laid-out text.
struct TextLine {
  std::wstring text;       // what is drawn: access-key marks removed
  int x = 0, y = 0;        // top-left, in the coordinates of the layout's box
  int width = 0;           // the system's extent of the line
  int underlineLeft = 0;   // the underlined character's span, relative to x
  int underlineWidth = 0;  // 0 when the line has none
};

struct TextLayout {
  std::vector<TextLine> lines;
  int lineHeight = 0;  // the font's cell height, as DrawText steps its lines
  int ascent = 0;
};

// Lays `text` (ANSI) out in `box` as DrawText does with `format` in `font`: DT_LEFT, DT_CENTER
// or DT_RIGHT; DT_WORDBREAK or DT_SINGLELINE (with DT_VCENTER or DT_BOTTOM); DT_EDITCONTROL
// breaks a word longer than a line; DT_VCENTER and DT_BOTTOM also place several lines as a
// block, as button captions are placed. `keys` decides what "&" does.
TextLayout LayOutText(HFONT font, const char* text, const RECT& box, UINT format,
                      AccessKeyMode keys);
// The same in the control's own font (WM_GETFONT; the system font when it has none).
TextLayout LayOutControlText(HWND control, const char* text, const RECT& box, UINT format,
                             AccessKeyMode keys);

// Moves lines that reach past `right` to the left, but not beyond `left`.
void KeepInside(TextLayout& layout, int left, int right);

// The font of a control for GDI+ at the em size the system draws it with, and a format that
// neither wraps nor clips: each line is drawn where its layout put it.
class TextPen {
 public:
  explicit TextPen(const ControlFont& font);
  // Draws every line (and its underline) with the brush, moved by (dx, dy).
  void Draw(Graphics& graphics, const TextLayout& layout, Brush& brush, float dx = 0, float dy = 0);

 private:
  Font font_;
  StringFormat format_;
  float padding_;  // GDI+ leaves 1/6 em before a line's first glyph
};

// The DT_ alignment and wrapping of a static's text from its style (SS_CENTER, SS_RIGHT,
// SS_LEFTNOWORDWRAP, SS_CENTERIMAGE, SS_EDITCONTROL), as the static control draws it.
UINT StaticTextFormat(LONG style);
