#include "styling/hook/hook.h"

#include <cstring>

HHOOK StyleHookHandle = nullptr;

int StyledMessageBox(HWND owner, const char* text, UINT type, const char* caption) {
  InstallStyleHook();
  return MessageBoxExA(owner, text, caption, type, 0) - 1;
}

void InstallStyleHook() {
  StyleHookHandle = SetWindowsHookExA(WH_CBT, StyleHook, nullptr, GetCurrentThreadId());
}

LRESULT CALLBACK StyleHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[255] = "";
    GetClassNameA(window, className, sizeof className);
    // The property makes the takeover happen once, however often the dialog is activated.
    if (std::strcmp(className, "#32770") == 0 && !GetPropA(window, "Hw_hProc")) {
      RouteDialog(window);
    }
  }
  return CallNextHookEx(StyleHookHandle, code, wParam, lParam);
}

void RouteDialog(HWND /*window*/) {}
