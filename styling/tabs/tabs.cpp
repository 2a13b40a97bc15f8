#include "styling/tabs/tabs.h"

#include <commctrl.h>

#include "styling/pages/pages.h"
#include "styling/records/family_install.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/updowns/updowns.h"

namespace {

// The caption of every tab takes the control's font again (on install and WM_SETFONT).
void TakeFont(TabEntry& entry) {
  for (CaptionText& caption : entry.captions) caption.SetFont(entry.window);
}

// The scroll arrows of a single row come when the tabs no longer fit: after items are added,
// the control is resized or its style changes.
bool MayMakeScrollArrows(UINT message) {
  return message == TCM_INSERTITEMA || message == TCM_INSERTITEMW || message == WM_SIZE ||
         message == TCM_SETITEMSIZE || message == WM_STYLECHANGED;
}

// The focus, the cues and the enabled state are part of the look: the control need not repaint
// for them.
bool ChangesTabCues(UINT message) {
  return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE ||
         message == WM_ENABLE;
}

void OnMouseMove(HWND tab, TabEntry& entry, LPARAM lParam) {
  RequestMouseLeave(tab);
  TCHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  int item = static_cast<int>(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item == entry.hotItem) return;
  entry.hotItem = item;
  PaintTabControl(tab);
}

}  // namespace

void InstallTabControls(int styleIndex, HWND parent) {
  InstallChildrenOfClass(styleIndex, parent, WC_TABCONTROLA, &StyleRecord::tabs,
                         [styleIndex](TabEntry& entry, HWND tab, int position) {
                           entry.scale = ScaleOf(tab);
                           entry.priorProc = SubclassControl(tab, styleIndex, position, TabWndProc);
                           InstallUpDowns(styleIndex, tab);
                           // A program's own tab pages may be the control's children.
                           InstallChildDialogs(styleIndex, tab);
                         });
}

LRESULT CALLBACK TabWndProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam) {
  auto [record, entry, place] = StyledControlOf(tab, &StyleRecord::tabs);
  if (!entry || !StylingEnabled) return ForwardMessage(tab, message, wParam, lParam);
  auto repaint = [tab](HDC dc = nullptr) { PaintTabControl(tab, dc); };
  if (LRESULT answer = 0;
      AnswerPaintMessage(tab, message, wParam, lParam, NonClientArea::System, repaint, answer)) {
    return answer;
  }
  if (TellsDpiChange(message)) entry->scale = ScaleOf(tab);
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(tab, *entry, lParam);
      break;
    case WM_MOUSELEAVE:
      entry->hotItem = -1;
      repaint();
      break;
    case WM_SETFONT: {
      LRESULT result = ForwardMessage(tab, message, wParam, lParam);
      TakeFont(*entry);
      InvalidateRect(tab, nullptr, FALSE);
      return result;
    }
    case WM_PARENTNOTIFY:
      NoteChildCreated(wParam, lParam);
      break;
    default:
      break;
  }
  LRESULT result = ForwardMessage(tab, message, wParam, lParam);
  if (MayMakeScrollArrows(message)) InstallUpDowns(place.styleIndex, tab);
  if (ChangesTabCues(message) && IsWindow(tab)) InvalidateRect(tab, nullptr, FALSE);
  return result;
}
