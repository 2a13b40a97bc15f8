#pragma once
// Push buttons of a styled dialog, and the window procedure, hover tracking and repainting
// that push buttons share with check boxes and radio buttons (the look follows the record's
// kind).

#include <windows.h>

#include <string>

#include "styling/records/keyboard_cues.h"

class Graphics;
struct ButtonRecord;
struct TextLayout;
struct StyleRecord;

// Owner-draw state bits a button look reacts to; RepaintButton adds the hover bit.
inline constexpr UINT ButtonSelected = ODS_SELECTED;  // 0x1: held down
inline constexpr UINT ButtonDisabled = ODS_DISABLED;  // 0x4
inline constexpr UINT ButtonFocused = ODS_FOCUS;      // 0x10
inline constexpr UINT ButtonHover = ODS_HOTLIGHT;     // 0x40

// Whether the styled button holds its record's hover slot: it then shows the hover look whoever
// asks it to paint (the system's WM_DRAWITEM carries no hover bit).
bool HoldsHoverSlot(HWND window, const StyleRecord& record);

// Whether a button of this style is one of the push-button types this family takes over
// (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_USERBUTTON, and never one already owner-drawn).
bool IsStylablePushButton(LONG style);

// Records every qualifying "BUTTON" child of the parent in the record's button list, makes it
// owner-drawn and subclasses it with ButtonWindowProc. A button already listed is left alone;
// nothing happens while StylingEnabled is false.
void InstallPushButtons(int styleIndex, HWND parentWindow);

// Records every check box (two- and three-state, automatic or not, BS_PUSHBOX) and radio button
// among the parent's "BUTTON" children and subclasses it with ButtonWindowProc. They stay
// system-drawn: their looks are painted over the system's after every message on which the
// system draws; a push-like one (BS_PUSHLIKE) is shown as a push button, held while checked.
// A button already listed is left alone; nothing happens while StylingEnabled is false.
void InstallCheckBoxesAndRadioButtons(int styleIndex, HWND parentWindow);

LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints a styled button at once in its client rectangle, in the look of its kind, into the
// client-area DC given or else its own; `hover` adds the hover bit to the owner-draw state.
void RepaintButton(HWND window, UINT itemState, bool hover, HDC dc = nullptr);

// The inputs of a button's caption that a paint reads once: the format its style asks for
// (ButtonTextFormat, styling/records/control_text.h), its access-key mode and its colour
// ("Kj_Ztys", or the system's grey text while the button is disabled). A look's key holds all
// three. A caption that lies on the frame itself (check boxes, radio buttons) is drawn with the
// statics' halo, or dark text on the dark frame would not be readable.
struct CaptionLook {
  UINT format = 0;
  AccessKeyMode keys = AccessKeyMode::Hide;
  COLORREF colour = 0;
  bool halo = false;
};
CaptionLook CaptionLookOf(HWND window);

// The caption of a push button, check box or radio button laid out in `box` as its style says
// (kept with the button while the inputs stay), and drawn; with `nearestLeft` >= 0 a line that
// would reach past the box's right edge moves left, but not beyond it.
void PaintButtonCaption(Graphics& graphics, ButtonRecord& button, const RECT& box,
                        const CaptionLook& look, int nearestLeft = -1);

// Draws laid-out caption lines (in the coordinates of `graphics`) in the look's colour, with the
// halo when the look asks for it; `area` is the room the halo may take from the origin.
void DrawCaptionLines(Graphics& graphics, ButtonRecord& button, const TextLayout& lines,
                      const CaptionLook& look, SIZE area, POINT at = {0, 0});

// Paints a push button into targetDC (which stays the caller's) from the owner-draw state and
// item rectangle: background canvas, face, gloss, border, pressed tint and caption, one copy.
void PaintPushButton(HWND window, HDC targetDC, UINT itemState, const RECT& itemRect);
