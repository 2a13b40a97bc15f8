// dialogs.exe: shows the dialog templates of a module nobody here wrote, styled by the engine or
// in the system's own look, so that a styled dialog can be compared with the plain one.
//   dialogs.exe MODULE                  lists the module's dialog templates, one name a line
//   dialogs.exe MODULE NAME [--plain]   shows that template (styled unless --plain) until closed;
//                                       prints "shown HWND" once it is on screen
// A NAME is a number or "#"-less text, as the list prints it. A page template (WS_CHILD) is shown
// as a popup of its own, as a property sheet would frame it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

constexpr UINT_PTR ShownTimer = 1;

BOOL CALLBACK ListTemplate(HMODULE, LPCSTR, LPSTR name, LONG_PTR) {
  if (IS_INTRESOURCE(name)) {
    std::printf("%u\n", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(name)));
  } else {
    std::printf("%s\n", name);
  }
  return TRUE;
}

// The template's bytes, with a page's child style traded for a popup's so it can stand alone.
std::vector<BYTE> LoadTemplate(HMODULE module, const char* name) {
  LPCSTR id = name[0] >= '0' && name[0] <= '9' ? MAKEINTRESOURCEA(std::atoi(name)) : name;
  HRSRC found = FindResourceA(module, id, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!bytes) return {};
  std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, found));
  bool extended = copy.size() >= 16 && copy[2] == 0xFF && copy[3] == 0xFF;
  size_t styleAt = extended ? 12 : 0;
  if (copy.size() < styleAt + 4) return {};
  DWORD style;
  std::memcpy(&style, &copy[styleAt], sizeof style);
  if (style & WS_CHILD) {
    style =
        (style & ~(WS_CHILD | WS_DISABLED)) | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::memcpy(&copy[styleAt], &style, sizeof style);
  }
  return copy;
}

// Ends on any button that would close a dialog and on the close box; reports when shown, after
// the fade-in has had its time.
INT_PTR CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(window, ShownTimer, 900, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wParam == ShownTimer) {
        KillTimer(window, ShownTimer);
        std::printf("shown %lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
        std::fflush(stdout);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(window, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

int ShowTemplate(HMODULE module, const char* name, bool styled) {
  std::vector<BYTE> bytes = LoadTemplate(module, name);
  if (bytes.empty()) {
    std::printf("error no template %s\n", name);
    return 2;
  }
  auto dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
  // The module's own instance, so that the icons and bitmaps its template names are found.
  if (styled) InstallStyleHook();
  INT_PTR result = DialogBoxIndirectParamA(module, dialogTemplate, nullptr, ViewerProc, 0);
  RemoveStyleHook();
  if (result == -1) {
    std::printf("error not made %s (%lu)\n", name, GetLastError());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int count, char** arguments) {
  if (count < 2) {
    std::fprintf(stderr, "usage: dialogs MODULE [NAME [--plain]]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFFFF};
  InitCommonControlsEx(&controls);
  // As a data file: the module's code does not run, only its resources are read.
  HMODULE module = LoadLibraryExA(arguments[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    std::printf("error no module %s (%lu)\n", arguments[1], GetLastError());
    return 2;
  }
  if (count == 2) {
    EnumResourceNamesA(module, MAKEINTRESOURCEA(5), ListTemplate, 0);
    return 0;
  }
  StartStylingEngine();
  bool styled = !(count > 3 && std::strcmp(arguments[3], "--plain") == 0);
  int code = ShowTemplate(module, arguments[2], styled);
  ReleaseAllStyleRecords();
  return code;
}
