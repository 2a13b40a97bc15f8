#include "styling/scrollbars/scrollbars.h"

#include "styling/records/child_windows.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/printing.h"
#include "styling/scrollbars/cover_state.h"

namespace {

constexpr DWORD CoverStyle = WS_CHILD | WS_CLIPCHILDREN | WS_DISABLED;

bool HasBarStyle(HWND target, ScrollBarOrientation orientation) {
  return orientation == ScrollBarOrientation::Vertical ? HasVerticalScrollBar(target)
                                                       : HasHorizontalScrollBar(target);
}

// The real bar in the client coordinates of the target's parent, where the cover lives.
RECT BarInParent(HWND target, ScrollBarOrientation orientation) {
  SCROLLBARINFO info = ReadScrollBarInfo(target, orientation);
  RECT bar = info.rcScrollBar;
  MapWindowPoints(nullptr, GetParent(target), reinterpret_cast<POINT*>(&bar), 2);
  return bar;
}

HWND TargetOfCover(HWND cover) { return ReadHandleProperty<HWND>(cover, CoverTargetProperty); }

// Where a cover goes in z-order: right above its control, as the bar it covers is part of the
// control, so that a sibling lying over the control lies over the cover as well. 0 when the
// cover is there already (the control's other cover may lie between them).
HWND PlaceInZOrder(HWND cover, HWND target) {
  HWND above = GetWindow(target, GW_HWNDPREV);
  while (above && above != cover && TargetOfCover(above) == target) {
    above = GetWindow(above, GW_HWNDPREV);
  }
  if (above == cover) return nullptr;
  return above ? above : HWND_TOP;
}

void MoveOverBar(HWND cover, HWND target, const RECT& bar) {
  HWND after = PlaceInZOrder(cover, target);
  SetWindowPos(cover, after, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
               SWP_NOACTIVATE | (after ? 0 : SWP_NOZORDER));
}

LRESULT CoverMessage(HWND cover, ScrollBarOrientation orientation, UINT message, WPARAM wParam,
                     LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(cover, &paint);
      CoverState* state = StateOfCover(cover);
      PaintCover(cover, orientation, dc, state ? state->hover : NoScrollBarPart);
      EndPaint(cover, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      return PrintClient(cover, reinterpret_cast<HDC>(wParam), LookArea::Client, [&](HDC dc) {
        CoverState* state = StateOfCover(cover);
        PaintCover(cover, orientation, dc, state ? state->hover : NoScrollBarPart);
      });
    case WM_PRINT:
      return PrintWindowParts(cover, reinterpret_cast<HDC>(wParam), lParam);
    case WM_ERASEBKGND:
      // The paint covers every pixel; erasing first would only flash the dialog's colour.
      return 1;
    case WM_NCPAINT:
      return 0;  // a cover has no border: nothing lies outside its client area
    case WM_NCHITTEST:
      // The real bar underneath takes the mouse.
      return HTTRANSPARENT;
    case WM_DESTROY:
      if (CoverState* state = StateOfCover(cover)) state->closing = true;
      break;
    case DpiChangedAfterParentMessage:
      if (CoverState* state = StateOfCover(cover)) state->scale = ScaleOf(cover);
      break;
    case WM_NCDESTROY:
      delete StateOfCover(cover);
      RemoveProperty(cover, CoverStateProperty);
      break;
    default:
      break;
  }
  return ForwardMessage(cover, message, wParam, lParam);
}

LRESULT CALLBACK VerticalCoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  return CoverMessage(cover, ScrollBarOrientation::Vertical, message, wParam, lParam);
}

LRESULT CALLBACK HorizontalCoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  return CoverMessage(cover, ScrollBarOrientation::Horizontal, message, wParam, lParam);
}

ScrollBarPart HitTest(HWND cover, LPARAM screenPoint) {
  const CoverState* state = StateOfCover(cover);
  if (!state) return NoScrollBarPart;
  RECT place{};
  GetWindowRect(cover, &place);
  POINT point{SignedLowHalf(static_cast<std::uintptr_t>(screenPoint)) - place.left,
              SignedHighHalf(static_cast<std::uintptr_t>(screenPoint)) - place.top};
  if (PtInRect(&state->parts[FirstArrowRect], point)) return FirstArrowPart;
  if (PtInRect(&state->parts[SecondArrowRect], point)) return SecondArrowPart;
  if (PtInRect(&state->parts[ThumbRect], point)) return ThumbPart;
  return NoScrollBarPart;
}

