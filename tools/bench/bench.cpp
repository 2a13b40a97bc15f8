// Paint-speed benchmark: styled windows against plain ones, side by side in one process, timed
// with QueryPerformanceCounter around synchronous repaints; medians over many repetitions with
// the two sides alternating. Prints a table with the goals; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "styling/frame/frame.h"
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

// What the system costs for the frame's treatment of a window alone, without the engine: the
// plain box made wider, rounded, layered and transparent, with a fade-in thread, when activated.
bool treatPlainBoxes = false;
HWND lastTreated = nullptr;
void TreatAsTheFrameDoes(HWND window) {
  if (window == lastTreated) return;
  lastTreated = window;
  RECT rect{};
  GetWindowRect(window, &rect);
  MoveWindow(window, rect.left, rect.top, rect.right - rect.left + 6, rect.bottom - rect.top, TRUE);
  GetWindowRect(window, &rect);
  HRGN region =
      CreateRoundRectRgn(0, 0, rect.right - rect.left + 1, rect.bottom - rect.top + 1, 5, 5);
  if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  if (HANDLE fade = CreateThread(nullptr, 0, FadeIn, window, 0, nullptr)) CloseHandle(fade);
}

LRESULT CALLBACK AskForIdleMessages(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    auto window = reinterpret_cast<HWND>(wParam);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0) {
      SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~DS_NOIDLEMSG);
      if (treatPlainBoxes && !GetPropA(window, ProcProperty)) TreatAsTheFrameDoes(window);
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
  std::printf("%-34s %10s %10s %8s %8s  %-6s %6s %6s %17s\n", "measure (median ms)", "styled",
              "plain", "ratio", "goal", "", "rounds", "halves", "display server");
}

