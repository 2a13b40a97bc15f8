// Entry point of gallery.exe: the gallery dialog, styled by the engine as the launcher's message
// boxes are.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/startup.h"
#include "drawing/session_images.h"
#include "gallery/common_dialogs.h"
#include "gallery/gallery_sheet.h"
#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

// Shows the dialog and writes its outcome to the file when one is named: "accepted=", "error="
// and "detail=" lines. Exit code 0 when accepted, 1 when cancelled or failed, 2 for an unknown
// name.
int RunCommonDialog(int count, char** arguments) {
  bool plain = count > 1 && std::strcmp(arguments[1], "--plain") == 0;
  const char* name = count > 1 + plain ? arguments[1 + plain] : nullptr;
  const char* resultFile = count > 2 + plain ? arguments[2 + plain] : nullptr;
  if (IsGallerySheetName(name)) {
    int closed = ShowGallerySheet(name, !plain);
    ReleaseAllStyleRecords();
    return closed;
  }
  if (!IsCommonDialogName(name)) return 2;
  CommonDialogOutcome outcome = ShowCommonDialog(name, !plain);
  ReleaseAllStyleRecords();
  if (resultFile) {
    if (FILE* out = std::fopen(resultFile, "w")) {
      std::fprintf(out, "accepted=%d\nerror=0x%lX\ndetail=%s\n", outcome.accepted ? 1 : 0,
                   outcome.error, outcome.detail.c_str());
      std::fclose(out);
    }
  }
  return outcome.accepted ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartStylingEngine();
  RegisterGalleryControlClasses();
  // gallery.exe --plain: the gallery in the system's own look, to compare.
  const bool plainGallery = __argc == 2 && std::strcmp(__argv[1], "--plain") == 0;
  // gallery.exe [--plain] NAME [RESULT-FILE]: one of the system's common dialogs instead, styled
  // or (--plain) in the system's own look.
  if (__argc > 1 && !plainGallery) return RunCommonDialog(__argc, __argv);
  DialogTemplate dialog = BuildGalleryTemplate();
  INT_PTR result = plainGallery ? DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(),
                                                          nullptr, GalleryDialogProc, 0)
                                : StyledDialogBox(nullptr, dialog.Get(), GalleryDialogProc, 0);
  ReleaseAllStyleRecords();
  return result == -1 ? 1 : 0;
}
