#include "styling/pages/pages.h"

#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/toolbars/toolbars.h"

namespace {

bool IsChildDialog(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) && ClassNameOf(window) == "#32770";
}

}  // namespace

void InstallChildDialogs(int styleIndex, HWND parent) {
  if (!StylingEnabled || !RecordAt(styleIndex)) return;
  ForEachChildOfClass(parent, "#32770", [](HWND child) { StyleChildDialog(child); });
}

void StyleChildDialog(HWND window) {
  if (!StylingEnabled || !IsChildDialog(window)) return;
  int styleIndex = OwnerStyleIndex(window);
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  bool listed = ListControl(*record, &StyleRecord::containers, window,
                            [styleIndex](ContainerEntry& entry, HWND dialog, int position) {
                              entry.priorProc =
                                  SubclassControl(dialog, styleIndex, position, ChildDialogWndProc);
                            });
  if (listed) InstallChildFamilies(styleIndex, window);
}

void NoteChildCreated(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WM_CREATE) StyleChildDialog(reinterpret_cast<HWND>(lParam));
}

LRESULT CALLBACK ChildDialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!StylingEnabled || !ControlEntry(window, &StyleRecord::containers)) {
    return ForwardMessage(window, message, wParam, lParam);
  }
  auto styleIndex = static_cast<int>(ReadProperty(window, StyleIndexProperty));
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
      // The dialog's own answer first (text colours), then the frame's pattern: also what the
      // dialog erases itself with, or the page would stay in the light face.
      LRESULT answer = ForwardMessage(window, message, wParam, lParam);
      return FramePatternAnswer(styleIndex, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam), answer);
    }
    case WM_ERASEBKGND: {
      // The system's erase of a page may draw a themed tab body without asking for a brush:
      // the page is erased with the one its colour message answers, the frame's pattern.
      auto dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageA(window, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(window)));
      RECT client{};
      GetClientRect(window, &client);
      if (!brush) return ForwardMessage(window, message, wParam, lParam);
      FillRect(dc, &client, brush);
      return 1;
    }
    case WM_INITDIALOG: {
      // Made while the dialog was being created: its controls come now, and more from its own
      // procedure.
      LRESULT result = ForwardMessage(window, message, wParam, lParam);
      InstallChildFamilies(styleIndex, window);
      return result;
    }
    case WM_PARENTNOTIFY:
      NoteChildCreated(wParam, lParam);
      break;
    case WM_DESTROY: {
      LRESULT result = ForwardMessage(window, message, wParam, lParam);
      if (StyleRecord* record = RecordAt(styleIndex)) ForgetEntriesWithin(*record, window);
      return result;
    }
    default:
      break;
  }
  // Owner-drawn items and the rest as every container.
  return ContainerWndProc(window, message, wParam, lParam);
}
