#include "styling/trackbars/trackbars.h"

#include <commctrl.h>

#include "styling/records/family_install.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"

namespace {

constexpr UINT TrackBarSetPosNotify = WM_USER + 34;  // TBM_SETPOSNOTIFY (Windows 7 on)

std::int32_t TickModeOf(LONG style) {
  if (style & TBS_NOTICKS) return TicksNone;
  if (style & TBS_TOP) return TicksTopOrLeft;
  if (style & TBS_BOTH) return TicksBoth;
  return TicksBottomOrRight;
}

// Messages after which the system's control code shows a new state, possibly by drawing it
// itself there and then: the styled look goes over it again at once.
bool TrackBarRedrawsAfter(UINT message, WPARAM wParam) {
  switch (message) {
    case TBM_SETPOS:
    case TBM_SETRANGE:
    case TBM_SETRANGEMIN:
    case TBM_SETRANGEMAX:
    case TBM_SETSEL:
    case TBM_SETSELSTART:
    case TBM_SETSELEND:
    case TBM_CLEARSEL:
      return wParam != FALSE;  // the caller's redraw flag
    case TrackBarSetPosNotify:
    case TBM_SETTHUMBLENGTH:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
      return true;
    default:
      return false;
  }
}

bool ProgressRedrawsAfter(UINT message) {
  switch (message) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
    case PBM_SETSTATE:
    case WM_ENABLE:
      return true;
    default:
      return false;
  }
}

}  // namespace

void InstallTrackBars(int styleIndex, HWND parentWindow) {
  InstallChildrenOfClass(styleIndex, parentWindow, TRACKBAR_CLASSA, &StyleRecord::trackBars,
                         [styleIndex](TrackBarRecord& entry, HWND child, int position) {
                           LONG style = GetWindowLongA(child, GWL_STYLE);
                           entry.vertical = (style & TBS_VERT) ? 1 : 0;
                           entry.tickMode = TickModeOf(style);
                           entry.selectionRange = (style & TBS_ENABLESELRANGE) ? 1 : 0;
                           entry.scale = ScaleOf(child);
                           entry.priorProc =
                               SubclassControl(child, styleIndex, position, TrackBarWindowProc);
                         });
}

void InstallProgressBars(int styleIndex, HWND parentWindow) {
  InstallChildrenOfClass(
      styleIndex, parentWindow, PROGRESS_CLASSA, &StyleRecord::progressBars,
      [styleIndex](ProgressRecord& entry, HWND child, int position) {
        entry.vertical = (GetWindowLongA(child, GWL_STYLE) & PBS_VERTICAL) ? 1 : 0;
        entry.scale = ScaleOf(child);
        entry.priorProc = SubclassControl(child, styleIndex, position, ProgressBarWindowProc);
      });
}

LRESULT CALLBACK TrackBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto [record, entry, place] = StyledControlOf(window, &StyleRecord::trackBars);
  auto repaint = [place](HDC dc = nullptr) { PaintTrackBar(place.styleIndex, place.position, dc); };
  if (auto answer =
          AnswerFirst(window, entry, message, wParam, lParam, NonClientArea::Painted, repaint)) {
    return *answer;
  }
  if (TellsDpiChange(message)) entry->scale = ScaleOf(window);
  switch (message) {
    case WM_MOUSEMOVE:
      TrackHover(window, *record, place.position, HotTrackBars, [&] {
        entry->hovered = 1;
        repaint();
      });
      break;
    case WM_MOUSELEAVE:
      record->hotIndex = 0;
      entry->hovered = 0;
      repaint();
      break;
    case WM_UPDATEUISTATE:
      // The focus cues came or went: only the focused track bar shows them.
      if (GetFocus() == window) return ForwardThenPaint(window, message, wParam, lParam, repaint);
      break;
    default:
      if (TrackBarRedrawsAfter(message, wParam)) {
        return ForwardThenPaint(window, message, wParam, lParam, repaint);
      }
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ProgressBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto [record, entry, place] = StyledControlOf(window, &StyleRecord::progressBars);
  auto repaint = [place](HDC dc = nullptr) {
    PaintProgressBar(place.styleIndex, place.position, dc);
  };
  if (auto answer =
          AnswerFirst(window, entry, message, wParam, lParam, NonClientArea::Painted, repaint)) {
    return *answer;
  }
  if (TellsDpiChange(message)) entry->scale = ScaleOf(window);
  switch (message) {
    case WM_MOUSEMOVE:
      RequestMouseLeave(window);
      break;
    default:
      if (ProgressRedrawsAfter(message)) {
        return ForwardThenPaint(window, message, wParam, lParam, repaint);
      }
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}