// Both covers of a control with their orientations, for the loops over them.
struct CoverOf {
  HWND cover;
  ScrollBarOrientation orientation;
};
template <typename Action>
void ForEachCover(const ScrollBarCovers& covers, Action&& action) {
  for (CoverOf each : {CoverOf{covers.vertical, ScrollBarOrientation::Vertical},
                       CoverOf{covers.horizontal, ScrollBarOrientation::Horizontal}}) {
    if (each.cover) action(each.cover, each.orientation);
  }
}

}  // namespace

CoverState* StateOfCover(HWND cover) {
  return ReadHandleProperty<CoverState*>(cover, CoverStateProperty);
}

SCROLLBARINFO ReadScrollBarInfo(HWND target, ScrollBarOrientation orientation) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  LONG object = orientation == ScrollBarOrientation::Vertical ? OBJID_VSCROLL : OBJID_HSCROLL;
  if (TargetOfCover(target) == target) object = OBJID_CLIENT;  // a scroll bar control
  GetScrollBarInfo(target, object, &info);
  return info;
}

bool CoverLiesOverItsBar(HWND target, HWND cover, ScrollBarOrientation orientation) {
  if (!cover || !IsWindowVisible(cover)) return false;
  const SCROLLBARINFO bar = ReadScrollBarInfo(target, orientation);
  RECT covered{}, outside{};
  GetWindowRect(cover, &covered);
  return !SubtractRect(&outside, &bar.rcScrollBar, &covered);
}

HWND CreateEmulatedScrollBar(HWND target, ScrollBarOrientation orientation, bool visible) {
  HWND parent = GetParent(target);
  if (!parent) return nullptr;
  RECT bar = visible ? BarInParent(target, orientation) : RECT{0, 0, 10, 10};
  HWND cover = CreateWindowExA(0, "Static", "", CoverStyle | (visible ? WS_VISIBLE : 0), bar.left,
                               bar.top, bar.right - bar.left, bar.bottom - bar.top, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!cover) return nullptr;
  // The target is not given WS_CLIPSIBLINGS: it would give up every pixel that a sibling above
  // it covers, and a group box declared before its contents covers them whole. Its frame
  // painting leaves the covers out instead (CoverFreeRegion), and the covers are painted
  // again after the target has drawn its bars itself.
  WriteProperty(cover, CoverTargetProperty, reinterpret_cast<std::intptr_t>(target));
  auto* state = new CoverState{};
  state->scale = ScaleOf(cover);
  WriteProperty(cover, CoverStateProperty, reinterpret_cast<std::intptr_t>(state));
  SubclassWindow(cover, orientation == ScrollBarOrientation::Vertical ? VerticalCoverProc
                                                                      : HorizontalCoverProc);
  MoveOverBar(cover, target, bar);
  NoteChildrenChanged();
  return cover;
}

ScrollBarCovers CreateEmulatedScrollBars(HWND target) {
  ScrollBarCovers covers;
  bool visible = HasVisibleStyle(target);
  if (HasVerticalScrollBar(target)) {
    covers.vertical = CreateEmulatedScrollBar(target, ScrollBarOrientation::Vertical, visible);
  }
  if (HasHorizontalScrollBar(target)) {
    covers.horizontal = CreateEmulatedScrollBar(target, ScrollBarOrientation::Horizontal, visible);
  }
  return covers;
}

void PlaceEmulatedScrollBars(HWND target, const ScrollBarCovers& covers) {
  ForEachCover(covers, [target](HWND cover, ScrollBarOrientation orientation) {
    if (HasBarStyle(target, orientation) && HasVisibleStyle(target)) {
      MoveOverBar(cover, target, BarInParent(target, orientation));
      ShowWindow(cover, SW_SHOWNA);
    } else {
      ShowWindow(cover, SW_HIDE);
    }
  });
}

void PaintVerticalScrollBar(HWND cover, ScrollBarPart hover) {
  PaintCover(cover, ScrollBarOrientation::Vertical, nullptr, hover);
}

void PaintHorizontalScrollBar(HWND cover, ScrollBarPart hover) {
  PaintCover(cover, ScrollBarOrientation::Horizontal, nullptr, hover);
}

