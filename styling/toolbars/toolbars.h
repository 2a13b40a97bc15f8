#pragma once
// Toolbars of a styled dialog, painted whole by the engine (each button a translucent,
// accent-tinted highlight with its icon, greyed when disabled, and its text), and containers:
// toolbars with child windows, whose children are styled with the dialog's record.

#include <windows.h>

#include "styling/records/keyboard_cues.h"

// On a toolbar: its image list. On a container: the nearest ancestor marked "Wxk_Zpf" = 1.
inline constexpr char ToolbarImagesProperty[] = "Kj_wtjb";
inline constexpr char MarkedAncestorProperty[] = "Mb_zpf";
inline constexpr char AncestorMarkProperty[] = "Wxk_Zpf";

// Records and subclasses every "ToolbarWindow32" child of the parent; a toolbar with children
// of its own becomes a container too. A toolbar already listed is left alone. Unlike the
// other families this runs whether or not StylingEnabled is set: toolbars test it when
// painting.
void InstallToolbars(int styleIndex, HWND parent);

struct ToolbarEntry;
// The toolbar's entry while its "Kj_FuID" and "Kj_lbID" still name it, else nullptr.
ToolbarEntry* ToolbarEntryOf(HWND toolbar);

// Records the toolbar in its dialog's record and subclasses it with ToolbarWndProc.
void RegisterToolbar(HWND toolbar);

// Styles the window's children with the router's installers and subclasses it with
// ContainerWndProc. A window already listed as a container is left alone.
void RegisterContainer(HWND window);

LRESULT CALLBACK ToolbarWndProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints every button over the toolbar's background and copies the result once, into the
// client-area DC given or else its own; an unchanged look is copied from the entry's kept looks.
void PaintToolbar(HWND toolbar, HDC dc = nullptr);

// Draws button `index` into the memory DC: background and frame when hot, pressed or checked,
// separator rules, icon (greyed when disabled or indeterminate), drop-down arrow, text, and the
// focus outline when `focused` (the hot button of a toolbar that has the keyboard focus); the
// caption's "&" as `keys` says (the toolbar's, read once a paint).
void PaintToolbarButton(HWND toolbar, int index, HDC memoryDc, bool hot, bool focused,
                        AccessKeyMode keys);

// Draws a grey copy of the icon at (x, y): neutral pixels (black, white, greys) vanish, the
// others become their grey, slightly reddish when the state is TBSTATE_INDETERMINATE.
void DrawGreyedIcon(HDC target, int x, int y, HICON icon, BYTE state);
