#pragma once
// In-process helpers for the styling tests: styled boxes driven from a timer, plain dialog
// windows, a message pump and a GDI handle count that works under Wine.

#include <windows.h>

#include <cstddef>
#include <functional>

// Shows StyledMessageBox and calls `whileShown` once from inside its modal loop, as soon as
// the box has been routed and painted. The box is closed with IDOK afterwards unless the
// callback closed it with CloseBox; after `timeoutMs` it is closed regardless. Returns
// StyledMessageBox's result.
int RunStyledBox(const std::function<void(HWND box)>& whileShown, UINT type = MB_OK,
                 const char* text = "styled box", const char* caption = "caption",
                 int timeoutMs = 5000);

// The same for any dialog: shows the template through StyledDialogBox with the procedure (a
// procedure that ends on IDOK, IDCANCEL and WM_CLOSE when none is given) and calls `whileShown`
// once the dialog has been routed and painted; closes it afterwards unless the callback did.
INT_PTR RunStyledDialog(const DLGTEMPLATE* dialogTemplate,
                        const std::function<void(HWND dialog)>& whileShown,
                        DLGPROC procedure = nullptr, int timeoutMs = 5000);

// The same dialog through DialogBoxIndirectParamA, in the system's own look.
INT_PTR RunPlainDialog(const DLGTEMPLATE* dialogTemplate,
                       const std::function<void(HWND dialog)>& whileShown,
                       DLGPROC procedure = nullptr, int timeoutMs = 5000);

// Presses a button of the box (posted WM_COMMAND) and tells RunStyledBox not to press IDOK.
void CloseBox(HWND box, int id = IDOK);

// The same for a plain MessageBoxExA (no hook): `whileShown` runs once the box is visible.
int RunPlainBox(const std::function<void(HWND box)>& whileShown, const char* text,
                const char* caption);

// Dispatches messages for the time given.
void PumpFor(int milliseconds);
// Pumps until the test holds or the time is up; returns the test's last answer.
bool PumpUntil(const std::function<bool()>& test, int milliseconds);

// A visible top-level window of the dialog class "#32770", as a dialog box would be.
HWND CreateDialogClassWindow(const char* caption, int x, int y, int width, int height);

// How many more GDI objects the process could create now: brushes are made until creation
// fails and are freed again. (GetGuiResources is a stub under Wine.)
int CountFreeGdiSlots();
// The GDI objects that one showing loses with the engine off: the system's own controls may
// lose some (Wine's IP-address control loses a font per instance). A leak test of the engine
// allows for them. Shows the dialog `runs` + 1 times with StylingEnabled false.
int GdiSlotsLostUnstyledPerShowing(const std::function<void()>& show, int runs = 3);

// The process's committed private memory: PrivateUsage where the system fills it in, else
// (Wine leaves it 0) the sum of the committed private regions of the address space.
std::size_t PrivateBytes();

// Whether two regions cover the same pixels (EqualRgn also compares how they are banded).
bool SameArea(HRGN a, HRGN b);

// Wine keeps no UI state: WM_QUERYUISTATE answers 0 (every keyboard cue shown) whatever
// WM_UPDATEUISTATE said. Makes the control answer `state` (UISF_HIDEFOCUS, UISF_HIDEACCEL) as
// Windows does, through a subclass over the engine's; call again to change the answer.
void AnswerUiState(HWND control, LRESULT state);
