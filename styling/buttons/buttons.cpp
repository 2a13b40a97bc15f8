#include "styling/buttons/buttons.h"

#include <string>

#include "styling/buttons/check_looks.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

constexpr LONG OwnerDrawBits = 0xB;  // BS_OWNERDRAW
constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;

void InstallPushButton(int styleIndex, StyleRecord& record, HWND button, LONG style) {
  int entry = record.buttons.AppendEntry(button);
  ButtonRecord& own = record.buttons[entry];
  own.kind = PushButtonKind;
  own.text = WindowText(button);
  own.priorProc = SubclassControl(button, styleIndex, entry, ButtonWindowProc);
  // The system button now asks its parent to draw it; the default-button type is not kept.
  SetWindowLongA(button, GWL_STYLE, style | OwnerDrawBits);
  ControlFont font = ReadControlFont(button);
  own.fontName = font.fontName.empty() ? DefaultFontName : font.fontName;
  own.fontSize = font.fontSize != 0 ? font.fontSize : DefaultFontSize;
  own.fontStyle = font.fontStyle;
}

// Check boxes and radio buttons repaint themselves after the system has changed their state.
LRESULT CheckOrRadioStep(HWND window, const ButtonRecord& button, UINT message, WPARAM wParam,
                         LPARAM lParam) {
  if (button.kind == RadioButtonKind) {
    ForwardMessage(window, message, wParam, lParam);
    PaintRadioButton(window, ButtonSelected);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (button.kind == CheckBoxKind) {
    ForwardMessage(window, message, wParam, lParam);
    PaintCheckBox(window, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return ForwardMessage(window, message, wParam, lParam);
}

LRESULT PaintOwnLook(HWND window, const ButtonRecord& button, WPARAM wParam, LPARAM lParam) {
  if (button.kind != RadioButtonKind && button.kind != CheckBoxKind) {
    // The system button asks its parent to draw it, which reaches PaintPushButton.
    return ForwardMessage(window, WM_PAINT, wParam, lParam);
  }
  PAINTSTRUCT paint{};
  BeginPaint(window, &paint);
  if (button.kind == RadioButtonKind) {
    PaintRadioButton(window, 0);
  } else {
    PaintCheckBox(window, 0);
  }
  EndPaint(window, &paint);
  return DefWindowProcA(window, WM_PAINT, wParam, lParam);
}

void OnMouseMove(HWND window, StyleRecord& record) {
  int entry = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  TrackHover(window, record, entry, HotButtons, [window] { RepaintButton(window, 0, true); });
}

void OnMouseLeave(HWND window, StyleRecord& record, const ButtonRecord& button) {
  record.hotIndex = 0;
  RepaintButton(window, button.focused ? ButtonFocused : 0, false);
}

}  // namespace

bool IsStylablePushButton(LONG style) {
  bool ownerDrawn = (style | OwnerDrawBits) == style;
  bool pushType = !(style & 0x2) && (style & 0x9) != 0x9 && !(style & 0x4);
  return !ownerDrawn && pushType;
}

void InstallPushButtons(int styleIndex, HWND parentWindow) {
  if (!StylingEnabled) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  for (HWND child = FindWindowExA(parentWindow, nullptr, "BUTTON", nullptr); child;
       child = FindWindowExA(parentWindow, child, "BUTTON", nullptr)) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!IsStylablePushButton(style) || record->buttons.Find(child)) continue;
    InstallPushButton(styleIndex, *record, child, style);
  }
}

LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordOfControl(window);
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!record || !button || button->window != window) {
    return ForwardMessage(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFOCUS:
      button->focused = 1;
      break;
    case WM_KILLFOCUS:
      button->focused = 0;
      break;
    case WM_SETTEXT:
      button->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      break;
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      return static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(ReadProperty(window, TextColourProperty))));
    }
    case WM_NCPAINT:
      return 1;
    case WM_PAINT:
      return PaintOwnLook(window, *button, wParam, lParam);
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record);
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(window, *record, *button);
      break;
    case WM_LBUTTONDOWN:
      button->pressed = 1;
      return CheckOrRadioStep(window, *button, message, wParam, lParam);
    case WM_LBUTTONUP:
      button->pressed = 0;
      record->hotIndex = 0;
      break;
    case WM_LBUTTONDBLCLK:
      // A double click is not a second click.
      return 0;
    case BM_SETCHECK:
      return CheckOrRadioStep(window, *button, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) return CheckOrRadioStep(window, *button, message, wParam, lParam);
      break;
    case BM_SETSTYLE:
      // The dialog manager marks the default button by its style; a styled push button stays
      // owner-drawn, or the system would draw it again.
      if (button->kind == PushButtonKind) {
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | OwnerDrawBits;
      }
      break;
    case BM_SETSTATE:
      // While the mouse holds the button it keeps its pushed look.
      if (wParam == 0 && button->pressed == 1) return 0;
      break;
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

void RepaintButton(HWND window, UINT itemState, bool hover) {
  if (hover) itemState |= ButtonHover;
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button || button->window != window) return;
  switch (button->kind) {
    case PushButtonKind: {
      HDC dc = GetDC(window);
      RECT client{};
      GetClientRect(window, &client);
      PaintPushButton(window, dc, itemState, client);
      ReleaseDC(window, dc);
      break;
    }
    case RadioButtonKind:
      PaintRadioButton(window, itemState);
      break;
    case CheckBoxKind:
      PaintCheckBox(window, itemState);
      break;
    default:
      break;
  }
}
