#include "styling/lists/lists.h"

#include "styling/combos/combos.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

constexpr LONG SkippedListViewBit = 0x10;

// How one class of list-type control is found and whether its real bars get covers.
enum class Source { Direct, ComboList };
struct ListClass {
  const char* name;
  Source source;
  LONG skipStyleBits;  // a control with any of these bits is left alone
  bool coverBars;
};
constexpr ListClass ListClasses[] = {
    {"ListBox", Source::Direct, 0, true},
    // A simple combo box's list, owner-drawn too (a font dialog's): its program draws the
    // items, the covers only its bars.
    {"ComboBox", Source::ComboList, 0, true},
    {"SysListView32", Source::Direct, SkippedListViewBit, true},
    {"SysTreeView32", Source::Direct, 0, true},
    {"SysIPAddress32", Source::Direct, 0, false},
    {"SysDateTimePick32", Source::Direct, 0, false},
};

void InstallListControl(int styleIndex, ListEntry& entry, HWND control, int position,
                        bool coverBars) {
  entry.scale = ScaleOf(control);
  if (coverBars) {
    // Both covers from the start: a list shows and hides its bars as items come and go, and
    // the placement shows a cover whenever its bar is there.
    bool visible = HasVisibleStyle(control);
    entry.covers.vertical = CreateEmulatedScrollBar(control, ScrollBarOrientation::Vertical,
                                                    visible && HasVerticalScrollBar(control));
    entry.covers.horizontal = CreateEmulatedScrollBar(control, ScrollBarOrientation::Horizontal,
                                                      visible && HasHorizontalScrollBar(control));
  }
  entry.priorProc = SubclassControl(control, styleIndex, position, ListWndProc);
}

void InstallClass(int styleIndex, StyleRecord& record, HWND parent, const ListClass& kind) {
  ForEachChildOfClass(parent, kind.name, [&](HWND child) {
    // A drop-down combo box has no list among its children: it is left alone.
    HWND control = kind.source == Source::ComboList
                       ? FindWindowExA(child, nullptr, "ComboLBox", nullptr)
                       : child;
    if (!control || (GetWindowLongA(control, GWL_STYLE) & kind.skipStyleBits)) return;
    // Styled already by another record: subclassed again, its stored previous procedure would
    // become ListWndProc itself.
    if (GetPropA(control, ProcProperty)) return;
    ListControl(record, &StyleRecord::lists, control,
                [&](ListEntry& entry, HWND listed, int position) {
                  InstallListControl(styleIndex, entry, listed, position, kind.coverBars);
                });
  });
}

// The list's entry looked up again after a message went through, which may have ended the
// dialog; nullptr when it has.
const ListEntry* LiveList(HWND window) {
  return IsWindow(window) ? ControlEntry(window, &StyleRecord::lists) : nullptr;
}

// Paints the covers again at once: the system has just drawn its own bars over them, or may
// have.
void RepaintBars(HWND window, bool vertical = true, bool horizontal = true) {
  const ListEntry* entry = LiveList(window);
  if (!entry) return;
  if (vertical && entry->covers.vertical && HasVerticalScrollBar(window)) {
    PaintVerticalScrollBar(entry->covers.vertical);
  }
  if (horizontal && entry->covers.horizontal && HasHorizontalScrollBar(window)) {
    PaintHorizontalScrollBar(entry->covers.horizontal);
  }
}

// Passes a message on and puts the covers on again afterwards.
LRESULT ForwardThenRepaintBars(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               bool vertical = true, bool horizontal = true) {
  return ForwardThenPaint(window, message, wParam, lParam,
                          [=] { RepaintBars(window, vertical, horizontal); });
}

// The frame from the control's current properties (a record removed meanwhile renumbers them).
void RepaintFrame(HWND window) {
  if (!IsWindow(window)) return;
  ControlPlace place = PlaceOf(window);
  PaintListFrame(place.styleIndex, place.position);
}

// Passes a message on; when it moved the real bars (items added, a type-ahead jump, a drag
// that scrolls), the covers follow.
LRESULT ForwardKeepingCovers(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ForwardThenPaint(window, message, wParam, lParam, [window] {
    if (const ListEntry* entry = LiveList(window)) RepaintEmulatedScrollBars(window, entry->covers);
  });
}

// A simple combo box draws its border over its list's edge: once the list has drawn its own
// frame, the combo box's look goes on again.
void RepaintOwningCombo(HWND list) {
  HWND combo = GetParent(list);
  if (!ControlEntry(combo, &StyleRecord::combos)) return;
  ControlPlace place = PlaceOf(combo);
  PaintComboBox(place.styleIndex, place.position);
}

bool IsArrowKey(WPARAM key) { return key >= VK_LEFT && key <= VK_DOWN; }

// Input that can scroll a list, and the control's own requests (adding items, selecting,
// expanding); not the queries and hit tests that come with every move of the mouse.
bool MayScroll(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_TIMER ||
         message == WM_SIZE || message == WM_SETFONT || message == WM_SETREDRAW ||
         message == WM_STYLECHANGED || (message >= LB_ADDSTRING && message <= LB_MSGMAX) ||
         message >= WM_USER;
}

void OnMouseMove(HWND window, StyleRecord& record, ListEntry& entry, int styleIndex, int position) {
  TrackHover(window, record, position, HotLists, [&] {
    entry.hovered = 1;
    PaintListFrame(styleIndex, position, true, true);
  });
}

