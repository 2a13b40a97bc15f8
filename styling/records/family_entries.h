#pragma once
// Entries of the control families whose own code is not built yet: each holds the control and
// the procedure it had before it was subclassed. A family grows its entry when it is built.

#include <windows.h>

struct ListEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct ToolbarEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

// A window with children of its own whose children are styled like a dialog's.
struct ContainerEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};
