#pragma once
// Entries of the control families whose own code is not built yet: each holds the control and
// the procedure it had before it was subclassed. A family grows its entry when it is built.

#include <windows.h>

struct EditRecord {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct ListEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct TrackBarRecord {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct ProgressRecord {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct ComboRecord {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct UpDownEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};

struct HeaderEntry {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
};
