#pragma once
// Combo boxes of a styled dialog, painted whole by the engine: a white face, a thin border that
// turns to the accent colour under the pointer or with the focus, a rounded drop button and,
// for drop-down lists, the selected text; an owner-drawn drop-down list's owner draws the
// selected item itself, over the engine's face (WM_DRAWITEM with ODS_COMBOBOXEDIT). The combo
// box's own children (its edit field, the list of a simple combo box) paint themselves.

#include <windows.h>

#include <optional>

// Records every "ComboBox" child of the parent, and the one within each "ComboBoxEx32" child,
// in the record's combo list and subclasses it with ComboWindowProc. One already listed is left
// alone; nothing happens while StylingEnabled is false. InstallEditControls runs it after the
// edits.
void InstallComboBoxes(int styleIndex, HWND parentWindow);

LRESULT CALLBACK ComboWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the combo box holds an edit field of its own (an editable one, or the drop-down list
// of an extended combo box with the edit that box made inside it).
bool HoldsEditField(HWND combo);

// Paints combo `comboIndex` of record `styleIndex` at once, over its whole window but its
// children, into the DC given (its origin at the window's) or else its window DC; a state not
// given is taken from the record. False when there is no such combo box or no styled owner to
// take a background from.
bool PaintComboBox(int styleIndex, int comboIndex, std::optional<bool> hover = {},
                   std::optional<bool> focused = {}, HDC dc = nullptr);