ScrollBarPart HitTestVerticalScrollBar(HWND cover, LPARAM screenPoint) {
  return HitTest(cover, screenPoint);
}

ScrollBarPart HitTestHorizontalScrollBar(HWND cover, LPARAM screenPoint) {
  return HitTest(cover, screenPoint);
}

void DestroyEmulatedScrollBars(ScrollBarCovers& covers) {
  ForEachCover(covers, [](HWND cover, ScrollBarOrientation) {
    const CoverState* state = StateOfCover(cover);
    if (state && !state->closing) DestroyWindow(cover);
  });
  covers = {};
}

void RepaintEmulatedScrollBars(HWND target, const ScrollBarCovers& covers) {
  ForEachCover(covers, [target](HWND cover, ScrollBarOrientation orientation) {
    CoverState* state = StateOfCover(cover);
    if (!state || !HasBarStyle(target, orientation)) return;
    if (state->shown == CoverLookKey(cover, orientation, state->hover)) return;
    PaintCover(cover, orientation, nullptr, state->hover);
  });
}

void PaintEmulatedScrollBars(HWND target, const ScrollBarCovers& covers) {
  ForEachCover(covers, [target](HWND cover, ScrollBarOrientation orientation) {
    const CoverState* state = StateOfCover(cover);
    if (state && HasBarStyle(target, orientation)) {
      PaintCover(cover, orientation, nullptr, state->hover);
    }
  });
}

void HoverEmulatedScrollBars(HWND target, const ScrollBarCovers& covers, LPARAM screenPoint) {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, target, 0};
  TrackMouseEvent(&track);
  ForEachCover(covers, [screenPoint](HWND cover, ScrollBarOrientation orientation) {
    const CoverState* state = StateOfCover(cover);
    // Always painted: the system has just drawn the bar's hot-tracked look over the cover.
    if (state) PaintCover(cover, orientation, nullptr, HitTest(cover, screenPoint));
  });
}

void LeaveEmulatedScrollBars(const ScrollBarCovers& covers) {
  ForEachCover(covers, [](HWND cover, ScrollBarOrientation orientation) {
    if (StateOfCover(cover)) PaintCover(cover, orientation, nullptr, NoScrollBarPart);
  });
}

void ExcludeEmulatedScrollBars(HDC windowDc, HWND target, const ScrollBarCovers& covers) {
  RECT place{};
  GetWindowRect(target, &place);
  ForEachCover(covers, [&](HWND, ScrollBarOrientation orientation) {
    if (!HasBarStyle(target, orientation)) return;
    RECT bar = ReadScrollBarInfo(target, orientation).rcScrollBar;
    OffsetRect(&bar, -place.left, -place.top);
    ExcludeClipRect(windowDc, bar.left, bar.top, bar.right, bar.bottom);
  });
}

bool IsEmulatedScrollBar(HWND window) {
  HWND target = TargetOfCover(window);
  return target && target != window;
}

void MakeOwnCover(HWND control) {
  if (StateOfCover(control)) return;
  WriteProperty(control, CoverTargetProperty, reinterpret_cast<std::intptr_t>(control));
  auto* state = new CoverState{};
  state->scale = ScaleOf(control);
  WriteProperty(control, CoverStateProperty, reinterpret_cast<std::intptr_t>(state));
}

void ReleaseOwnCover(HWND control) {
  if (TargetOfCover(control) != control) return;
  delete StateOfCover(control);
  RemoveProperty(control, CoverStateProperty);
  RemoveProperty(control, CoverTargetProperty);
}

HRGN CoverFreeRegion(HWND target, const ScrollBarCovers& covers, HRGN update) {
  RECT place{};
  GetWindowRect(target, &place);
  HRGN region = CreateRectRgnIndirect(&place);
  if (!region) return nullptr;
  if (update && update != reinterpret_cast<HRGN>(1)) CombineRgn(region, region, update, RGN_AND);
  ForEachCover(covers, [region](HWND cover, ScrollBarOrientation) {
    if (!IsWindowVisible(cover)) return;
    RECT shown{};
    GetWindowRect(cover, &shown);
    HRGN bar = CreateRectRgnIndirect(&shown);
    if (!bar) return;
    CombineRgn(region, region, bar, RGN_DIFF);
    DeleteObject(bar);
  });
  return region;
}
