#pragma once
// The looks of check boxes and radio buttons, drawn through a DC of the button's own over what
// the system drew. They share the button list, ButtonWindowProc and RepaintButton with push
// buttons.

#include <windows.h>

// Paint the whole client area at once in the look for the state: only ButtonHover counts, and
// ButtonDisabled, which a disabled window gets whoever asks. The check state is the window's.
// Finished looks are kept in the button's look cache, one per state.
void PaintRadioButton(HWND window, UINT itemState, HDC dc = nullptr);
void PaintCheckBox(HWND window, UINT itemState, HDC dc = nullptr);

// Paints a group box: the system's etched border and the caption in the halo look of check-box
// captions, in the control's font, from kept looks of the border's strips and the caption's band;
// what the group box encloses is never painted.
void PaintGroupBox(HWND window, HDC dc = nullptr);
