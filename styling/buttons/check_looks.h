#pragma once
// The looks of check boxes and radio buttons, drawn through a DC of the button's own. They
// share the button list, ButtonWindowProc and RepaintButton with push buttons.

#include <windows.h>

void PaintRadioButton(HWND window, UINT itemState);
void PaintCheckBox(HWND window, UINT itemState);
