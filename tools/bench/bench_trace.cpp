// BENCH_TRACE=1: which messages one repaint sends, to which windows, and the time spent in
// each (inclusive of what it sends in turn). For finding where a slow measure's time goes.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "styling/records/paint_helpers.h"
#include "tools/bench/bench.h"

namespace {

struct Tally {
  int count = 0;
  double ms = 0;
};
using TraceKey = std::tuple<int, std::string, UINT>;  // depth, window's class, message

std::map<TraceKey, Tally> tallies;
std::vector<double> started;  // one per message being handled, innermost last
HHOOK before = nullptr, after = nullptr;

LRESULT CALLBACK Before(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) started.push_back(NowMs());
  return CallNextHookEx(before, code, wParam, lParam);
}

LRESULT CALLBACK After(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && !started.empty()) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    double ms = NowMs() - started.back();
    started.pop_back();
    Tally& tally =
        tallies[{static_cast<int>(started.size()), ClassNameOf(sent->hwnd), sent->message}];
    ++tally.count;
    tally.ms += ms;
  }
  return CallNextHookEx(after, code, wParam, lParam);
}

// An atom added and deleted: a request whose text the server's log shows.
void MarkForServer(const std::string& text) { GlobalDeleteAtom(GlobalAddAtomA(text.c_str())); }

}  // namespace

bool Tracing() { return GetEnvironmentVariableA("BENCH_TRACE", nullptr, 0) != 0; }

void TraceRepaints(const std::string& what, const std::function<double()>& repaint, int rounds) {
  tallies.clear();
  before = SetWindowsHookExA(WH_CALLWNDPROC, Before, nullptr, GetCurrentThreadId());
  after = SetWindowsHookExA(WH_CALLWNDPROCRET, After, nullptr, GetCurrentThreadId());
  double total = 0;
  for (int i = 0; i < rounds; ++i) total += repaint();
  UnhookWindowsHookEx(before);
  UnhookWindowsHookEx(after);
  // One more repaint, unhooked, between two marks the server sees: with the server's log on
  // (`wineserver -d1`), the requests between the two `add_atom` lines are what one repaint asks.
  MarkForServer("bench mark begin " + what);
  repaint();
  MarkForServer("bench mark end " + what);
  std::printf("  trace %s: %.3f ms a repaint\n", what.c_str(), total / rounds);
  for (const auto& [key, tally] : tallies) {
    const auto& [depth, name, message] = key;
    std::printf("    %*s%-20s 0x%04x  %5.1f sent %8.3f ms\n", depth * 2, "", name.c_str(), message,
                static_cast<double>(tally.count) / rounds, tally.ms / rounds);
  }
  std::fflush(stdout);
}
