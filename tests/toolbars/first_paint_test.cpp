// A dialog the hook takes over gets no paint in the system's look while it is visible and not
// yet layered (on screen: a light flash before the fade-in): message boxes, styled dialogs and
// the common dialogs alike, however they are shown; and none stays invisible while the styled
// call is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "gallery/common_dialogs.h"
#include "gallery/gallery_table.h"
#include "styling/records/records.h"
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

const std::vector<GalleryControl> OneLabel = {
    {.className = "STATIC", .text = "标签", .place = {10, 10, 80, 12}}};
DialogTemplate small = BuildGalleryTemplate(OneLabel, "shown");

HWND opened = nullptr, modeless = nullptr;
bool modelessSeen = false;

INT_PTR CALLBACK SmallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    if (dialog == modeless)
      DestroyWindow(dialog);
    else
      EndDialog(dialog, IDOK);
  }
  // The modeless one (parameter 1) takes no focus: that would activate it while hidden.
  return (message == WM_INITDIALOG && lParam == 0) || message == WM_COMMAND;
}

// Seen: taken over (the frame fades it in) or in the system's look, not left transparent.
bool Seen(HWND dialog) {
  return IsWindowVisible(dialog) &&
         (FindStyleRecord(dialog) || !(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYERED));
}

// Shows itself by SetWindowPos, which sends no WM_SHOWWINDOW.
INT_PTR CALLBACK ShownByPositionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  }
  return SmallDialogProc(dialog, message, wParam, lParam);
}

// Opens a modeless dialog beside itself, shown without activation.
INT_PTR CALLBACK OpensModelessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    opened = dialog;
    modeless = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), small.Get(), dialog,
                                          SmallDialogProc, 1);
    ShowWindow(modeless, SW_SHOWNA);
    modelessSeen = Seen(modeless);  // before any activation can take it over
  }
  return SmallDialogProc(dialog, message, wParam, lParam);
}

TEST(FirstPaint, NoTakenOverDialogIsPaintedInTheSystemsLookWhileVisible) {
  RegisterGalleryControlClasses();
  static DialogTemplate gallery = BuildGalleryTemplate();
  const struct {
    const char* name;
    std::function<bool()> open;  // whether every dialog it opened was seen while open
  } rows[] = {
      {"message box", [] { return RunStyledBox([](HWND) {}), true; }},
      {"styled dialog",
       [] {
         RunStyledDialog(
             gallery.Get(), [](HWND) {}, GalleryDialogProc);
         return true;
       }},
      {"find", [] { return SoakCommonDialog("find", 0), true; }},
      {"font", [] { return SoakCommonDialog("font", 0), true; }},
      {"shown by SetWindowPos",
       [] {
         bool seen = false;
         RunStyledDialog(
             small.Get(), [&](HWND dialog) { seen = Seen(dialog); }, ShownByPositionProc);
         return seen;
       }},
      {"modeless, shown without activation from WM_INITDIALOG",
       [] {
         bool seen = false;
         RunStyledDialog(
             small.Get(),
             [&](HWND) {
               // Called for whichever is painted first: the dialog's modal loop shows it
               // only once its queue is empty.
               seen = modelessSeen && Seen(modeless);
               CloseBox(opened);
             },
             OpensModelessProc);
         return seen;
       }},
  };
  const DWORD thread = GetCurrentThreadId();
  for (const auto& row : rows) {
    systemLookPaints = 0;
    sentWatch = SetWindowsHookExA(WH_CALLWNDPROC, WatchSent, nullptr, thread);
    postedWatch = SetWindowsHookExA(WH_GETMESSAGE, WatchPosted, nullptr, thread);
    bool seen = row.open();
    UnhookWindowsHookEx(sentWatch);
    UnhookWindowsHookEx(postedWatch);
    EXPECT_EQ(systemLookPaints, 0) << row.name;
    EXPECT_TRUE(seen) << row.name;
  }
}

// A dialog that paints its own background on WM_ERASEBKGND still shows it in the styled frame.
INT_PTR CALLBACK ErasingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    GetClientRect(dialog, &client);
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    FillRect(reinterpret_cast<HDC>(wParam), &client, green);
    DeleteObject(green);
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, IDOK);
  }
  return message == WM_INITDIALOG;
}

TEST(FirstPaint, ADialogsOwnEraseStillShowsOnEveryRepaint) {
  RunStyledDialog(
      small.Get(),
      [](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(dialog, &client);
        HDC dc = GetDC(dialog);
        const COLORREF seen = GetPixel(dc, client.right - 8, client.bottom - 8);
        ReleaseDC(dialog, dc);
        EXPECT_EQ(seen, RGB(0, 128, 0));
      },
      ErasingDialogProc);
}

}  // namespace
