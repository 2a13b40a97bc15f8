#include "styling/toolbars/toolbars.h"

#include <commctrl.h>

#include "styling/frame/frame.h"
#include "styling/hook/hook.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"

namespace {

constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;
constexpr int AncestorDepthLimit = 256;

// The nearest ancestor (up to the top-level window) whose "Wxk_Zpf" is 1, else 0.
HWND MarkedAncestor(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  HWND step = window;
  for (int depth = 0; depth < AncestorDepthLimit && step && step != root; ++depth) {
    step = GetParent(step);
    if (step && ReadProperty(step, AncestorMarkProperty) == 1) return step;
  }
  return nullptr;
}

// The container's entry, when "Hw_FuID" and "Hw_lbID" still name it.
ContainerEntry* ContainerOf(HWND window) { return ControlEntry(window, &StyleRecord::containers); }

bool IsTreeExpansion(UINT code) {
  return code == TVN_ITEMEXPANDINGA || code == TVN_ITEMEXPANDEDA || code == TVN_ITEMEXPANDINGW ||
         code == TVN_ITEMEXPANDEDW;
}

// The focus and the keyboard cues are part of the toolbar's look; the system's toolbar need not
// repaint for them.
bool ChangesToolbarCues(UINT message) {
  return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE;
}

// The toolbar's DPI and its font as GDI+ sees it, read again when its DPI changes.
void TakeDpiAndFont(ToolbarEntry& entry) {
  entry.scale = ScaleOf(entry.window);
  ControlFont font = ReadControlFont(entry.window);
  entry.fontName = font.fontName.empty() ? DefaultFontName : font.fontName;
  entry.fontSize = font.fontSize != 0 ? font.fontSize : entry.scale(DefaultFontSize);
  entry.fontStyle = font.fontStyle;
}

}  // namespace

void InstallToolbars(int styleIndex, HWND parent) {
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  ForEachChildOfClass(parent, TOOLBARCLASSNAMEA, [record](HWND toolbar) {
    // A second subclass would make the toolbar pass its messages on to itself.
    if (record->toolbars.Find(toolbar)) return;
    SetPropA(toolbar, ToolbarImagesProperty,
             reinterpret_cast<HANDLE>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)));
    RegisterToolbar(toolbar);
  });
}

void RegisterToolbar(HWND toolbar) {
  int styleIndex = OwnerStyleIndex(toolbar);
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  int position = record->toolbars.AppendEntry(toolbar);
  ToolbarEntry& entry = record->toolbars[position];
  TakeDpiAndFont(entry);
  entry.priorProc = SubclassWindow(toolbar, ToolbarWndProc, ToolbarProcProperty);
  WriteProperty(toolbar, ToolbarEntryProperty, position);
  WriteProperty(toolbar, ToolbarStyleIndexProperty, styleIndex);
  if (FindWindowExA(toolbar, nullptr, nullptr, nullptr)) RegisterContainer(toolbar);
}

void RegisterContainer(HWND window) {
  int styleIndex = OwnerStyleIndex(window);
  StyleRecord* record = RecordAt(styleIndex);
  if (!record || record->containers.Find(window)) return;
  int position = record->containers.AppendEntry(window);
  InstallChildFamilies(styleIndex, window);
  // The installers may have grown the list; the entry is held by pointer and stays put.
  record->containers[position].priorProc =
      SubclassControl(window, styleIndex, position, ContainerWndProc);
  SetPropA(window, MarkedAncestorProperty, MarkedAncestor(window));
}

LRESULT CALLBACK ToolbarWndProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
  // Without its record (the dialog is gone) the toolbar paints itself as the system would.
  bool styled = StylingEnabled && ToolbarEntryOf(toolbar);
  if (TellsDpiChange(message)) {
    if (ToolbarEntry* entry = ToolbarEntryOf(toolbar)) TakeDpiAndFont(*entry);
  }
  if (message == WM_PAINT && styled) {
    return PaintInsteadOfSystem(toolbar, wParam, lParam, [toolbar] { PaintToolbar(toolbar); });
  }
  if (message == WM_PRINTCLIENT && styled) {
    return PrintClient(toolbar, reinterpret_cast<HDC>(wParam), LookArea::Client,
                       [toolbar](HDC dc) { PaintToolbar(toolbar, dc); });
  }
  if (message == WM_PRINT && styled) {
    // The system draws the toolbar's border. Its procedure is kept under the toolbar's own
    // name: "Hw_hProc" of a toolbar holding windows is this procedure, which would print again.
    return PrintWindowParts(toolbar, reinterpret_cast<HDC>(wParam), lParam, [toolbar](HDC dc) {
      ForwardMessage(toolbar, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT,
                     ToolbarProcProperty);
    });
  }
  LRESULT result = ForwardMessage(toolbar, message, wParam, lParam, ToolbarProcProperty);
  if (styled && ChangesToolbarCues(message) && IsWindow(toolbar)) {
    InvalidateRect(toolbar, nullptr, FALSE);
  }
  return result;
}

LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam == 1) {
        ForwardMessage(window, message, wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
      }
      break;
    case WM_DRAWITEM:
      if (lParam && ContainerOf(window)) {
        DRAWITEMSTRUCT item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        RouteOwnerDrawnItem(static_cast<int>(ReadProperty(window, StyleIndexProperty)), item);
      }
      break;
    case WM_NOTIFY:
      if (lParam) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (IsTreeExpansion(header.code)) InvalidateRect(header.hwndFrom, nullptr, TRUE);
      }
      break;
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}
