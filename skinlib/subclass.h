#pragma once
// What every kind of skinned window does alike with its comctl32 subclass: attaching its state,
// finding it again, freeing it with the window, and answering the paint messages through the
// kind's one paint function.

#include <windows.h>

#include <commctrl.h>

#include "skinlib/gdi.h"
#include "skinlib/skin_windows.h"

namespace skin {

// The state the window was subclassed with by `proc`; nullptr when it is not of that kind.
template <class T>
T* SubclassStateOf(HWND window, SUBCLASSPROC proc) {
  DWORD_PTR data = 0;
  if (!window || !GetWindowSubclass(window, proc, kSubclassId, &data)) return nullptr;
  return reinterpret_cast<T*>(data);
}

// Subclasses the window with a new zeroed state; nullptr, with nothing left behind, on failure.
template <class T>
T* AttachState(HWND window, SUBCLASSPROC proc) {
  T* state = NewState<T>();
  if (!state) return nullptr;
  if (!SetWindowSubclass(window, proc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    DeleteState(state);
    return nullptr;
  }
  return state;
}

// WM_NCDESTROY: the subclass goes with the window, and its state once the rest of the chain ran.
template <class T>
LRESULT EndSubclass(HWND window, SUBCLASSPROC proc, T* state, UINT message, WPARAM wParam,
                    LPARAM lParam) {
  RemoveWindowSubclass(window, proc, kSubclassId);
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  DeleteState(state);
  return result;
}

// WM_PAINT (into the DC that wParam may carry) and WM_PRINTCLIENT: paint(dc) draws the window.
template <class Paint>
LRESULT PaintThrough(HWND window, UINT message, WPARAM wParam, Paint&& paint) {
  if (message == WM_PAINT && !wParam) {
    PaintScope scope(window);
    paint(scope.get());
  } else {
    paint(reinterpret_cast<HDC>(wParam));
  }
  return 0;
}

}  // namespace skin
