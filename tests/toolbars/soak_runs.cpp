#include "tests/toolbars/soak_runs.h"

#include <windows.h>

#include <cstdio>

#include "gallery/common_dialogs.h"
#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/styling/test_support.h"

namespace {

HWND lastClosed = nullptr;
DWORD lastCloseTime = 0;

// Closes the newest styled window once it has painted; asks again if it is still there after a
// second (a dialog busy with its first paint may miss the first request).
void CALLBACK CloseWhenPainted(HWND, UINT, UINT_PTR, DWORD) {
  for (int i = StyleRecordList.Count(); i >= 1; --i) {
    const StyleRecord& record = StyleRecordList[i];
    if (!record.frameDC || !IsWindowVisible(record.window)) continue;
    if (record.window == lastClosed && GetTickCount() - lastCloseTime < 1000) return;
    lastClosed = record.window;
    lastCloseTime = GetTickCount();
    PostMessageA(record.window, WM_COMMAND, IDCANCEL, 0);
    return;
  }
}

// Runs `open` with the closing timer running in whatever message loop it enters.
void WithCloser(const std::function<void()>& open) {
  UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseWhenPainted);
  open();
  KillTimer(nullptr, timer);
}

}  // namespace

SoakFigures Soak(const char* what, int count, const std::function<void()>& open) {
  SoakFigures figures;
  figures.what = what;
  figures.count = count;
  open();
  PumpFor(300);  // fade threads and deferred frees run out
  figures.freeGdiBefore = CountFreeGdiSlots();
  figures.privateBefore = static_cast<std::int64_t>(PrivateBytes());
  DWORD start = GetTickCount();
  for (int i = 0; i < count; ++i) open();
  figures.seconds = (GetTickCount() - start) / 1000.0;
  PumpFor(300);
  figures.freeGdiAfter = CountFreeGdiSlots();
  figures.privateAfter = static_cast<std::int64_t>(PrivateBytes());
  return figures;
}

SoakFigures SoakStyledBoxes(int count) {
  return Soak("styled message boxes", count, [] { RunStyledBox([](HWND) {}); });
}

SoakFigures SoakGallery(int count) {
  RegisterGalleryControlClasses();
  static DialogTemplate gallery = BuildGalleryTemplate();
  auto open = [] {
    WithCloser([] { StyledDialogBox(nullptr, gallery.Get(), GalleryDialogProc, 0); });
  };
  SoakFigures figures = Soak("gallery openings", count, open);
  figures.systemLossPerOpening = GdiSlotsLostUnstyledPerShowing(open);
  return figures;
}

SoakFigures SoakCommonDialog(const char* name, int count) {
  return Soak(name, count, [name] { WithCloser([name] { ShowCommonDialog(name); }); });
}

void PrintFigures(const SoakFigures& f) {
  std::printf(
      "%-22s x%-5d free GDI slots %6d -> %6d (%+d)   private bytes %8lld -> %8lld (%+lld KiB)   "
      "%.1f s   (the system's own controls lose %d a time)\n",
      f.what, f.count, f.freeGdiBefore, f.freeGdiAfter, f.freeGdiAfter - f.freeGdiBefore,
      static_cast<long long>(f.privateBefore), static_cast<long long>(f.privateAfter),
      static_cast<long long>((f.privateAfter - f.privateBefore) / 1024), f.seconds,
      f.systemLossPerOpening);
  std::fflush(stdout);
}
