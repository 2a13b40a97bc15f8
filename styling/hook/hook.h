#pragma once
// The styling hook, the styled message box and the router that takes a dialog over.

#include <windows.h>
#include <prsht.h>

// The handle of the calling thread's installed style hook; 0 when none is installed.
extern thread_local HHOOK StyleHookHandle;

// A system message box whose dialog the hook takes over (the hook is gone when it returns); returns
// the pressed button's identifier minus 1 (IDOK gives 0, IDYES 5, IDNO 6; a failed box gives -1).
int StyledMessageBox(HWND owner, const char* text, UINT type, const char* caption);

// Any dialog the engine takes over: installs the style hook, then runs DialogBoxIndirectParamA
// with the in-memory template, the dialog procedure and its parameter, and returns its result
// (-1 when the dialog could not be made).
INT_PTR StyledDialogBox(HWND owner, const DLGTEMPLATE* dialogTemplate, DLGPROC dialogProc,
                        LPARAM parameter);

// A property sheet or wizard the engine takes over, pages included: installs the style hook,
// then runs PropertySheetA with the header and returns its result (for PSH_MODELESS the sheet's
// window; -1 for a missing header).
INT_PTR StyledPropertySheet(const PROPSHEETHEADERA* header);

// Installs the thread CBT hook, removing the one installed before: one hook at a time.
void InstallStyleHook();
// Removes the installed style hook, if any.
void RemoveStyleHook();

// The CBT hook procedure: hands newly activated "#32770" dialogs to RouteDialog.
LRESULT CALLBACK StyleHook(int code, WPARAM wParam, LPARAM lParam);

// Takes a dialog window over: style record, rounded layered frame, styled children, and the
// frame procedure. A window that already has a record is left alone.
void RouteDialog(HWND window);

// The router's installers, in its order, over the parent's direct children; containers (a
// toolbar's children) are styled by the same list.
void InstallChildFamilies(int styleIndex, HWND parent);

// Adds WS_EX_LAYERED, and WS_EX_TRANSPARENT when asked, to the extended style.
void MakeLayered(HWND window, bool mouseTransparent);

// Places the record's caption buttons at the top-right corner of its window.
void LayoutCaptionButtons(int styleIndex);

// The window's rounded region (corners 5 x 5) for its current size; the window owns it.
void ApplyRoundedRegion(HWND window);
