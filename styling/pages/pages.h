#pragma once
// Child dialogs inside a styled window: property pages, the tab pages a program makes itself
// with CreateDialog, and dialogs nested in those. Each is a container of its styled window: the
// frame behind it is its background (its own erase and its controls' colour messages get the
// frame's pattern, seamless with the parent), its controls are styled by the router's
// installers, and it gets no frame, caption, region or fade of its own. Most are made after the
// style hook is gone (a sheet makes a page when its tab is first selected), so a styled window,
// its child dialogs and its tab controls learn of new ones from WM_PARENTNOTIFY.

#include <windows.h>

// Styles every child dialog (class "#32770" with WS_CHILD) among the parent's direct children.
// Nothing happens while StylingEnabled is false.
void InstallChildDialogs(int styleIndex, HWND parent);

// Styles the window when it is a child dialog inside a styled window and not styled yet: its
// controls now, and those its WM_INITDIALOG makes once that has run.
void StyleChildDialog(HWND window);

// WM_PARENTNOTIFY seen by a styled window, a child dialog or a tab control: a child dialog just
// made is styled.
void NoteChildCreated(WPARAM wParam, LPARAM lParam);

// The procedure of a styled child dialog. On its WM_DESTROY its entry and those of every
// control within it are given up (ForgetEntriesWithin).
LRESULT CALLBACK ChildDialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
