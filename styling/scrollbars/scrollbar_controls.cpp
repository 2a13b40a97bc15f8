#include "styling/scrollbars/scrollbar_controls.h"

#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/scrollbars/cover_state.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

bool IsBar(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) == 0;
}

ScrollBarOrientation OrientationOf(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & SBS_VERT) ? ScrollBarOrientation::Vertical
                                                         : ScrollBarOrientation::Horizontal;
}

// The look with the part under the pointer, as last shown unless given.
void PaintBar(HWND control, HDC dc = nullptr) {
  const CoverState* state = StateOfCover(control);
  if (!state) return;
  PaintCover(control, OrientationOf(control), dc, state->hover);
}

void PaintBarHovering(HWND control, ScrollBarPart hover) {
  if (StateOfCover(control)) PaintCover(control, OrientationOf(control), nullptr, hover);
}

ScrollBarPart PartUnder(HWND control, LPARAM clientPoint) {
  POINT point{SignedLowHalf(static_cast<std::uintptr_t>(clientPoint)),
              SignedHighHalf(static_cast<std::uintptr_t>(clientPoint))};
  ClientToScreen(control, &point);
  return HitTestVerticalScrollBar(control, MAKELPARAM(point.x, point.y));
}

// Messages on which the control draws itself at once, outside WM_PAINT: the tracking loop of a
// click, the arrows' repeat, the keyboard, the focus caret, the pointer's hot part, and the
// changes of position, range and state that ask for a redraw.
bool SystemDrawsAfter(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_TIMER:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_CAPTURECHANGED:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO:
    case SBM_ENABLE_ARROWS:
      return true;
    default:
      return false;
  }
}

}  // namespace

void InstallScrollBarControls(int styleIndex, HWND parent) {
  VisitChildrenOfClass(styleIndex, parent, "ScrollBar", [&](StyleRecord& record, HWND child) {
    if (!IsBar(child)) return;
    ListControl(record, &StyleRecord::scrollBars, child,
                [styleIndex](ScrollBarEntry& entry, HWND control, int position) {
                  MakeOwnCover(control);
                  entry.priorProc =
                      SubclassControl(control, styleIndex, position, ScrollBarControlProc);
                });
  });
}

LRESULT CALLBACK ScrollBarControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ScrollBarEntry* entry = ControlEntry(window, &StyleRecord::scrollBars);
  auto paint = [window](HDC dc = nullptr) { PaintBar(window, dc); };
  if (std::optional<LRESULT> answer =
          AnswerFirst(window, entry, message, wParam, lParam, NonClientArea::System, paint)) {
    return *answer;
  }
  switch (message) {
    case WM_NCDESTROY:
      ReleaseOwnCover(window);
      break;
    case DpiChangedAfterParentMessage:
      if (CoverState* state = StateOfCover(window)) state->scale = ScaleOf(window);
      break;
    case WM_MOUSEMOVE:
      // Painted every time: the system may have drawn its hot part.
      RequestMouseLeave(window);
      return ForwardThenPaint(window, message, wParam, lParam,
                              [=] { PaintBarHovering(window, PartUnder(window, lParam)); });
    case WM_MOUSELEAVE:
      return ForwardThenPaint(window, message, wParam, lParam,
                              [=] { PaintBarHovering(window, NoScrollBarPart); });
    default:
      break;
  }
  if (!SystemDrawsAfter(message)) return ForwardMessage(window, message, wParam, lParam);
  return ForwardThenPaint(window, message, wParam, lParam, [window] { PaintBar(window); });
}
