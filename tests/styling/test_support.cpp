#include "tests/styling/test_support.h"

#include <psapi.h>

#include <vector>

#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

// Every painter needs the GDI+ session; the program opens it at start, the tests here.
const bool gdiplusOpen = (StartGdiplus(), true);

struct BoxRun {
  std::function<void(HWND)> whileShown;
  std::function<HWND()> findBox;
  DWORD deadline = 0;
  bool done = false;
  bool closedByTest = false;
  HWND box = nullptr;
};
BoxRun* currentRun = nullptr;

// The newest styled window once it has been painted.
HWND PaintedStyledBox() {
  for (int i = StyleRecordList.Count(); i >= 1; --i) {
    if (StyleRecordList[i].frameDC && IsWindowVisible(StyleRecordList[i].window)) {
      return StyleRecordList[i].window;
    }
  }
  return nullptr;
}

BOOL CALLBACK NoteVisibleDialog(HWND window, LPARAM out) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleThreadDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), NoteVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK OnRunTimer(HWND, UINT, UINT_PTR, DWORD) {
  BoxRun* run = currentRun;
  if (!run) return;
  if (!run->done) {
    if (HWND box = run->findBox()) {
      run->done = true;
      run->box = box;
      run->whileShown(box);
      if (!run->closedByTest && IsWindow(box)) PostMessageA(box, WM_COMMAND, IDOK, 0);
      return;
    }
  }
  if (GetTickCount() > run->deadline) {
    if (HWND box = run->box ? run->box : VisibleThreadDialog()) {
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      PostMessageA(box, WM_CLOSE, 0, 0);
    }
  }
}

int RunBox(BoxRun& run, const std::function<int()>& show, int timeoutMs) {
  BoxRun* outer = currentRun;
  currentRun = &run;
  run.deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
  UINT_PTR timer = SetTimer(nullptr, 0, 10, OnRunTimer);
  int result = show();
  KillTimer(nullptr, timer);
  currentRun = outer;
  return result;
}

}  // namespace

void CloseBox(HWND box, int id) {
  if (currentRun) currentRun->closedByTest = true;
  PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

int RunStyledBox(const std::function<void(HWND)>& whileShown, UINT type, const char* text,
                 const char* caption, int timeoutMs) {
  BoxRun run;
  run.whileShown = whileShown;
  run.findBox = PaintedStyledBox;
  return RunBox(
      run, [&] { return StyledMessageBox(nullptr, text, type, caption); }, timeoutMs);
}

namespace {

INT_PTR CALLBACK EndingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if ((message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) ||
      message == WM_CLOSE) {
    EndDialog(dialog, message == WM_CLOSE ? IDCANCEL : LOWORD(wParam));
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

}  // namespace

INT_PTR RunStyledDialog(const DLGTEMPLATE* dialogTemplate,
                        const std::function<void(HWND)>& whileShown, DLGPROC procedure,
                        int timeoutMs) {
  BoxRun run;
  run.whileShown = whileShown;
  run.findBox = PaintedStyledBox;
  INT_PTR result = -1;
  RunBox(
      run,
      [&] {
        result =
            StyledDialogBox(nullptr, dialogTemplate, procedure ? procedure : EndingDialogProc, 0);
        return 0;
      },
      timeoutMs);
  return result;
}

INT_PTR RunPlainDialog(const DLGTEMPLATE* dialogTemplate,
                       const std::function<void(HWND)>& whileShown, DLGPROC procedure,
                       int timeoutMs) {
  BoxRun run;
  run.whileShown = whileShown;
  run.findBox = VisibleThreadDialog;
  INT_PTR result = -1;
  RunBox(
      run,
      [&] {
        result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, nullptr,
                                         procedure ? procedure : EndingDialogProc, 0);
        return 0;
      },
      timeoutMs);
  return result;
}

int RunPlainBox(const std::function<void(HWND)>& whileShown, const char* text,
                const char* caption) {
  BoxRun run;
  run.whileShown = whileShown;
  run.findBox = VisibleThreadDialog;
  return RunBox(
      run, [&] { return MessageBoxExA(nullptr, text, caption, MB_OK, 0); }, 5000);
}

void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& test, int milliseconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  bool held = test();
  while (!held && GetTickCount() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
    held = test();
  }
  return held;
}

HWND CreateDialogClassWindow(const char* caption, int x, int y, int width, int height) {
  HWND window =
      CreateWindowExA(0, "#32770", caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, width, height,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return window;
}

int CountFreeGdiSlots() {
  std::vector<HBRUSH> brushes;
  brushes.reserve(70000);
  while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) {
    brushes.push_back(brush);
    if (brushes.size() > 200000) break;  // no table is this large: stop rather than spin
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return static_cast<int>(brushes.size());
}

int GdiSlotsLostUnstyledPerShowing(const std::function<void()>& show, int runs) {
  StylingEnabled = false;
  show();  // the system's own looks make their process-wide objects first
  int before = CountFreeGdiSlots();
  for (int run = 0; run < runs; ++run) show();
  int lost = before - CountFreeGdiSlots();
  StylingEnabled = true;
  return lost / runs;
}

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters) &&
      counters.PrivateUsage != 0) {
    return counters.PrivateUsage;
  }
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* at = static_cast<char*>(nullptr);
       VirtualQuery(at, &region, sizeof region) == sizeof region; at += region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

bool SameArea(HRGN a, HRGN b) {
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  int kind = CombineRgn(difference, a, b, RGN_XOR);
  DeleteObject(difference);
  return kind == NULLREGION;
}

namespace {

constexpr char UiStateProcProperty[] = "test_uistate_proc";
constexpr char UiStateProperty[] = "test_uistate";

LRESULT CALLBACK UiStateAnswerer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYUISTATE) {
    return reinterpret_cast<LRESULT>(GetPropA(window, UiStateProperty));
  }
  auto prior = reinterpret_cast<WNDPROC>(GetPropA(window, UiStateProcProperty));
  return CallWindowProcA(prior, window, message, wParam, lParam);
}

}  // namespace

void AnswerUiState(HWND control, LRESULT state) {
  SetPropA(control, UiStateProperty, reinterpret_cast<HANDLE>(state));
  if (GetPropA(control, UiStateProcProperty)) return;
  LONG_PTR prior =
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UiStateAnswerer));
  SetPropA(control, UiStateProcProperty, reinterpret_cast<HANDLE>(prior));
}
