// Stand-in for the voice-chat client: shows one top-level window whose title and visibility
// come from the command line. Copied by the tests to the executable name they need (YY.exe,
// yy.EXE, other.exe).
//   yy_client [--hidden] [--hung] TITLE...
// --hung stops serving messages once the window exists, like a hung program.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK ClientWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  bool hidden = false, hung = false;
  std::string title;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--hidden") == 0) {
      hidden = true;
    } else if (std::strcmp(__argv[i], "--hung") == 0) {
      hung = true;
    } else {
      if (!title.empty()) title += ' ';
      title += __argv[i];
    }
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = ClientWndProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "StandInVoiceClient";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 600, 400,
                                300, 120, nullptr, nullptr, instance, nullptr);
  if (!hidden) ShowWindow(window, SW_SHOWNOACTIVATE);
  if (hung) {
    for (;;) Sleep(INFINITE);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
