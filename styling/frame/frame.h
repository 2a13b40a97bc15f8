#pragma once
// The frame procedure of a styled top-level window: its painted frame and caption, the close
// button, dragging by the caption band, the fade-in and the focus animation.

#include <windows.h>

#include <string>

#include "drawing/drawing_object.h"

class Graphics;

// Set while a fade-in thread has been started and its window is not yet destroyed.
extern bool FadeStarted;
extern HANDLE FadeThread;  // the last fade-in thread
extern HWND FadeWindow;    // the window that thread fades

// The opacity a styled window ends at: 240 of 255.
inline constexpr BYTE FinalAlpha = 240;

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints the record's frame bitmap and copies it to the window (children left out), or into
// the DC given, its origin at the window's.
void PaintFrame(HWND window, HDC dc = nullptr);

// Draws caption button `button` of the record. Within a full paint (alone false) only its
// image is drawn with `graphics` over the freshly painted body; drawn alone, it paints its own
// background (hover or normal) into the frame bitmap and copies its bounds to the window.
void PaintCaptionButton(int styleIndex, int button, Graphics* graphics, bool alone, bool hover);

// Non-client hit-testing: HTCLOSE over the close button, HTCAPTION in the top 25 pixels,
// HTCLIENT below. lParam holds screen coordinates.
LRESULT FrameHitTest(HWND window, LPARAM lParam);

// Fade-in thread procedure: raises the window's layered alpha to 240 in ten steps.
DWORD WINAPI FadeIn(LPVOID window);

// The shrink-and-grow animation played when the window receives the focus.
void FocusAnimation(HWND window);

// Draws text with a blurred glow; colours are GDI colours. The defaults are family "宋体",
// style 0 and size 13.
void DrawGlowText(Graphics& target, const char* text, const RectF& layout, COLORREF textColour,
                  COLORREF glowColour, int scale, const char* family, int style, float size,
                  int horizontalAlign, int verticalAlign);

// GetWindowDC with every visible direct child cut out; release it with ReleaseDC.
HDC WindowDcWithoutChildren(HWND window);

// UpdateLayeredWindow from the source DC (the record's frameDC when null) at the position and
// size (the window's own when null), with per-pixel alpha scaled by `alpha`.
BOOL PresentLayered(HWND window, const POINT* position, const SIZE* size, POINT source, BYTE alpha,
                    HDC sourceDc);

// The answer to WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORDLG inside the styled window
// `styleIndex` (its own, or a child dialog's within it), given the asking control and the
// answer of the window's own procedure. That answer is the light face colour: an image static
// without an image, a group box or a dialog's own erase would fill their part with it over the
// dark frame. The answer instead is a pattern brush of the frame bitmap, its origin set on the
// asking DC so that each pixel it fills gets the frame's pixel behind it: whatever a control's
// own procedure fills shows the frame. The control's own procedure draws in the window's client
// coordinates (or in a canvas of them).
LRESULT FramePatternAnswer(int styleIndex, HDC dc, HWND asking, LRESULT answer);

// Owner-drawn items of a styled window or container: only buttons are drawn, push buttons by
// their painter; check boxes and radio buttons paint themselves.
void RouteOwnerDrawnItem(int styleIndex, const DRAWITEMSTRUCT& item);
