// Finds the windows to skin: the present ones of the calling thread, and through a thread
// CBT hook every one created later. Dialog windows ("#32770") and everything inside them
// belong to the program's own styling engine and are never touched.
#include <windows.h>

#include <commctrl.h>

#include "skinlib/skin_windows.h"
#include "skinlib/theme.h"

namespace skin {

namespace {

constexpr int kMaxHookedThreads = 16;

struct ThreadHook {
  DWORD thread;
  HHOOK hook;
};

ThreadHook hooks[kMaxHookedThreads];
int hookCount = 0;

HHOOK HookOfThisThread() {
  const DWORD thread = GetCurrentThreadId();
  for (int i = 0; i < hookCount; ++i) {
    if (hooks[i].thread == thread) return hooks[i].hook;
  }
  return nullptr;
}

bool ClassIs(HWND window, const wchar_t* name) {
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  return lstrcmpiW(cls, name) == 0;
}

bool IsDialogClass(HWND window) { return ClassIs(window, L"#32770"); }

// Top-level windows that get the skin's frame.
bool QualifiesAsFrame(HWND window, LONG style) {
  if (style & WS_CHILD) return false;
  // Overlapped windows always get a caption; popups only when they ask for one. Windows
  // without one (menus, tooltips, drop-downs, splash screens) keep their own look.
  if ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION) return false;
  wchar_t cls[64] = L"";
  if (!GetClassNameW(window, cls, 64)) return false;
  // "#32770" is the styling engine's; the other "#" classes are the system's own.
  return cls[0] != L'#';
}

// The kind of child to skin inside a skinned frame: 1 tab control, 2 push button, 0 none.
int ChildKind(HWND window, LONG style) {
  if (ClassIs(window, WC_TABCONTROLW)) return (style & TCS_BUTTONS) ? 0 : 1;
  if (ClassIs(window, L"Button")) {
    const LONG type = style & BS_TYPEMASK;
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    return push && !(style & (BS_BITMAP | BS_ICON)) ? 2 : 0;
  }
  return 0;
}

// True when no window from `window` up to its top-level window is a dialog, and that
// top-level window is skinned.
bool InsideSkinnedFrame(HWND window) {
  for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
    if (IsDialogClass(w)) return false;
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) return IsSkinnedFrame(w);
  }
  return false;
}

void SkinChild(HWND window, LONG style) {
  switch (ChildKind(window, style)) {
    case 1:
      SkinTabControl(window);
      break;
    case 2:
      SkinPushButton(window);
      break;
  }
}

// Creation hook: a top-level window is subclassed before its first message, a child as soon
// as it is known to sit in a skinned window.
LRESULT CALLBACK CatchNewWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && CurrentTheme()) {
    HWND window = reinterpret_cast<HWND>(wParam);
    const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (create->style & WS_CHILD) {
      if (InsideSkinnedFrame(create->hwndParent)) SkinChild(window, create->style);
    } else if (create->hwndParent != HWND_MESSAGE && QualifiesAsFrame(window, create->style)) {
      SkinFrame(window);
    }
  }
  return CallNextHookEx(HookOfThisThread(), code, wParam, lParam);
}

BOOL CALLBACK SkinChildWindow(HWND window, LPARAM) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (ChildKind(window, style) && InsideSkinnedFrame(GetAncestor(window, GA_PARENT))) {
    SkinChild(window, style);
  }
  return TRUE;
}

BOOL CALLBACK SkinTopLevelWindow(HWND window, LPARAM) {
  if (!IsSkinnedFrame(window)) {
    if (!QualifiesAsFrame(window, GetWindowLongW(window, GWL_STYLE)) || !SkinFrame(window)) {
      return TRUE;
    }
  }
  EnumChildWindows(window, SkinChildWindow, 0);
  RefreshFrame(window);
  return TRUE;
}

}  // namespace

void SkinThreadWindows() { EnumThreadWindows(GetCurrentThreadId(), SkinTopLevelWindow, 0); }

bool CatchFutureWindows() {
  if (HookOfThisThread()) return true;
  if (hookCount == kMaxHookedThreads) return false;
  HHOOK hook = SetWindowsHookExW(WH_CBT, CatchNewWindows, nullptr, GetCurrentThreadId());
  if (!hook) return false;
  hooks[hookCount++] = {GetCurrentThreadId(), hook};
  return true;
}

}  // namespace skin