// A framed control (a combo box's list aside, whose frame is the system's) whose scroll bar, if
// it shows one, lies under its cover: the styled frame and the cover are all there is outside
// the client area. The corner between two bars is the system's to draw.
bool FrameIsWholeNonClient(HWND window, const ListEntry& entry) {
  if (!HasFrame(window) || ClassNameOf(window) == "ComboLBox") return false;
  const bool vertical = HasVerticalScrollBar(window), horizontal = HasHorizontalScrollBar(window);
  if (vertical && horizontal) return false;
  if (vertical) {
    return CoverLiesOverItsBar(window, entry.covers.vertical, ScrollBarOrientation::Vertical);
  }
  return !horizontal ||
         CoverLiesOverItsBar(window, entry.covers.horizontal, ScrollBarOrientation::Horizontal);
}

// The list whose WM_PAINT is with the system: until its BeginPaint sends WM_NCPAINT, which
// paints the frame anyway.
thread_local HWND paintingClientOf = nullptr;

// WM_PAINT: the styled frame and the system's client area. The frame lies outside the client
// area, so it may come after it: painted once, by the WM_NCPAINT that the system's BeginPaint
// sends when the frame is to be painted too, or else here.
LRESULT PaintFrameWithClient(HWND window, WPARAM wParam, LPARAM lParam, int styleIndex,
                             int position) {
  OnePaintScope onePaint;  // the frame, the owning combo box and the bars ask for the same lists
  HWND outer = paintingClientOf;
  paintingClientOf = window;
  LRESULT result = ForwardMessage(window, WM_PAINT, wParam, lParam);
  const bool framePainted = paintingClientOf != window;
  paintingClientOf = outer;
  if (!framePainted) PaintListFrame(styleIndex, position);
  return result;
}

}  // namespace

bool HasFrame(HWND window) {
  if (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) return true;
  auto exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  for (DWORD edge : {0x100u, 0x300u, 0x200u, 0x1u, 0x188u}) {
    if ((exStyle & edge) == edge) return true;
  }
  return false;
}

void InstallListControls(int styleIndex, HWND parent) {
  if (!StylingEnabled) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  for (const ListClass& kind : ListClasses) InstallClass(styleIndex, *record, parent, kind);
}

LRESULT CALLBACK ListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordOfControl(window);
  ListEntry* entry = ControlEntry(window, &StyleRecord::lists);
  if (!record || !entry) {
    return ForwardMessage(window, message, wParam, lParam);
  }
  auto [styleIndex, position] = PlaceOf(window);
  if (TellsDpiChange(message)) entry->scale = ScaleOf(window);
  switch (message) {
    case WM_DESTROY:
      ReleaseCoveredControl(*entry);
      break;
    case WM_MOVE:
    case WM_SHOWWINDOW:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGED:
      PlaceEmulatedScrollBars(window, entry->covers);
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record, *entry, styleIndex, position);
      return ForwardKeepingCovers(window, message, wParam, lParam);
    case WM_MOUSELEAVE:
      record->hotIndex = 0;
      entry->hovered = 0;
      PaintListFrame(styleIndex, position, false, true);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
      // The control may redraw its frame or bars in the system look as it handles these:
      // the styled look goes on afterwards.
      if (message != WM_ENABLE) entry->focused = message == WM_SETFOCUS ? 1 : 0;
      return ForwardThenPaint(window, message, wParam, lParam, [window] {
        RepaintFrame(window);
        RepaintBars(window);
      });
    }
    case WM_PAINT:
      return PaintFrameWithClient(window, wParam, lParam, styleIndex, position);
    case WM_NCPAINT: {
      // The system's border and bars would be painted over at once: they are left out where
      // the styled frame and the covers are all there is outside the client area, and the
      // covers, left alone, need no paint of their own.
      const bool systemPaints = !FrameIsWholeNonClient(window, *entry);
      if (systemPaints) DefWindowProcA(window, message, wParam, lParam);
      PaintListFrame(styleIndex, position);
      RepaintOwningCombo(window);
      if (paintingClientOf == window) paintingClientOf = nullptr;  // the frame is painted
      if (systemPaints) RepaintBars(window);
      return 0;
    }
    case WM_PRINT:
      // The styled frame; the items (and a list view's header) as the system draws them.
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam, [=](HDC dc) {
        PaintListFrame(styleIndex, position, false, false, false, false, dc);
      });
    case WM_NCMOUSEMOVE:
      return ForwardThenPaint(window, message, wParam, lParam, [=] {
        if (const ListEntry* again = LiveList(window)) {
          HoverEmulatedScrollBars(window, again->covers, lParam);
        }
      });
    case WM_NCMOUSELEAVE:
      return ForwardThenPaint(window, message, wParam, lParam, [=] {
        if (const ListEntry* again = LiveList(window)) LeaveEmulatedScrollBars(again->covers);
      });
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTVSCROLL && wParam != HTHSCROLL) break;
      // The real bar tracks the mouse in its own loop and draws itself in the system look when
      // the button goes up.
      LeaveEmulatedScrollBars(entry->covers);
      return ForwardThenRepaintBars(window, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_MOUSEHWHEEL:
      return ForwardThenRepaintBars(window, message, wParam, lParam, false, true);
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      return ForwardThenRepaintBars(window, message, wParam, lParam, true, false);
    case WM_KEYDOWN:
      if (!IsArrowKey(wParam)) return ForwardKeepingCovers(window, message, wParam, lParam);
      // The list moves while the key goes through: the covers follow it afterwards.
      entry->pressed = 1;
      return ForwardThenRepaintBars(window, message, wParam, lParam);
    case WM_KEYUP:
      entry->pressed = 0;
      break;
    default:
      if (MayScroll(message)) return ForwardKeepingCovers(window, message, wParam, lParam);
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}
