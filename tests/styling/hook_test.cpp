// The styled message box, the hook and the router, with real message boxes in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/styling/test_support.h"

namespace {

constexpr char BoxText[] = "欢迎使用岚舟YY公会一键下载教程";
constexpr char BoxCaption[] = "岚舟提示";

BYTE LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return 0;
  return alpha;
}

bool IsLayered(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// What the router has done by the time the activation reaches hooks installed before it.
struct ActivationSeen {
  HWND window = nullptr;
  bool layered = false;
  BYTE alpha = 255;
  DWORD flags = 0;
};
ActivationSeen activationSeen;
HHOOK observerHook = nullptr;

LRESULT CALLBACK ObserveActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !activationSeen.window) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (FindStyleRecord(window)) {
      activationSeen.window = window;
      activationSeen.layered = IsLayered(window);
      GetLayeredWindowAttributes(window, nullptr, &activationSeen.alpha, &activationSeen.flags);
    }
  }
  return CallNextHookEx(observerHook, code, wParam, lParam);
}

TEST(StyledMessageBox, IsWiderRoundedAndFadesInFromInvisibleTo240) {
  RECT plain{};
  RunPlainBox([&](HWND box) { GetWindowRect(box, &plain); }, BoxText, BoxCaption);
  ASSERT_GT(plain.right - plain.left, 0);

  activationSeen = {};
  observerHook = SetWindowsHookExA(WH_CBT, ObserveActivation, nullptr, GetCurrentThreadId());
  RECT styled{};
  bool regionMatches = false, cornerCut = true, edgeKept = false;
  BYTE finalAlpha = 0;
  bool stayedBelowFull = true;
  RunStyledBox(
      [&](HWND box) {
        GetWindowRect(box, &styled);
        int w = styled.right - styled.left, h = styled.bottom - styled.top;
        HRGN actual = CreateRectRgn(0, 0, 0, 0);
        HRGN expected = CreateRoundRectRgn(0, 0, w + 1, h + 1, 5, 5);
        if (GetWindowRgn(box, actual) != ERROR) {
          regionMatches = SameArea(actual, expected);
          cornerCut = !PtInRegion(actual, 0, 0) && !PtInRegion(actual, w - 1, h - 1);
          edgeKept = PtInRegion(actual, w / 2, 0) && PtInRegion(actual, 0, h / 2);
        }
        DeleteObject(actual);
        DeleteObject(expected);
        PumpUntil(
            [&] {
              finalAlpha = LayeredAlpha(box);
              if (finalAlpha > FinalAlpha) stayedBelowFull = false;
              return finalAlpha == FinalAlpha;
            },
            2000);
        PumpFor(100);  // the fade has ended: nothing raises it further
        if (LayeredAlpha(box) != FinalAlpha) stayedBelowFull = false;
      },
      MB_OK, BoxText, BoxCaption);
  UnhookWindowsHookEx(observerHook);

  // Six pixels wider and no more: its text takes the system's own room (styled_boxes_test.cpp).
  EXPECT_EQ(styled.right - styled.left, plain.right - plain.left + 6);
  EXPECT_EQ(styled.bottom - styled.top, plain.bottom - plain.top);
  EXPECT_TRUE(regionMatches) << "rounded region with corners of 5";
  EXPECT_TRUE(cornerCut);
  EXPECT_TRUE(edgeKept);
  ASSERT_NE(activationSeen.window, nullptr) << "the box was routed on its activation";
  EXPECT_TRUE(activationSeen.layered);
  EXPECT_EQ(activationSeen.alpha, 0) << "starts invisible";
  EXPECT_TRUE(activationSeen.flags & LWA_ALPHA);
  EXPECT_EQ(finalAlpha, FinalAlpha);
  EXPECT_TRUE(stayedBelowFull);
  EXPECT_EQ(StyleRecordList.Count(), 0) << "the record goes with its window";
}

TEST(StyledMessageBox, ADialogActivatedAgainIsRoutedOnce) {
  HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  int counts[4] = {};
  LONG_PTR procedure = 0;
  RunStyledBox([&](HWND box) {
    counts[0] = StyleRecordList.Count();
    procedure = GetWindowLongPtrA(box, GWLP_WNDPROC);
    StyleHook(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(box), 0);
    counts[1] = StyleRecordList.Count();
    RouteDialog(box);
    counts[2] = StyleRecordList.Count();
    InstallStyleHook();  // a second box's hook: sees this one activated again
    SetActiveWindow(other);
    SetActiveWindow(box);
    PumpFor(50);
    counts[3] = StyleRecordList.Count();
    UnhookWindowsHookEx(StyleHookHandle);
  });
  EXPECT_EQ(counts[0], 1);
  EXPECT_EQ(counts[1], 1);
  EXPECT_EQ(counts[2], 1);
  EXPECT_EQ(counts[3], 1);
  EXPECT_EQ(procedure, reinterpret_cast<LONG_PTR>(FrameWndProc));
  DestroyWindow(other);
}

