// Shows one styled message box for the end-to-end tests and writes what StyledMessageBox
// returned into a file, so that a test can press the box's buttons with the real mouse.
//   bs_box_driver.exe TYPE RESULT-FILE [TEXT [CAPTION]]   (TYPE: MB_ flags, decimal or 0x hex)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  auto type = static_cast<UINT>(std::strtoul(__argv[1], nullptr, 0));
  const char* resultFile = __argv[2];
  const char* text = __argc > 3 ? __argv[3] : "styled box";
  const char* caption = __argc > 4 ? __argv[4] : "styled caption";

  CreateStyleLists();
  StartGdiplus();
  ApplicationIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  int result = StyledMessageBox(nullptr, text, type, caption);
  ReleaseAllStyleRecords();

  FILE* out = std::fopen(resultFile, "w");
  if (!out) return 3;
  std::fprintf(out, "%d\n", result);
  std::fclose(out);
  return 0;
}
