#pragma once
// The system's common dialogs (comdlg32), shown through the style hook: dialogs the engine was
// not written for, each a "#32770" window full of the control families it styles.

#include <windows.h>

#include <string>

// The names gallery.exe takes for them.
inline constexpr const char* CommonDialogNames[] = {"open", "save",    "font",  "colour",
                                                    "find", "replace", "print", "pagesetup"};

struct CommonDialogOutcome {
  bool known = false;     // the name is one of CommonDialogNames
  bool accepted = false;  // closed with OK (find and replace: a search was asked for)
  DWORD error = 0;        // CommDlgExtendedError when the dialog could not be shown
  std::string detail;     // what was chosen: a path, a font, a colour, a found word
};

bool IsCommonDialogName(const char* name);

// Shows the named dialog after InstallStyleHook and waits until it is closed. Find and replace
// are modeless: a message loop with IsDialogMessage runs until the dialog ends. The
// search runs over a short sample text; `detail` tells what the last search found.
// withStyle false shows the system's own look, to compare with.
CommonDialogOutcome ShowCommonDialog(const char* name, bool withStyle = true);

// The sample text find and replace search.
inline constexpr char CommonDialogSampleText[] = "the quick brown fox jumps over the lazy dog";
