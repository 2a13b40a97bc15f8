#include "styling/combos/combos.h"

#include "styling/records/child_windows.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"

namespace {

// Messages after which the system combo box may have drawn itself straight to the screen
// (the pushed button, the selected text, the focus highlight), or its look has changed.
bool SystemDrawsAfter(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_ENABLE:
    case WM_CAPTURECHANGED:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
    case CB_SHOWDROPDOWN:
    case CB_RESETCONTENT:
    case CB_DELETESTRING:
      return true;
    default:
      return false;
  }
}

bool Repaint(HWND window, std::optional<bool> hover = {}, std::optional<bool> focused = {},
             HDC dc = nullptr) {
  return PaintComboBox(static_cast<int>(ReadProperty(window, StyleIndexProperty)),
                       static_cast<int>(ReadProperty(window, EntryIndexProperty)), hover, focused,
                       dc);
}

// The edit field of a drop-down combo box reports its focus to the combo box.
void NoteFieldFocus(HWND window, ComboRecord& combo, WPARAM wParam, LPARAM lParam) {
  auto from = reinterpret_cast<HWND>(lParam);
  if (!from || GetParent(from) != window) return;
  if (HIWORD(wParam) == EN_SETFOCUS) combo.focused = 1;
  if (HIWORD(wParam) == EN_KILLFOCUS) combo.focused = 0;
}

// While the combo box holds the mouse (its list dropped) no WM_MOUSELEAVE comes: once the
// system is done, the hover look goes if the pointer has left meanwhile.
void RefreshHover(HWND window, StyleRecord& record, ComboRecord& combo) {
  if (!combo.hovered) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);
  if (under == window || IsChild(window, under)) {
    RequestMouseLeave(window);
    return;
  }
  combo.hovered = 0;
  record.hotIndex = 0;
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  // Without a styled owner there is no background to paint on: the system look stays.
  if (!RecordAt(OwnerStyleIndex(window))) return ForwardMessage(window, WM_PAINT, wParam, lParam);
  OnePaintScope onePaint;  // the look, its key and the clip ask for the same children
  return PaintInsteadOfSystem(window, wParam, lParam, [window] { Repaint(window); });
}

}  // namespace

void InstallComboBoxes(int styleIndex, HWND parentWindow) {
  auto install = [styleIndex](ComboRecord& entry, HWND combo, int position) {
    entry.priorProc = SubclassControl(combo, styleIndex, position, ComboWindowProc);
  };
  InstallChildrenOfClass(styleIndex, parentWindow, "ComboBox", &StyleRecord::combos, install);
  // An extended combo box (a file dialog's name field) shows the combo box it holds as its
  // child, which covers it whole.
  ForEachChildOfClass(parentWindow, "ComboBoxEx32", [&](HWND extended) {
    InstallChildrenOfClass(styleIndex, extended, "ComboBox", &StyleRecord::combos, install);
  });
}

LRESULT CALLBACK ComboWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordOfControl(window);
  ComboRecord* combo = ControlEntry(window, &StyleRecord::combos);
  if (!record || !combo) {
    return ForwardMessage(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  switch (message) {
    case WM_MOVE:
      Repaint(window);
      break;
    case WM_SETFOCUS:
      combo->focused = 1;
      break;
    case WM_KILLFOCUS:
      // Focus that moves on to the combo box's own edit field stays with the combo box.
      combo->focused = IsChild(window, reinterpret_cast<HWND>(wParam)) ? 1 : 0;
      break;
    case WM_COMMAND:
      NoteFieldFocus(window, *combo, wParam, lParam);
      break;
    case WM_SETTEXT:
      result = ForwardMessage(window, message, wParam, lParam);
      if (HoldsEditField(window)) {
        InvalidateRect(window, nullptr, TRUE);
      } else {
        Repaint(window);
      }
      return result;
    case WM_PAINT:
      return OnPaint(window, wParam, lParam);
    case WM_PRINTCLIENT:
      if (!RecordAt(OwnerStyleIndex(window))) break;
      return PrintClient(window, reinterpret_cast<HDC>(wParam), LookArea::WholeWindow,
                         [window](HDC dc) { Repaint(window, {}, {}, dc); });
    case WM_PRINT:
      if (!RecordAt(OwnerStyleIndex(window))) break;
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam,
                              [window](HDC dc) { Repaint(window, {}, {}, dc); });
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return 1;
    case WM_NCPAINT:
      // Sent from the BeginPaint of our WM_PAINT, which paints the whole window next.
      if (beginningPaint == window) return 0;
      if (Repaint(window)) return 0;
      break;
    case WM_MOUSEMOVE: {
      int entry = static_cast<int>(ReadProperty(window, EntryIndexProperty));
      TrackHover(window, *record, entry, HotCombos, [window, combo] {
        combo->hovered = 1;
        Repaint(window);
      });
      break;
    }
    case WM_MOUSELEAVE:
      combo->hovered = 0;
      Repaint(window);
      record->hotIndex = 0;
      break;
    default:
      break;
  }
  if (!SystemDrawsAfter(message)) return ForwardMessage(window, message, wParam, lParam);
  return ForwardThenPaint(window, message, wParam, lParam, [&] {
    if (ControlEntry(window, &StyleRecord::combos) != combo) return;  // destroyed meanwhile
    RefreshHover(window, *record, *combo);
    Repaint(window);
  });
}
