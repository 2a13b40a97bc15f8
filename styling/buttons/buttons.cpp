#include "styling/buttons/buttons.h"

#include <string>

#include "drawing/drawing.h"
#include "styling/buttons/check_looks.h"
#include "styling/records/child_windows.h"
#include "styling/records/control_text.h"
#include "styling/records/family_install.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/statics/statics.h"

namespace {

constexpr LONG OwnerDrawBits = 0xB;  // BS_OWNERDRAW

void InstallPushButton(int styleIndex, StyleRecord& record, HWND button, LONG style) {
  int entry = record.buttons.AppendEntry(button);
  ButtonRecord& own = record.buttons[entry];
  own.kind = PushButtonKind;
  own.text = WindowText(button);
  own.priorProc = SubclassControl(button, styleIndex, entry, ButtonWindowProc);
  // The system button now asks its parent to draw it; the default-button type is not kept.
  SetWindowLongA(button, GWL_STYLE, style | OwnerDrawBits);
  own.caption.SetFont(button);
}

// Check boxes of every kind, the three-state ones and those the program checks itself too.
bool IsStylableCheckBox(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_PUSHBOX:
      return true;
    default:
      return false;
  }
}

bool IsStylableRadioButton(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// Check boxes and radio buttons stay system-drawn; their look is painted over the system's.
void InstallCheckOrRadio(int styleIndex, StyleRecord& record, HWND button, HWND parent,
                         ButtonKind kind) {
  const bool checked = SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ListControl(record, &StyleRecord::buttons, button,
              [&](ButtonRecord& own, HWND control, int entry) {
                own.text = WindowText(control);
                own.checked = checked ? 1 : 0;
                own.focused = GetFocus() == control ? 1 : 0;  // then kept by the focus messages
                own.parent = parent;
                own.kind = kind;
                own.priorProc = SubclassControl(control, styleIndex, entry, ButtonWindowProc);
                own.caption.SetFont(control);
              });
}

// The kinds the system still draws, with the engine's look painted over its drawing.
bool IsCheckOrRadio(const ButtonRecord& button) {
  return button.kind == RadioButtonKind || button.kind == CheckBoxKind ||
         button.kind == GroupBoxKind;
}

// The system's button code draws check boxes and radio buttons straight to the screen on these
// messages, outside WM_PAINT (Wine's visibly so): focus changes, enabling, a new caption, the
// check and pushed states, and the click and space key that change them.
bool SystemDrawsOn(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return true;
    case WM_KEYDOWN:
      return wParam == VK_SPACE;
    default:
      return false;
  }
}

// The styled look as it is now, painted over whatever the system drew. The entry is looked up
// afresh: the message just handled may have run code that closed the dialog.
void RepaintCheckOrRadio(HWND window, HDC dc = nullptr) {
  StyleRecord* record = IsWindow(window) ? RecordOfControl(window) : nullptr;
  if (record) RepaintButton(window, HoldsHoverSlot(window, *record) ? ButtonHover : 0, false, dc);
}

void OnMouseLeave(HWND window, StyleRecord& record, const ButtonRecord& button) {
  record.hotIndex = 0;
  RepaintButton(window, button.focused ? ButtonFocused : 0, false);
}

// Whether the pointer is on the button now, wherever the messages say it was.
bool PointerIsOn(HWND window) {
  POINT at{};
  return GetCursorPos(&at) && WindowFromPoint(at) == window;
}

void OnMouseMove(HWND window, StyleRecord& record, const ButtonRecord& button, LPARAM lParam) {
  int entry = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  // A button holding the capture hears of the pointer outside it too: that is no hover, and a
  // hovered button the pointer has left takes its plain look again.
  RECT client{};
  GetClientRect(window, &client);
  bool on = PtInRect(&client, MakePoint(SignedLowHalf(lParam), SignedHighHalf(lParam)));
  if (!on) {
    if (record.hotKind == HotButtons && record.hotIndex == entry) {
      OnMouseLeave(window, record, button);
    }
    return;
  }
  TrackHover(window, record, entry, HotButtons, [window] { RepaintButton(window, 0, true); });
}

