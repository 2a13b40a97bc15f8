// The gallery dialog twice, styled through the hook and plain, side by side: each control
// repainted on both sides, grouped by kind of control. Written over the gallery's table, so
// that families added to it later are measured as they arrive.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "gallery/gallery_table.h"
#include "styling/hook/hook.h"
#include "styling/records/paint_helpers.h"
#include "tools/bench/bench.h"

namespace {

// A button's kind is its family: push buttons, check boxes, radio buttons and group boxes are
// styled by different painters.
std::string KindOf(const GalleryControl& control, HWND window) {
  std::string kind = ClassNameOf(window);  // as registered: the table may spell it otherwise
  if (lstrcmpiA(control.className, "BUTTON") != 0) return kind;
  switch (control.style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return kind + " check box";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return kind + " radio";
    case BS_GROUPBOX:
      return kind + " group box";
    default:
      return kind + " push";
  }
}

struct Group {
  std::vector<HWND> styled;
  std::vector<HWND> plain;
};

double RepaintAll(const std::vector<HWND>& controls) {
  double total = 0;
  for (HWND control : controls) total += TimeRepaint(control);
  return total;
}

// The plain control takes the styled one's size: the engine widens some controls.
void MatchSize(HWND plain, HWND styled) {
  RECT rect{};
  GetWindowRect(styled, &rect);
  SetWindowPos(plain, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MeasureSideBySide(HWND styledDialog, HWND plainDialog) {
  RECT bounds{};
  GetWindowRect(styledDialog, &bounds);
  PlaceAt(styledDialog, 0, 0);
  PlaceAt(plainDialog, bounds.right - bounds.left + 10, 0);
  std::map<std::string, Group> groups;
  for (const GalleryControl& control : GalleryControls()) {
    HWND styled = GetDlgItem(styledDialog, control.id);
    HWND plain = GetDlgItem(plainDialog, control.id);
    if (!styled || !plain) continue;
    MatchSize(plain, styled);
    Group& group = groups[KindOf(control, plain)];
    group.styled.push_back(styled);
    group.plain.push_back(plain);
  }
  Settle(600);  // the fade-in ends
  int rounds = Repeats("BENCH_REPAINTS", 200);
  double worst = 0;
  char only[64] = "";  // BENCH_FAMILY: only the kinds whose name holds this text
  GetEnvironmentVariableA("BENCH_FAMILY", only, sizeof only);
  for (const auto& [kind, group] : groups) {
    if (kind.find(only) == std::string::npos) continue;
    RepaintAll(group.styled);
    RepaintAll(group.plain);
    Pair pair = AlternateMedians(
        rounds, [&] { return RepaintAll(group.styled); }, [&] { return RepaintAll(group.plain); });
    PrintRow("gallery: " + kind + " (" + std::to_string(group.styled.size()) + ")", pair,
             FamilyRepaintGoal);
    worst = std::max(worst, pair.Ratio());
    if (Tracing()) {
      TraceRepaints(
          kind + " styled", [&] { return RepaintAll(group.styled); }, 20);
      TraceRepaints(
          kind + " plain", [&] { return RepaintAll(group.plain); }, 20);
    }
  }
  std::printf("gallery: the slowest family %.2fx, limit %.2fx  %s\n", worst, FamilyRepaintLimit,
              worst <= FamilyRepaintLimit ? "met" : "MISSED");
  std::fflush(stdout);
}

}  // namespace

void GalleryRepaints() {
  RegisterGalleryControlClasses();
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  WithBox([&] { StyledDialogBox(benchOwner, dialogTemplate.Get(), GalleryDialogProc, 0); },
          [&](HWND styled) {
            WithBox(
                [&] {
                  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(),
                                          benchOwner, GalleryDialogProc, 0);
                },
                [&](HWND plain) { MeasureSideBySide(styled, plain); });
          });
}
