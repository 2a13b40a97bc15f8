#pragma once
// Track bars and progress bars of a styled dialog: both are painted whole by the engine on a
// rounded translucent panel over what lies behind them.

#include <windows.h>

// Records every "msctls_trackbar32" child of the parent in the record's track-bar list and
// subclasses it with TrackBarWindowProc. A control already listed is left alone; nothing
// happens while StylingEnabled is false.
void InstallTrackBars(int styleIndex, HWND parentWindow);
// The same for "msctls_progress32" children and ProgressBarWindowProc.
void InstallProgressBars(int styleIndex, HWND parentWindow);

LRESULT CALLBACK TrackBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paint the whole window area of the control at once, into the DC given (its origin at the
// window's) or else its window DC. Nothing happens for a position outside the list.
void PaintTrackBar(int styleIndex, int index, HDC dc = nullptr);
void PaintProgressBar(int styleIndex, int index, HDC dc = nullptr);
