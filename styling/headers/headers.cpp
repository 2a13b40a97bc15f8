#include "styling/headers/headers.h"

#include <commctrl.h>

#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"

namespace {

constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;
constexpr int DividerZone = 5;  // pixels beside a divider that belong to no item

HeaderEntry* EntryAt(int styleIndex, int position) {
  return FamilyEntryAt(styleIndex, position, &StyleRecord::headers);
}

// The header's own font (WM_GETFONT), the default when GDI+ cannot use it.
void CaptureFont(HeaderEntry& entry) {
  ControlFont font = ReadControlFont(entry.window);
  entry.fontName = font.fontName.empty() ? DefaultFontName : font.fontName;
  entry.fontSize = font.fontSize != 0 ? font.fontSize : entry.scale(DefaultFontSize);
  entry.fontStyle = font.fontStyle;
}

void InstallHeader(int styleIndex, StyleRecord& record, HWND header) {
  ListControl(record, &StyleRecord::headers, header,
              [styleIndex](HeaderEntry& entry, HWND control, int position) {
                entry.clickable = (GetWindowLongA(control, GWL_STYLE) & HDS_BUTTONS) ? 1 : 0;
                entry.scale = ScaleOf(control);
                CaptureFont(entry);
                entry.priorProc = SubclassControl(control, styleIndex, position, HeaderWndProc);
                entry.imageList =
                    reinterpret_cast<HIMAGELIST>(SendMessageA(control, HDM_GETIMAGELIST, 0, 0));
              });
}

void OnMouseMove(HWND window, StyleRecord& record, HeaderEntry& entry, ControlPlace place,
                 LPARAM lParam) {
  RequestMouseLeave(window);
  record.pointerIndex = place.position;
  record.hotKind = HotHeaders;
  entry.hovered = 1;
  entry.hotItem = HitTestHeaderItem(place.styleIndex, place.position, lParam);
  if (entry.hotItem != entry.paintedHotItem && entry.hotItem >= 1 && entry.pressed == 0) {
    PaintHeader(place.styleIndex, place.position, nullptr);
    entry.paintedHotItem = entry.hotItem;
  } else if (entry.hotItem == 0) {
    // Beside a divider: the hover look goes, once.
    bool shown = entry.paintedHotItem != 0;
    entry.paintedHotItem = 0;
    entry.hovered = 0;
    if (shown) PaintHeader(place.styleIndex, place.position, nullptr);
  }
}

}  // namespace

void InstallHeaders(int styleIndex, HWND parent) {
  if (!StylingEnabled) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  ForEachChildOfClass(parent, WC_HEADERA,
                      [&](HWND header) { InstallHeader(styleIndex, *record, header); });
  ForEachChildOfClass(parent, WC_LISTVIEWA, [&](HWND listView) {
    if (HWND header = FindWindowExA(listView, nullptr, WC_HEADERA, nullptr)) {
      InstallHeader(styleIndex, *record, header);
    }
  });
}

int HitTestHeaderItem(int styleIndex, int position, LPARAM point) {
  HeaderEntry* entry = EntryAt(styleIndex, position);
  if (!entry) return 0;
  int x = SignedLowHalf(static_cast<std::uintptr_t>(point));
  int count = static_cast<int>(SendMessageA(entry->window, HDM_GETITEMCOUNT, 0, 0));
  for (int item = 1; item <= count; ++item) {
    RECT rect{};
    SendMessageA(entry->window, HDM_GETITEMRECT, static_cast<WPARAM>(item - 1),
                 reinterpret_cast<LPARAM>(&rect));
    int zone = entry->scale(DividerZone);
    if (rect.left + zone <= x && x <= rect.right - zone) return item;
  }
  return 0;
}

LRESULT CALLBACK HeaderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto [record, entry, place] = StyledControlOf(window, &StyleRecord::headers);
  auto repaint = [place](HDC dc = nullptr) { PaintHeader(place.styleIndex, place.position, dc); };
  if (auto answer =
          AnswerFirst(window, entry, message, wParam, lParam, NonClientArea::System, repaint)) {
    return *answer;
  }
  if (TellsDpiChange(message)) {
    entry->scale = ScaleOf(window);
    CaptureFont(*entry);
  }
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record, *entry, place, lParam);
      break;
    case WM_MOUSELEAVE:
      record->hotIndex = 0;
      entry->paintedHotItem = entry->hotItem = entry->hovered = 0;
      repaint();
      break;
    case WM_LBUTTONDOWN:
      entry->pressed = 1;
      if (entry->hotItem >= 1) entry->pressedItem = entry->hotItem;
      return ForwardThenPaint(window, message, wParam, lParam, repaint);
    case WM_LBUTTONUP:
      entry->pressed = 0;
      entry->pressedItem = 0;
      return ForwardThenPaint(window, message, wParam, lParam, repaint);
    case WM_ENABLE:
      return ForwardThenPaint(window, message, wParam, lParam, repaint);
    case WM_SETFONT:
      return ForwardThenPaint(window, message, wParam, lParam, [entry] { CaptureFont(*entry); });
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}
