// A dialog the hook takes over gets no paint in the system's look while it is visible and not
// yet layered (on screen: a light flash before the fade-in): message boxes, styled dialogs and
// the common dialogs alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "gallery/common_dialogs.h"
#include "gallery/gallery_table.h"
#include "tests/styling/test_support.h"
#include "tests/toolbars/soak_runs.h"

namespace {

int systemLookPaints = 0;
HHOOK sentWatch = nullptr, postedWatch = nullptr;

// A paint message for a top-level dialog, or a control in one, that shows unlayered.
void CountIfSystemLook(HWND target, UINT message) {
  if (message != WM_NCPAINT && message != WM_ERASEBKGND && message != WM_PAINT) return;
  HWND root = GetAncestor(target, GA_ROOT);
  char className[16] = "";
  GetClassNameA(root, className, sizeof className);
  if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(root) &&
      !(GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_LAYERED)) {
    ++systemLookPaints;
  }
}

LRESULT CALLBACK WatchSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION) CountIfSystemLook(sent->hwnd, sent->message);
  return CallNextHookEx(sentWatch, code, wParam, lParam);
}

LRESULT CALLBACK WatchPosted(int code, WPARAM wParam, LPARAM lParam) {
  const auto* posted = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE) CountIfSystemLook(posted->hwnd, posted->message);
  return CallNextHookEx(postedWatch, code, wParam, lParam);
}

TEST(FirstPaint, NoTakenOverDialogIsPaintedInTheSystemsLookWhileVisible) {
  RegisterGalleryControlClasses();
  static DialogTemplate gallery = BuildGalleryTemplate();
  const struct {
    const char* name;
    std::function<void()> open;
  } rows[] = {
      {"message box", [] { RunStyledBox([](HWND) {}); }},
      {"styled dialog",
       [] {
         RunStyledDialog(
             gallery.Get(), [](HWND) {}, GalleryDialogProc);
       }},
      {"find", [] { SoakCommonDialog("find", 0); }},
      {"font", [] { SoakCommonDialog("font", 0); }},
  };
  const DWORD thread = GetCurrentThreadId();
  for (const auto& row : rows) {
    systemLookPaints = 0;
    sentWatch = SetWindowsHookExA(WH_CALLWNDPROC, WatchSent, nullptr, thread);
    postedWatch = SetWindowsHookExA(WH_GETMESSAGE, WatchPosted, nullptr, thread);
    row.open();
    UnhookWindowsHookEx(sentWatch);
    UnhookWindowsHookEx(postedWatch);
    EXPECT_EQ(systemLookPaints, 0) << row.name;
  }
}

}  // namespace
