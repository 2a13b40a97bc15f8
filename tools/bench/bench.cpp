// Paint-speed benchmark: styled windows against plain ones, side by side in one process, timed
// with QueryPerformanceCounter around synchronous repaints; medians over many repetitions with
// the two sides alternating. Prints a table with the goals; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "tests/styling/test_support.h"
#include "tools/bench/bench.h"

namespace {

constexpr char WelcomeText[] = "欢迎使用岚舟YY公会一键下载教程";
constexpr char WelcomeCaption[] = "岚舟提示";
constexpr UINT FullRepaint =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

// Boxes are owned by this hidden window: their modal loops tell it when they are idle.
struct OpenBox {
  std::function<void(HWND)> whileShown;
  HWND dialog = nullptr;
  bool ran = false;
};
std::vector<OpenBox*> openBoxes;  // innermost last

bool PaintPending() { return HIWORD(GetQueueStatus(QS_PAINT)) != 0; }

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && !openBoxes.empty()) {
    OpenBox* box = openBoxes.back();
    auto dialog = reinterpret_cast<HWND>(lParam);
    // The first idle moment with no paint left is the end of the box's first complete paint.
    if (!box->ran && (!box->dialog || box->dialog == dialog) && IsWindowVisible(dialog) &&
        !PaintPending()) {
      box->ran = true;
      box->dialog = dialog;
      box->whileShown(dialog);
      if (IsWindow(dialog)) EndDialog(dialog, IDOK);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateOwner() {
  WNDCLASSA type{};
  type.lpfnWndProc = OwnerProc;
  type.hInstance = GetModuleHandleA(nullptr);
  type.lpszClassName = "LanzhouBenchOwner";
  RegisterClassA(&type);
  return CreateWindowExA(WS_EX_TOOLWINDOW, type.lpszClassName, "bench", WS_POPUP, 0, 0, 1, 1,
                         nullptr, nullptr, type.hInstance, nullptr);
}

// Message boxes ask for no idle messages (DS_NOIDLEMSG); the bench's boxes, styled and plain
// alike, have that bit cleared when they are activated so that their modal loop reports idling.
HHOOK idleHook = nullptr;
LRESULT CALLBACK AskForIdleMessages(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    auto window = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0) {
      SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~DS_NOIDLEMSG);
    }
  }
  return CallNextHookEx(idleHook, code, wParam, lParam);
}

void StyledBox(const std::function<void(HWND)>& whileShown, const char* text = WelcomeText) {
  WithBox([text] { StyledMessageBox(benchOwner, text, MB_OK, WelcomeCaption); }, whileShown);
}

void PlainBox(const std::function<void(HWND)>& whileShown, const char* text = WelcomeText) {
  WithBox([text] { MessageBoxExA(benchOwner, text, WelcomeCaption, MB_OK, 0); }, whileShown);
}

// --- the table ---
void PrintHeader() {
  std::printf("%-34s %10s %10s %8s %8s  %s\n", "measure (median ms)", "styled", "plain", "ratio",
              "goal", "");
}

void WelcomeRepaint() {
  int rounds = Repeats("BENCH_REPAINTS", 200);
  StyledBox([rounds](HWND styled) {
    PlainBox([&](HWND plain) {
      PlaceAt(plain, 20, 20);
      PlaceAt(styled, 20, 300);
      Settle(600);  // the fade-in ends
      TimeRepaint(styled);
      TimeRepaint(plain);
      Pair pair = AlternateMedians(
          rounds, [&] { return TimeRepaint(styled); }, [&] { return TimeRepaint(plain); });
      PrintRow("welcome box: full repaint", pair, 3.0);
    });
  });
}

void FirstPaint() {
  int rounds = Repeats("BENCH_FIRST_PAINTS", 60);
  auto timeBox = [](bool styled) {
    double start = NowMs(), end = 0;
    auto note = [&](HWND) { end = NowMs(); };
    if (styled) {
      StyledBox(note);
    } else {
      PlainBox(note);
    }
    Settle(20);
    return end - start;
  };
  timeBox(true);
  timeBox(false);
  Pair pair = AlternateMedians(
      rounds, [&] { return timeBox(true); }, [&] { return timeBox(false); });
  PrintRow("welcome box: call to first paint", pair, 1.5);
}

