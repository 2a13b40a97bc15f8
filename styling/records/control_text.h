#pragma once
// Captions and static texts as the system lays them out. A text is laid out with GDI in the
// control's own font (the lines the system's DrawText makes: widths, breaks between words and
// between Chinese characters, tabs, ellipses, alignment, the access key of each line) and each
// piece is then drawn with GDI+ in its place, so that the engine's text takes the room the
// system's takes and stays inside its control.
//
// How a family draws a caption: its entry holds a CaptionText, given the control's font when the
// control is styled and again on WM_SETFONT (SetCaptionFont of styling/records/records.h):
//   entry.caption.SetFont(control);                       // install
//   AccessKeyMode keys = CaptionAccessKeys(control);      // once a paint (keyboard_cues.h)
//   AddFont(key, entry.caption) ... .Add(keys);           // the kept look's inputs
//   entry.caption.Draw(graphics, text, box, DT_LEFT | DT_WORDBREAK, keys, colour);
// The layout is made again only when the text, the font, the box, the format or the access-key
// mode differ from the last paint's; the GDI+ font and format are made once per font.
// DrawHaloText (styling/statics) draws the same pieces with a glow through Layout() and Pen().

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "drawing/drawing.h"
#include "styling/records/keyboard_cues.h"
#include "styling/records/paint_helpers.h"

class LookKey;

// One piece of a laid-out text: a line, or the part of a line between two tabs.
struct TextLine {
  std::wstring text;       // what is drawn: access-key marks removed, ellipses put in
  int x = 0, y = 0;        // top-left, in the coordinates of the layout's box
  int width = 0;           // the system's extent of the piece
  int underlineLeft = 0;   // the underlined character's span, relative to x
  int underlineWidth = 0;  // 0 when the piece has none
};

struct TextLayout {
  std::vector<TextLine> lines;
  int lineHeight = 0;  // the font's cell height, as DrawText steps its lines
  int ascent = 0;
  int rows = 0;  // lines of text, however many pieces tabs cut them into
  // What DrawText clips the text to: its box, unless DT_NOCLIP (then `clipped` is false).
  bool clipped = false;
  RECT clip{};
};

// Lays `text` out in `box` as DrawText does with `format` in `font` (the system font when
// 0): DT_LEFT, DT_CENTER, DT_RIGHT; DT_WORDBREAK (DT_EDITCONTROL also breaks a word longer than
// a line, and shows no partly visible last line); DT_SINGLELINE with DT_VCENTER or DT_BOTTOM
// (without DT_SINGLELINE they do nothing, as for DrawText); DT_EXPANDTABS; DT_END_ELLIPSIS,
// DT_PATH_ELLIPSIS, DT_WORD_ELLIPSIS; no line after the one that reaches the box's bottom
// unless DT_NOCLIP, and the text clipped to the box unless DT_NOCLIP. The text is read in the
// code page of the font's character set, as DrawTextA reads it. `keys` decides what "&" does:
// with Show each line underlines its own access key; Hide takes the marks out and underlines
// nothing (DT_HIDEPREFIX).
TextLayout LayOutText(HFONT font, const char* text, const RECT& box, UINT format,
                      AccessKeyMode keys);

// Moves pieces that reach past `right` to the left, but not beyond `left`.
void KeepInside(TextLayout& layout, int left, int right);

// The font of a control for GDI+ at the em size the system draws it with, and a format that
// neither wraps nor clips: each piece is drawn where its layout put it.
class TextPen {
 public:
  explicit TextPen(const ControlFont& font);
  // Draws every piece (and its underline) with the brush, moved by (dx, dy), within the
  // layout's clip moved alike.
  void Draw(Graphics& graphics, const TextLayout& layout, Brush& brush, float dx = 0, float dy = 0);

 private:
  Font font_;
  StringFormat format_;
  float padding_;  // GDI+ leaves 1/6 em before a piece's first glyph
};

// A control's caption: one font for measuring and drawing, and the layout kept for its inputs.
class CaptionText {
 public:
  // Takes the control's font (WM_GETFONT). When GDI+ can make nothing of it, the font of
  // `fallback` (a static's parent) is taken instead; failing both, "宋体" at 12 pixels is drawn,
  // and measured too: the caption then owns a GDI font of that face and size.
  void SetFont(HWND control, HWND fallback = nullptr);
  const ControlFont& Font() const { return font_; }
  // The control's own font (WM_GETFONT at the last SetFont, 0 for the system font), whichever
  // font the caption is drawn in: what the system's own code of the control draws with.
  HFONT OwnFont() const { return own_; }
  // What the caption is measured with (its LOGFONT) and drawn with: a kept look's inputs.
  LookKey& AddTo(LookKey& key) const;
  // The layout for these inputs (LayOutText, then PlaceCaption): the kept one when they are
  // those of the last call.
  const TextLayout& Layout(const std::string& text, const RECT& box, UINT format,
                           AccessKeyMode keys);
  TextPen& Pen();
  // Lays out and draws the caption in a solid colour. With nearestLeft >= 0, pieces that reach
  // past the box's right are moved left, but not beyond nearestLeft (KeepInside).
  void Draw(Graphics& graphics, const std::string& text, const RECT& box, UINT format,
            AccessKeyMode keys, ARGB colour, int nearestLeft = -1);

 private:
  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  HFONT own_ = nullptr;     // the control's own
  HFONT handle_ = nullptr;  // the control's (never deleted here) or owned_
  std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> owned_;
  LOGFONTW measured_{};  // handle_'s, as the key of what layout measures
  ControlFont font_;
  std::unique_ptr<TextPen> pen_;  // made on first use after each SetFont
  bool laidOut_ = false;
  std::string text_;
  RECT box_{};
  UINT format_ = 0;
  AccessKeyMode keys_ = AccessKeyMode::None;
  TextLayout layout_;
};

// Adds a caption's fonts to a kept look's key.
inline LookKey& AddFont(LookKey& key, const CaptionText& caption) { return caption.AddTo(key); }

// The DrawText format of a static's text from its style, as the static control draws it:
// alignment (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE, SS_LEFTNOWORDWRAP, WS_EX_RIGHT), tabs,
// SS_CENTERIMAGE, SS_EDITCONTROL and the ellipses.
UINT StaticTextFormat(LONG style, LONG exStyle = 0);

// The DrawText format of a button's caption from its style, as the button control draws it:
// BS_LEFT, BS_RIGHT, BS_CENTER (push buttons centre by default), WS_EX_RIGHT, BS_MULTILINE;
// BS_TOP, BS_BOTTOM and BS_VCENTER come back as DT_TOP, DT_BOTTOM and DT_VCENTER, which place
// the whole block of lines (PlaceCaption), as the button does for several lines.
UINT ButtonTextFormat(LONG style, LONG exStyle = 0);

// Places a laid-out caption in `box` by the vertical part of a ButtonTextFormat: the block of
// its lines at the top, in the middle or at the bottom.
void PlaceCaption(TextLayout& layout, const RECT& box, UINT format);
