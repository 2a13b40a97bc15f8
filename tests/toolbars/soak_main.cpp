// The soak with its full counts, printing figures: styled message boxes, gallery openings and
// each common dialog opened over and over in one process.
//   soak.exe [BOXES [GALLERIES [EACH-COMMON-DIALOG]]]      (defaults 1000 200 50)
#include <windows.h>

#include <cstdlib>

#include "app/startup.h"
#include "drawing/session_images.h"
#include "gallery/common_dialogs.h"
#include "styling/records/records.h"
#include "tests/toolbars/soak_runs.h"

int main(int argc, char** argv) {
  auto countAt = [&](int i, int fallback) { return argc > i ? std::atoi(argv[i]) : fallback; };
  StartStylingEngine();
  PrintFigures(SoakStyledBoxes(countAt(1, 1000)));
  PrintFigures(SoakGallery(countAt(2, 200)));
  for (const char* name : CommonDialogNames) PrintFigures(SoakCommonDialog(name, countAt(3, 50)));
  ReleaseAllStyleRecords();
  return 0;
}