TEST(StyledMessageBox, WindowsOfOtherClassesAreNeverTakenOver) {
  HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(main, nullptr);
  HWND marked = CreateDialogClassWindow("already styled", 10, 10, 100, 80);
  SetPropA(marked, ProcProperty, reinterpret_cast<HANDLE>(DefWindowProcA));
  InstallStyleHook();
  ShowWindow(main, SW_SHOW);
  SetActiveWindow(main);
  SetActiveWindow(marked);
  StyleHook(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(main), 0);
  StyleHook(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(marked), 0);
  PumpFor(50);
  UnhookWindowsHookEx(StyleHookHandle);
  EXPECT_EQ(StyleRecordList.Count(), 0);
  EXPECT_FALSE(IsLayered(main));
  EXPECT_EQ(GetPropA(main, ProcProperty), nullptr);
  RouteDialog(nullptr);
  EXPECT_EQ(StyleRecordList.Count(), 0);
  DestroyWindow(marked);
  DestroyWindow(main);
  // The main window ends the message loop when it goes; that must not end the next boxes.
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

TEST(StyleHook, OneAtATimeAndNoneLeftByACallThatMadeNoWindow) {
  InstallStyleHook();
  HHOOK first = StyleHookHandle;
  InstallStyleHook();
  EXPECT_FALSE(UnhookWindowsHookEx(first)) << "the older hook was removed";
  RemoveStyleHook();
  // A dialog of a window class that does not exist: no window is made, nothing is activated.
  struct alignas(4) {
    DLGTEMPLATE head{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 100, 50};
    WORD menu = 0;
    wchar_t className[18] = L"NoSuchWindowClass";
    WORD title = 0;
  } missingClass;
  EXPECT_EQ(StyledDialogBox(nullptr, &missingClass.head, nullptr, 0), -1);
  EXPECT_EQ(StyleHookHandle, nullptr);
  bool takenOver = true;
  RunPlainBox([&](HWND box) { takenOver = GetPropA(box, ProcProperty) || FindStyleRecord(box); },
              "plain", "plain");
  EXPECT_FALSE(takenOver) << "the thread's next plain dialog stays plain";
}

DWORD WINAPI HookAndUnhook(LPVOID) {
  InstallStyleHook();
  RemoveStyleHook();
  return 0;
}

// Hooks are thread hooks: another thread's styled call neither removes nor replaces this one's.
TEST(StyleHook, EachThreadKeepsItsOwn) {
  InstallStyleHook();
  HHOOK mine = StyleHookHandle;
  HANDLE other = CreateThread(nullptr, 0, HookAndUnhook, nullptr, 0, nullptr);
  ASSERT_NE(other, nullptr);
  WaitForSingleObject(other, INFINITE);
  CloseHandle(other);
  EXPECT_EQ(StyleHookHandle, mine);
  EXPECT_TRUE(UnhookWindowsHookEx(mine)) << "the other thread removed this thread's hook";
  StyleHookHandle = nullptr;
}

TEST(StyledMessageBox, ReturnsTheButtonIdentifierMinusOne) {
  EXPECT_EQ(RunStyledBox([](HWND box) { CloseBox(box, IDYES); }, MB_YESNO), 5);
  EXPECT_EQ(RunStyledBox([](HWND box) { CloseBox(box, IDNO); }, MB_YESNO), 6);
  EXPECT_EQ(RunStyledBox([](HWND box) { CloseBox(box, IDOK); }, MB_OK), 0);
  EXPECT_EQ(RunStyledBox([](HWND box) { CloseBox(box, IDCANCEL); }, MB_OKCANCEL), 1);
}

TEST(StyledMessageBox, ASecondBoxDuringAFadeIsShownAtOnceAndRenumberedWhenTheFirstGoes) {
  HWND first = nullptr, second = nullptr;
  BYTE secondAlpha = 0;
  bool fadeOfFirst = false, fadeKeptAfterSecondPainted = false;
  int secondIndexBefore = 0, secondIndexAfter = 0, secondPropertyAfter = 0;
  RunStyledBox([&](HWND box) {
    first = box;
    fadeOfFirst = FadeStarted && FadeWindow == first;
    RunStyledBox([&](HWND inner) {
      second = inner;
      secondAlpha = LayeredAlpha(inner);
      fadeKeptAfterSecondPainted = FadeStarted && FadeWindow == first;
      secondIndexBefore = FindStyleRecord(inner);
      DestroyWindow(first);
      secondIndexAfter = FindStyleRecord(inner);
      secondPropertyAfter = static_cast<int>(ReadProperty(inner, EntryIndexProperty));
    });
  });
  EXPECT_TRUE(fadeOfFirst);
  EXPECT_TRUE(fadeKeptAfterSecondPainted);
  EXPECT_EQ(secondAlpha, FinalAlpha) << "a box that gets no fade-in is not left invisible";
  EXPECT_EQ(secondIndexBefore, 2);
  EXPECT_EQ(secondIndexAfter, 1);
  EXPECT_EQ(secondPropertyAfter, 1);
  EXPECT_FALSE(FadeStarted);
  EXPECT_EQ(FadeThread, nullptr);
  EXPECT_EQ(StyleRecordList.Count(), 0);
}

}  // namespace