// The repaint split as the first paint is: a third box, plain but given the frame's window
// treatment, against the plain box and against the styled one.
void SplitRepaint(HWND styled, HWND plain) {
  int rounds = Repeats("BENCH_REPAINTS", 200);
  treatPlainBoxes = true;
  PlainBox([&](HWND treated) {
    treatPlainBoxes = false;  // the plain box is activated again when this one closes
    PlaceAt(treated, 600, 20);
    Settle(600);
    TimeRepaint(treated);
    PrintShare("  the window treatment alone", AlternateMedians(
                                                   rounds, [&] { return TimeRepaint(treated); },
                                                   [&] { return TimeRepaint(plain); }));
    PrintRow("  engine: styled / treated plain",
             AlternateMedians(
                 rounds, [&] { return TimeRepaint(styled); }, [&] { return TimeRepaint(treated); }),
             WelcomeRepaintGoal);
  });
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
      PrintRow("welcome box: full repaint", pair, WelcomeRepaintGoal);
      SplitRepaint(styled, plain);
      if (Tracing()) {
        TraceRepaints(
            "styled", [&] { return TimeRepaint(styled); }, 20);
        TraceRepaints(
            "plain", [&] { return TimeRepaint(plain); }, 20);
      }
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
  PrintRow("welcome box: call to first paint", pair, FirstPaintGoal);
  // The same split in two: the system's cost of the frame's window treatment, and the engine's
  // share over a plain box given that treatment.
  auto timeTreatedBox = [&] {
    treatPlainBoxes = true;
    double ms = timeBox(false);
    treatPlainBoxes = false;
    return ms;
  };
  timeTreatedBox();
  PrintShare("  the window treatment alone",
             AlternateMedians(rounds, timeTreatedBox, [&] { return timeBox(false); }));
  PrintRow("  engine: styled / treated plain",
           AlternateMedians(
               rounds, [&] { return timeBox(true); }, timeTreatedBox),
           FirstPaintGoal);
  if (Tracing()) {
    TraceRepaints(
        "styled", [&] { return timeBox(true); }, 20);
    TraceRepaints(
        "plain", [&] { return timeBox(false); }, 20);
  }
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

// The display server's processor time so far in ms, read from its /proc entry (bench.sh gives
// its pid); -1 when it cannot be read.
double DisplayServerMs() {
  static const std::string stat = [] {
    char pid[16] = "";
    if (!GetEnvironmentVariableA("BENCH_DISPLAY_PID", pid, sizeof pid)) return std::string();
    return std::string("Z:\\proc\\") + pid + "\\stat";
  }();
  if (stat.empty()) return -1;
  HANDLE file = CreateFileA(stat.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  char text[1024] = "";
  DWORD read = 0;
  ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  text[read] = 0;
  // After the command's closing parenthesis: state is field 3, user and system time 14 and 15.
  const char* rest = std::strrchr(text, ')');
  unsigned long long user = 0, system = 0;
  if (!rest || std::sscanf(rest + 2, "%*c %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu %llu", &user,
                           &system) != 2) {
    return -1;
  }
  return static_cast<double>(user + system) * 10.0;  // clock ticks of 10 ms
}

// In a program a repaint is followed by its message loop waiting for the next message. Timed
// back to back with no such pause, repaints under Wine slow each other down, on both sides and
// by what ran before (measured: the same plain group box 0.2 ms first, 0.9 ms after the list
// views), so each sample is followed by what a waiting message loop does: pending messages
// handled (Wine flushes its window surfaces then), the display server caught up (reading a
// screen pixel waits for it) and a 5 ms sleep, shorter than the gap between two mouse moves of a
// drag. BENCH_BACK_TO_BACK=1 leaves this out.
void LetDisplayCatchUp() {
  static const bool backToBack = GetEnvironmentVariableA("BENCH_BACK_TO_BACK", nullptr, 0) != 0;
  if (backToBack) return;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  HDC screen = GetDC(nullptr);
  GetPixel(screen, 0, 0);
  ReleaseDC(nullptr, screen);
  Sleep(5);
}

Pair AlternateMedians(int rounds, const std::function<double()>& styled,
                      const std::function<double()>& plain) {
  static const int maxBlocks = Repeats("BENCH_MAX_BLOCKS", 8);
  std::vector<double> a, b;
  double displayA = 0, displayB = 0;
  auto sample = [](std::vector<double>& into, double& display,
                   const std::function<double()>& timed) {
    double before = DisplayServerMs();
    into.push_back(timed());
    LetDisplayCatchUp();
    display += DisplayServerMs() - before;
  };
  auto ratio = [&](std::size_t from, std::size_t to) {
    std::vector<double> styledPart(a.begin() + from, a.begin() + to);
    std::vector<double> plainPart(b.begin() + from, b.begin() + to);
    double plainMedian = Median(plainPart);
    return plainMedian > 0 ? Median(styledPart) / plainMedian : 0;
  };
  Pair pair;
  for (int block = 1; block <= maxBlocks; ++block) {
    for (int i = 0; i < rounds; ++i) {
      if (i % 2 == 0) {
        sample(a, displayA, styled);
        sample(b, displayB, plain);
      } else {
        sample(b, displayB, plain);
        sample(a, displayA, styled);
      }
    }
    std::size_t half = a.size() / 2;
    double first = ratio(0, half), second = ratio(half, a.size());
    pair.halves =
        first > 0 && second > 0 ? std::max(first, second) / std::min(first, second) - 1 : 0;
    if (pair.halves <= 0.04) break;
  }
  pair.styled = Median(a);
  pair.plain = Median(b);
  pair.rounds = static_cast<int>(a.size());
  if (DisplayServerMs() >= 0) {
    pair.styledDisplay = displayA / pair.rounds;
    pair.plainDisplay = displayB / pair.rounds;
  }
  return pair;
}

double TimeRepaint(HWND window) {
  double start = NowMs();
  RedrawWindow(window, nullptr, nullptr, FullRepaint);
  GdiFlush();
  return NowMs() - start;
}

void PrintShare(const std::string& what, const Pair& pair) {
  std::printf("%-34s %10.3f %10.3f %7.2fx %8s  %-6s %6d %5.1f%%\n", what.c_str(), pair.styled,
              pair.plain, pair.Ratio(), "", "", pair.rounds, pair.halves * 100);
  std::fflush(stdout);
}

void PrintRow(const std::string& what, const Pair& pair, double goal) {
  bool met = pair.Ratio() <= goal;
  std::printf("%-34s %10.3f %10.3f %7.2fx %7.2fx  %-6s %6d %5.1f%%", what.c_str(), pair.styled,
              pair.plain, pair.Ratio(), goal, met ? "met" : "MISSED", pair.rounds,
              pair.halves * 100);
  if (pair.styledDisplay >= 0) {
    std::printf(" %8.2f %8.2f", pair.styledDisplay, pair.plainDisplay);
  }
  std::printf("\n");
  std::fflush(stdout);
}

int main(int argc, char** argv) {
  StartStylingEngine();
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
