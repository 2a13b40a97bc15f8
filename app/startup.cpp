#include "app/startup.h"

#include <cstdlib>

#include "app/checks.h"
#include "app/main_window.h"
#include "app/skins.h"
#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

// Run when the process ends normally: frees what the process-wide lists still own.
void ExitCleanUp() {
  FreeRemoteVersionText();
  ReleaseAllStyleRecords();
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

HICON LoadApplicationIcon(HINSTANCE module) {
  HICON icon = LoadIconA(module, MAKEINTRESOURCEA(129));
  if (!icon) icon = LoadIconA(module, "DEFAULT_ICON");
  return icon;
}

void SetStylingGlobals() {
  StylingEnabled = true;
  AccentColour = RGB(34, 202, 221);
  TrackBarOption = true;
  ListOption = true;
}

void StartStylingEngine() {
  CreateStyleLists();
  StartGdiplus();
  ApplicationIcon = LoadApplicationIcon(GetModuleHandleA(nullptr));
  SetStylingGlobals();
}

bool RunStartupWork(HWND mainWindow) {
  // Skin, channel presence check, welcome message and update check run here, in that order,
  // each after the previous one returned.
  ApplySkin(6);
  CheckChannelPresence("52804117", "");
  StyledMessageBox(mainWindow, "欢迎使用岚舟YY公会一键下载教程", MB_OK, "岚舟提示");
  return CheckForUpdate();
}

int RunLauncher(HINSTANCE instance) {
  StartStylingEngine();
  std::atexit(ExitCleanUp);

  HWND mainWindow = CreateMainWindow(instance);
  if (!mainWindow) return 1;
  // A window that the start-up work has asked to close is not shown for the moment until the
  // message loop handles that request.
  if (RunStartupWork(mainWindow) && IsWindow(mainWindow)) {
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    UpdateWindow(mainWindow);
  }
  return RunMessageLoop();
}
