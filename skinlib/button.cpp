// Skinned push buttons: normal, hover, pressed and disabled looks in one canvas. The button
// keeps its own behaviour (focus, keyboard, clicks); only its painting is replaced.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include "skinlib/gdi.h"
#include "skinlib/paint.h"
#include "skinlib/skin_windows.h"
#include "skinlib/subclass.h"

namespace skin {

namespace {

using she::Colour;
using she::Metric;

struct ButtonState {
  bool hot;
  bool trackingLeave;
  int quietDepth;  // nesting of messages handled while marked invisible
};

struct Look {
  Colour top, bottom, border, text;
};

constexpr Look kNormal{Colour::ButtonTop, Colour::ButtonBottom, Colour::ButtonBorder,
                       Colour::ButtonText};
constexpr Look kHover{Colour::ButtonHoverTop, Colour::ButtonHoverBottom, Colour::ButtonHoverBorder,
                      Colour::ButtonHoverText};
constexpr Look kPressed{Colour::ButtonPressedTop, Colour::ButtonPressedBottom,
                        Colour::ButtonPressedBorder, Colour::ButtonPressedText};
constexpr Look kDisabled{Colour::ButtonDisabledFace, Colour::ButtonDisabledFace,
                         Colour::ButtonDisabledBorder, Colour::ButtonDisabledText};

UINT TextFormat(LONG style, LRESULT uiState) {
  UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      format |= DT_LEFT;
      break;
    case BS_RIGHT:
      format |= DT_RIGHT;
      break;
    default:
      format |= DT_CENTER;
      break;
  }
  if (uiState & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  return format;
}

// Multi-line text is centred vertically by measuring it first.
RECT TextBox(HDC dc, const wchar_t* text, RECT box, UINT format) {
  if (format & DT_SINGLELINE) return box;
  RECT measured = box;
  DrawTextW(dc, text, -1, &measured, format | DT_CALCRECT);
  const int offset = ((box.bottom - box.top) - (measured.bottom - measured.top)) / 2;
  if (offset > 0) box.top += offset;
  return box;
}

void PaintButton(HWND button, HDC target, const ButtonState& s) {
  const Theme* theme = CurrentTheme();
  RECT client;
  GetClientRect(button, &client);
  MemoryCanvas canvas(target, client.right, client.bottom);
  if (!theme || !canvas.ok()) return;
  HDC dc = canvas.dc();
  PaintBackdrop(dc, button, client);

  const LONG style = GetWindowLongW(button, GWL_STYLE);
  const bool enabled = IsWindowEnabled(button);
  const bool pressed = SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
  const Look& look = !enabled ? kDisabled : pressed ? kPressed : s.hot ? kHover : kNormal;
  const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  PaintRoundedBox(dc, {0, 0, client.right - 1, client.bottom - 1},
                  theme->metric(Metric::ButtonRadius), theme->colour(look.top),
                  theme->colour(look.bottom), theme->metric(Metric::ButtonStyle),
                  theme->colour(look.border),
                  isDefault && enabled ? theme->metric(Metric::DefaultButtonWidth) : 1);

  const LRESULT uiState = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
  if (enabled && GetFocus() == button && !(uiState & UISF_HIDEFOCUS)) {
    RECT focus = client;
    InflateRect(&focus, -3, -3);
    DrawFocusBox(dc, focus, theme->colour(Colour::ButtonFocus));
  }

  wchar_t text[512] = L"";
  GetWindowTextW(button, text, 512);
  auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  RECT box = client;
  InflateRect(&box, -4, -2);
  if (pressed) OffsetRect(&box, 1, 1);
  const UINT format = TextFormat(style, uiState);
  Selection selectFont(dc, font);
  DrawTextIn(dc, text, TextBox(dc, text, box, format), theme->colour(look.text), font, format);
  canvas.CopyTo(target);
}

void Repaint(HWND button) {
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

ButtonState* StateOf(HWND button);

// The system's button draws straight to the screen when its state, focus, text or enabled
// state changes. While it handles those messages it is marked invisible, so it draws
// nothing; the skin paints the result once afterwards.
LRESULT HandleQuietly(HWND button, UINT message, WPARAM wParam, LPARAM lParam, ButtonState* s) {
  const bool outermost = s->quietDepth == 0 && (GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE);
  if (outermost) DefWindowProcW(button, WM_SETREDRAW, FALSE, 0);
  ++s->quietDepth;
  const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  // The handling may have destroyed the button and its state.
  s = StateOf(button);
  if (!s) return result;
  --s->quietDepth;
  if (outermost) {
    DefWindowProcW(button, WM_SETREDRAW, TRUE, 0);
    Repaint(button);
  }
  return result;
}

void OnMouseMove(HWND button, LPARAM lParam, ButtonState* s) {
  if (!s->trackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
    s->trackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  // Under capture the pointer may be outside while the button still gets the moves.
  RECT client;
  GetClientRect(button, &client);
  const bool hot = PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (hot != s->hot) {
    s->hot = hot;
    Repaint(button);
  }
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  auto* s = reinterpret_cast<ButtonState*>(data);
  switch (message) {
    case WM_NCDESTROY:
      return EndSubclass(button, ButtonProc, s, message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(button, message, wParam, [&](HDC dc) { PaintButton(button, dc, *s); });
    case WM_MOUSEMOVE:
      OnMouseMove(button, lParam, s);
      break;
    case WM_MOUSELEAVE:
      s->trackingLeave = false;
      if (s->hot) {
        s->hot = false;
        Repaint(button);
      }
      break;
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
      return HandleQuietly(button, message, wParam, lParam, s);
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

ButtonState* StateOf(HWND button) { return SubclassStateOf<ButtonState>(button, ButtonProc); }

}  // namespace

bool SkinPushButton(HWND button) {
  if (StateOf(button)) return true;
  if (!AttachState<ButtonState>(button, ButtonProc)) return false;
  InvalidateRect(button, nullptr, TRUE);
  return true;
}

bool IsSkinnedButton(HWND window) { return StateOf(window) != nullptr; }

}  // namespace skin
