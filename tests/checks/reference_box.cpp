// Test driver: a plain system message box of the given type (a number), titled and worded
// "reference", to compare the launcher's boxes with.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const UINT type = __argc > 1 ? static_cast<UINT>(std::strtoul(__argv[1], nullptr, 0)) : 0;
  MessageBoxA(nullptr, "reference", "reference", type);
  return 0;
}