void Soak() {
  int boxes = Repeats("BENCH_SOAK", 1000);
  for (int i = 0; i < 5; ++i) StyledBox([](HWND) {});  // first use: caches of GDI+ and Wine
  Settle(400);
  int freeBefore = CountFreeGdiSlots();
  std::size_t bytesBefore = PrivateBytes();
  double start = NowMs();
  for (int i = 0; i < boxes; ++i) StyledBox([](HWND) {});
  double perBox = (NowMs() - start) / boxes;
  Settle(400);  // the last fade-in threads end
  int freeAfter = CountFreeGdiSlots();
  std::size_t bytesAfter = PrivateBytes();
  long long grown = static_cast<long long>(bytesAfter) - static_cast<long long>(bytesBefore);
  // The heap grows in 64 KB steps: one step over the whole soak is not growth per box.
  bool met = freeAfter >= freeBefore && grown <= 64 * 1024;
  std::printf("soak: %d styled boxes opened and closed, %.2f ms per box\n", boxes, perBox);
  std::printf("  free GDI slots  %8d before %8d after\n", freeBefore, freeAfter);
  std::printf("  private bytes %10zu before %10zu after (%+lld)   goal: no growth  %s\n",
              bytesBefore, bytesAfter, grown, met ? "met" : "MISSED");
  std::fflush(stdout);
}

}  // namespace

HWND benchOwner = nullptr;

// Opens a box with `show` and runs `whileShown` inside its modal loop once it has painted;
// the box is closed when that returns.
void WithBox(const std::function<void()>& show, const std::function<void(HWND)>& whileShown) {
  OpenBox box{whileShown};
  openBoxes.push_back(&box);
  show();
  openBoxes.pop_back();
}

void Settle(int milliseconds) { PumpFor(milliseconds); }

void PlaceAt(HWND window, int x, int y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Repeats(const char* name, int fallback) {
  char value[16] = "";
  if (!GetEnvironmentVariableA(name, value, sizeof value)) return fallback;
  return std::max(1, atoi(value));
}

Pair AlternateMedians(int rounds, const std::function<double()>& styled,
                      const std::function<double()>& plain) {
  std::vector<double> a, b;
  for (int i = 0; i < rounds; ++i) {
    if (i % 2 == 0) {
      a.push_back(styled());
      b.push_back(plain());
    } else {
      b.push_back(plain());
      a.push_back(styled());
    }
  }
  return {Median(a), Median(b)};
}

double TimeRepaint(HWND window) {
  double start = NowMs();
  RedrawWindow(window, nullptr, nullptr, FullRepaint);
  GdiFlush();
  return NowMs() - start;
}

void PrintRow(const std::string& what, const Pair& pair, double goal) {
  bool met = pair.Ratio() <= goal;
  std::printf("%-34s %10.3f %10.3f %7.2fx %7.1fx  %s\n", what.c_str(), pair.styled, pair.plain,
              pair.Ratio(), goal, met ? "met" : "MISSED");
  std::fflush(stdout);
}

int main(int argc, char** argv) {
  CreateStyleLists();
  ApplicationIcon = LoadApplicationIcon(GetModuleHandleA(nullptr));
  SetStylingGlobals();
  benchOwner = CreateOwner();
  idleHook = SetWindowsHookExA(WH_CBT, AskForIdleMessages, nullptr, GetCurrentThreadId());
  std::string only = argc > 1 ? argv[1] : "";
  PrintHeader();
  if (only.empty() || only == "welcome") WelcomeRepaint();
  if (only.empty() || only == "gallery") GalleryRepaints();
  if (only.empty() || only == "first") FirstPaint();
  if (only.empty() || only == "soak") Soak();
  UnhookWindowsHookEx(idleHook);
  DestroyWindow(benchOwner);
  return 0;
}
