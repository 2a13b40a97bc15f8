// Entry point of gallery.exe: the gallery dialog, styled by the engine as the launcher's message
// boxes are.
#include <windows.h>

#include "app/startup.h"
#include "drawing/session_images.h"
#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CreateStyleLists();
  StartGdiplus();
  ApplicationIcon = LoadApplicationIcon(instance);
  SetStylingGlobals();
  RegisterGalleryControlClasses();
  DialogTemplate dialog = BuildGalleryTemplate();
  INT_PTR result = StyledDialogBox(nullptr, dialog.Get(), GalleryDialogProc, 0);
  ReleaseAllStyleRecords();
  return result == -1 ? 1 : 0;
}
