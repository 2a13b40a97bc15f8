#include "styling/edits/edits.h"

#include "styling/combos/combos.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

// Messages after which the edit may have scrolled or changed the state of its bars.
bool MayScroll(UINT message) {
  switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_TIMER:  // the edit scrolls on a timer while a selection is dragged past its edge
    case WM_SIZE:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
    case EM_SETHANDLE:
    case EM_SETREADONLY:
      return true;
    default:
      return false;
  }
}

// The hover slot goes to this edit; its frame is drawn in the hover look once, when it does.
void OnMouseMove(HWND window, StyleRecord& record, EditRecord& edit) {
  RequestMouseLeave(window);
  int entry = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  HWND parent = GetParent(window);
  record.pointerIndex = entry;
  if (record.hotIndex == entry && record.hotKind == HotEdits && record.hotParent == parent) return;
  edit.hovered = 1;
  PaintEditFrame(window);
  record.hotIndex = entry;
  record.hotKind = HotEdits;
  record.hotParent = parent;
}

void OnMouseLeave(HWND window, StyleRecord& record, EditRecord& edit) {
  record.hotIndex = 0;
  edit.hovered = 0;
  PaintEditFrame(window);
}

// Focus arrives or leaves: the look follows once the edit has done its own drawing.
LRESULT OnFocusChange(HWND window, EditRecord& edit, UINT message, WPARAM wParam, LPARAM lParam) {
  if (ReadProperty(window, EntryIndexProperty) >= 1) edit.focused = message == WM_SETFOCUS;
  LRESULT result = ForwardMessage(window, message, wParam, lParam);
  if (message == WM_KILLFOCUS && ClassNameOf(GetParent(window)) == "ComboBox") {
    // The combo box draws around its edit field.
    InvalidateRect(window, nullptr, TRUE);
  } else {
    PaintEditFrame(window);
  }
  return result;
}

// The edit's entry after a message went through to its own procedure, which may have closed the
// dialog (the entry freed with its record) or destroyed the edit: nullptr then.
EditRecord* LiveEdit(HWND window) {
  return IsWindow(window) ? ControlEntry(window, &StyleRecord::edits) : nullptr;
}

}  // namespace

void InstallEditControls(int styleIndex, HWND parentWindow) {
  InstallChildrenOfClass(styleIndex, parentWindow, "Edit", &StyleRecord::edits,
                         [styleIndex](EditRecord& entry, HWND edit, int position) {
                           entry.covers = CreateEmulatedScrollBars(edit);
                           entry.priorProc =
                               SubclassControl(edit, styleIndex, position, EditWindowProc);
                           WriteProperty(edit, TextColourProperty, 0);
                         });
  InstallComboBoxes(styleIndex, parentWindow);
}

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordOfControl(window);
  EditRecord* edit = ControlEntry(window, &StyleRecord::edits);
  if (!record || !edit) {
    return ForwardMessage(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_DESTROY:
      // The dialog may have released these already, on its own WM_DESTROY.
      DeleteObjectProperty(window, BackgroundBrushProperty);
      DeleteObjectProperty(window, BackgroundBitmapProperty);
      ReleaseCoveredControl(*edit);
      break;
    case WM_MOVE:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED: {
      LRESULT result = ForwardMessage(window, message, wParam, lParam);
      if (EditRecord* again = LiveEdit(window)) PlaceEmulatedScrollBars(window, again->covers);
      return result;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record, *edit);
      if (edit->pressed && !edit->covers.vertical && !edit->covers.horizontal) {
        InvalidateRect(window, nullptr, TRUE);
      }
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(window, *record, *edit);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return OnFocusChange(window, *edit, message, wParam, lParam);
    case WM_PAINT: {
      OnePaintScope onePaint;  // the frame's and the system's paint ask for the same lists
      PaintEditFrame(window);
      return ForwardMessage(window, message, wParam, lParam);
    }
    case WM_NCPAINT:
      // The system frame and bars are never drawn once the styled look can be.
      if (!PaintEditFrame(window)) break;
      RepaintEmulatedScrollBars(window, edit->covers);
      return 0;
    case WM_PRINT:
      // The styled frame; the text through WM_PRINTCLIENT, as the system draws it.
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam,
                              [window](HDC dc) { PaintEditFrame(window, {}, {}, dc); });
    case WM_NCMOUSEMOVE:
      return ForwardThenPaint(window, message, wParam, lParam, [=] {
        if (EditRecord* again = LiveEdit(window)) {
          HoverEmulatedScrollBars(window, again->covers, lParam);
        }
      });
    case WM_NCMOUSELEAVE:
      return ForwardThenPaint(window, message, wParam, lParam, [=] {
        if (EditRecord* again = LiveEdit(window)) LeaveEmulatedScrollBars(again->covers);
      });
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      // The real bar tracks the mouse in its own loop and draws itself when the button goes up.
      return ForwardThenPaint(window, message, wParam, lParam, [=] {
        if (EditRecord* again = LiveEdit(window)) PaintEmulatedScrollBars(window, again->covers);
      });
    case WM_LBUTTONDOWN:
      edit->pressed = 1;
      break;
    case WM_LBUTTONUP:
      edit->pressed = 0;
      break;
    default:
      break;
  }
  // A selection dragged with the button held scrolls the edit too.
  bool dragging = message == WM_MOUSEMOVE && edit->pressed;
  if (!MayScroll(message) && !dragging) return ForwardMessage(window, message, wParam, lParam);
  return ForwardThenPaint(window, message, wParam, lParam, [&] {
    EditRecord* again = LiveEdit(window);
    if (!again) return;
    RepaintEmulatedScrollBars(window, again->covers);
    if (message == WM_ENABLE || message == EM_SETREADONLY) PaintEditFrame(window);
  });
}
