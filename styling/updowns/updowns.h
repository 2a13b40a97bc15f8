#pragma once
// Up-down controls of a styled dialog: a translucent panel split into two buttons, each with
// an accent-tinted gradient and an arrow; brighter under the pointer, darker while held.

#include <windows.h>

#include <optional>

// Records every "msctls_updown32" child of the parent in the record's up-down list and
// subclasses it with UpDownWndProc. A control already listed is left alone; nothing happens
// while StylingEnabled is false.
void InstallUpDowns(int styleIndex, HWND parent);

LRESULT CALLBACK UpDownWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The half holding the point (client coordinates in lParam): 0 the first (upper or left),
// 1 the second; 0 for a position outside the list.
int UpDownHalfAt(int styleIndex, int position, LPARAM point);

// Paints the control at once into the DC given, or else through its window DC. What is not given
// comes from the entry; without a point the hot half is the pressed one while held, else the one
// last hovered.
void PaintUpDown(int styleIndex, int position, std::optional<bool> hovered = std::nullopt,
                 std::optional<bool> pressed = std::nullopt,
                 std::optional<LPARAM> point = std::nullopt, HDC dc = nullptr);