// A push-like check box or radio button keeps its check behaviour (the system still draws it
// underneath) and shows the push-button look, held down while checked.
void PaintPushLike(HWND window, UINT itemState, HDC dc) {
  if (!ShowsForPaint(window, dc)) return;
  itemState &= ButtonHover;
  if (!IsWindowEnabled(window)) itemState = ButtonDisabled;
  if (ShowsFocusLook(window)) itemState |= ButtonFocused;
  if (SendMessageA(window, BM_GETCHECK, 0, 0) != BST_UNCHECKED) itemState |= ButtonSelected;
  TargetDc target(window, dc, LookArea::Client);
  RECT client{};
  GetClientRect(window, &client);
  PaintPushButton(window, target.Get(), itemState, client);
}

}  // namespace

CaptionLook CaptionLookOf(HWND window) {
  CaptionLook look;
  look.format =
      ButtonTextFormat(GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE));
  look.keys = CaptionAccessKeys(window);
  look.colour = IsWindowEnabled(window)
                    ? static_cast<COLORREF>(ReadProperty(window, TextColourProperty))
                    : GetSysColor(COLOR_GRAYTEXT);
  return look;
}

void PaintButtonCaption(Graphics& graphics, ButtonRecord& button, const RECT& box,
                        const CaptionLook& look, int nearestLeft) {
  if (!look.halo) {
    button.caption.Draw(graphics, button.text, box, look.format, look.keys, ToArgb(look.colour),
                        nearestLeft);
    return;
  }
  const TextLayout& laidOut = button.caption.Layout(button.text, box, look.format, look.keys);
  TextLayout moved;
  if (nearestLeft >= 0) {
    moved = laidOut;
    KeepInside(moved, nearestLeft, box.right);
  }
  DrawCaptionLines(graphics, button, nearestLeft >= 0 ? moved : laidOut, look,
                   SIZE{box.right, box.bottom});
}

void DrawCaptionLines(Graphics& graphics, ButtonRecord& button, const TextLayout& lines,
                      const CaptionLook& look, SIZE area, POINT at) {
  const auto x = static_cast<float>(at.x), y = static_cast<float>(at.y);
  if (look.halo) {
    const RectF room{x, y, static_cast<float>(area.cx), static_cast<float>(area.cy)};
    DrawHaloText(graphics, lines, button.caption.Pen(), room, look.colour, RGB(255, 255, 255),
                 ScaleOfControl(button.window)(HaloScale));
    return;
  }
  SolidBrush brush;
  brush.Create(ToArgb(look.colour));
  button.caption.Pen().Draw(graphics, lines, brush, x, y);
}

bool HoldsHoverSlot(HWND window, const StyleRecord& record) {
  int entry = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  return record.hotKind == HotButtons && record.hotIndex == entry;
}

bool IsStylablePushButton(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_USERBUTTON:
      return true;
    default:
      return false;
  }
}

void InstallPushButtons(int styleIndex, HWND parentWindow) {
  VisitChildrenOfClass(styleIndex, parentWindow, "BUTTON", [&](StyleRecord& record, HWND child) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (!IsStylablePushButton(style) || record.buttons.Find(child)) return;
    InstallPushButton(styleIndex, record, child, style);
  });
}

void InstallCheckBoxesAndRadioButtons(int styleIndex, HWND parentWindow) {
  VisitChildrenOfClass(styleIndex, parentWindow, "BUTTON", [&](StyleRecord& record, HWND child) {
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (IsStylableCheckBox(style)) {
      InstallCheckOrRadio(styleIndex, record, child, parentWindow, CheckBoxKind);
    } else if (IsStylableRadioButton(style)) {
      InstallCheckOrRadio(styleIndex, record, child, parentWindow, RadioButtonKind);
    } else if ((style & BS_TYPEMASK) == BS_GROUPBOX && !(style & (BS_ICON | BS_BITMAP))) {
      // A group box showing an image instead of its text is the system's to draw whole.
      InstallCheckOrRadio(styleIndex, record, child, parentWindow, GroupBoxKind);
    }
  });
}

LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordOfControl(window);
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!record || !button) return ForwardMessage(window, message, wParam, lParam);
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
    case WM_SETFONT:
      return SetCaptionFont(window, &StyleRecord::buttons, wParam, lParam);
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      // In our own paint the look covers everything: the system draws no text to colour.
      if (beginningPaint == window) return 1;
      return static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(ReadProperty(window, TextColourProperty))));
    }
    case WM_NCPAINT:
      return 1;
    case WM_PAINT:
      if (!IsCheckOrRadio(*button)) break;  // the system asks the parent to draw a push button
      if (button->kind == GroupBoxKind) {
        OnePaintScope onePaint;  // the border and the caption ask for the same siblings
        return PaintIntoPaintDc(window, wParam, lParam,
                                [window](HDC dc) { RepaintCheckOrRadio(window, dc); });
      }
      return PaintIntoPaintDc(window, wParam, lParam,
                              [window](HDC dc) { RepaintCheckOrRadio(window, dc); });
    case WM_PRINTCLIENT:
      // A push button's system code asks the parent to draw it, into this DC, as on WM_PAINT.
      if (!IsCheckOrRadio(*button)) break;
      return PrintClient(window, reinterpret_cast<HDC>(wParam), LookArea::Client,
                         [window](HDC dc) { RepaintCheckOrRadio(window, dc); });
    case WM_PRINT:
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam);
    case WM_MOUSEMOVE:
      OnMouseMove(window, *record, *button, lParam);
      break;
    case WM_MOUSELEAVE:
      // Wine notices a leave on a timer; one that arrives after the pointer came back is stale.
      if (PointerIsOn(window)) {
        RequestMouseLeave(window);
        break;
      }
      OnMouseLeave(window, *record, *button);
      break;
    case WM_LBUTTONDOWN:
      button->pressed = 1;
      break;
    case WM_LBUTTONUP:
      button->pressed = 0;
      record->hotIndex = 0;
      break;
    case WM_LBUTTONDBLCLK:
      // A double click is not a second click of a push button; a check box is toggled twice,
      // as the system does: its button code takes the second press as a mouse-down.
      if (!IsCheckOrRadio(*button)) return 0;
      button->pressed = 1;
      break;
    case BM_SETSTYLE:
      // The dialog manager marks the default button by its style; a styled push button stays
      // owner-drawn, or the system would draw it again.
      if (button->kind == PushButtonKind) {
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | OwnerDrawBits;
      }
      break;
    case WM_UPDATEUISTATE:
      // A push button's access key follows the accelerator cue; the system's owner-drawn button
      // need not repaint for it (Wine's does not). One invalidation joins the system's own.
      if (button->kind == PushButtonKind && button->text.find('&') != std::string::npos) {
        InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case BM_SETSTATE:
      // While the mouse holds the button it keeps its pushed look.
      if (wParam == 0 && button->pressed == 1) return 0;
      break;
    case WM_CAPTURECHANGED:
      // The mouse no longer holds the button (another window took the capture, Alt+Tab,
      // Escape): the press is over, and the system's un-highlight that follows goes through.
      if (reinterpret_cast<HWND>(lParam) != window) button->pressed = 0;
      break;
    case WM_CANCELMODE:
      button->pressed = 0;
      break;
    default:
      break;
  }
  if (IsCheckOrRadio(*button) && SystemDrawsOn(message, wParam)) {
    return ForwardThenPaint(window, message, wParam, lParam,
                            [window] { RepaintCheckOrRadio(window); });
  }
  return ForwardMessage(window, message, wParam, lParam);
}

void RepaintButton(HWND window, UINT itemState, bool hover, HDC dc) {
  if (hover) itemState |= ButtonHover;
  ButtonRecord* button = ControlEntry(window, &StyleRecord::buttons);
  if (!button) return;
  switch (button->kind) {
    case PushButtonKind: {
      TargetDc target(window, dc, LookArea::Client);
      RECT client{};
      GetClientRect(window, &client);
      PaintPushButton(window, target.Get(), itemState, client);
      break;
    }
    case GroupBoxKind:
      PaintGroupBox(window, dc);
      break;
    case RadioButtonKind:
    case CheckBoxKind:
      if (GetWindowLongA(window, GWL_STYLE) & BS_PUSHLIKE) {
        PaintPushLike(window, itemState, dc);
      } else if (button->kind == RadioButtonKind) {
        PaintRadioButton(window, itemState, dc);
      } else {
        PaintCheckBox(window, itemState, dc);
      }
      break;
    default:
      break;
  }
}
