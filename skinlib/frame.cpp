// Skinned top-level windows: the skin's frame and caption replace the system's non-client
// area (frame metrics, title, icon, minimise, maximise and close buttons that work), and the
// client background is the skin's.
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

// Sent by DefWindowProc when visual styles paint the caption or frame themselves.
constexpr UINT kThemedDrawCaption = 0x00AE;
constexpr UINT kThemedDrawFrame = 0x00AF;
constexpr int kIconSize = 16;
constexpr int kMaxCaptionButtons = 3;

struct FrameState {
  bool active;
  int hot;      // hit-test code of the caption button under the pointer, or 0
  int pressed;  // hit-test code of the caption button held down, or 0
  bool pressedInside;
  bool trackingLeave;
  bool hasRegion;
  int regionWidth, regionHeight;  // the size the window region was made for
};

// Where everything of the frame lies, in window coordinates.
struct FrameLayout {
  int width, height;
  RECT caption, client, icon, text;
  RECT buttons[kMaxCaptionButtons];
  int codes[kMaxCaptionButtons];  // right to left: close, maximise, minimise
  int buttonCount;
};

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data);

// The skin draws the frame of captioned windows; a menu bar would need the system's layout.
bool OwnsNonClientArea(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION && !GetMenu(window);
}

bool IsCaptionButton(WPARAM code) {
  return code == HTCLOSE || code == HTMINBUTTON || code == HTMAXBUTTON;
}

FrameLayout Layout(HWND window, const Theme& theme) {
  FrameLayout l{};
  RECT outer;
  GetWindowRect(window, &outer);
  l.width = outer.right - outer.left;
  l.height = outer.bottom - outer.top;
  const int border = theme.metric(Metric::FrameWidth);
  const int captionHeight = theme.metric(Metric::CaptionHeight);
  l.caption = {border, border, l.width - border, border + captionHeight};
  l.client = {border, border + captionHeight, l.width - border, l.height - border};
  if (l.client.right < l.client.left) l.client.right = l.client.left;
  if (l.client.bottom < l.client.top) l.client.bottom = l.client.top;

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const bool tool = GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
  if (style & WS_SYSMENU) {
    l.codes[l.buttonCount++] = HTCLOSE;
    if (!tool && (style & WS_MAXIMIZEBOX)) l.codes[l.buttonCount++] = HTMAXBUTTON;
    if (!tool && (style & WS_MINIMIZEBOX)) l.codes[l.buttonCount++] = HTMINBUTTON;
  }
  const int bw = theme.metric(Metric::CaptionButtonWidth);
  const int bh = theme.metric(Metric::CaptionButtonHeight);
  const int top = l.caption.top + (captionHeight - bh) / 2;
  int right = l.caption.right - theme.metric(Metric::CaptionButtonMargin);
  for (int i = 0; i < l.buttonCount; ++i) {
    l.buttons[i] = {right - bw, top, right, top + bh};
    right -= bw + theme.metric(Metric::CaptionButtonGap);
  }
  int textLeft = l.caption.left + 8;
  if (theme.metric(Metric::CaptionIcon) && (style & WS_SYSMENU) && !tool) {
    const int iconTop = l.caption.top + (captionHeight - kIconSize) / 2;
    l.icon = {l.caption.left + 6, iconTop, l.caption.left + 6 + kIconSize, iconTop + kIconSize};
    textLeft = l.icon.right + 6;
  }
  l.text = {textLeft, l.caption.top, right - 4, l.caption.bottom};
  return l;
}

int HitTest(HWND window, POINT screen) {
  const Theme* theme = CurrentTheme();
  RECT outer;
  GetWindowRect(window, &outer);
  const POINT p{screen.x - outer.left, screen.y - outer.top};
  const FrameLayout l = Layout(window, *theme);
  if (p.x < 0 || p.y < 0 || p.x >= l.width || p.y >= l.height) return HTNOWHERE;
  if (PtInRect(&l.client, p)) return HTCLIENT;
  for (int i = 0; i < l.buttonCount; ++i) {
    if (PtInRect(&l.buttons[i], p)) return l.codes[i];
  }
  if ((GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) && !IsZoomed(window)) {
    const int grip = theme->metric(Metric::FrameWidth) < 4 ? 4 : theme->metric(Metric::FrameWidth);
    const bool left = p.x < grip, right = p.x >= l.width - grip;
    const bool top = p.y < grip, bottom = p.y >= l.height - grip;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  if (PtInRect(&l.icon, p)) return HTSYSMENU;
  if (p.y < l.caption.bottom) return HTCAPTION;
  return HTBORDER;
}

HICON SmallIcon(HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
  return icon;
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void DrawGlyph(HDC dc, const RECT& box, int code, bool zoomed, COLORREF colour) {
  const int w = box.right - box.left, h = box.bottom - box.top;
  const int size = (w < h ? w : h) * 2 / 5;
  const int half = size / 2;
  const int cx = box.left + w / 2, cy = box.top + h / 2;
  const int thickness = size >= 9 ? 2 : 1;
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, thickness, colour));
  Selection selectPen(dc, pen.get());
  if (code == HTCLOSE) {
    DrawLine(dc, cx - half, cy - half, cx + half + 1, cy + half + 1);
    DrawLine(dc, cx + half, cy - half, cx - half - 1, cy + half + 1);
  } else if (code == HTMINBUTTON) {
    FillSolid(dc, {cx - half, cy + half - thickness + 1, cx + half + 1, cy + half + 1}, colour);
  } else {
    Selection hollow(dc, GetStockObject(NULL_BRUSH));
    if (zoomed) {  // restore: two overlapping boxes
      const int d = size / 4 + 1;
      Rectangle(dc, cx - half + d, cy - half, cx + half + 1, cy + half + 1 - d);
      FillSolid(dc, {cx - half, cy - half + d, cx + half + 1 - d, cy + half + 1}, colour);
      FillSolid(dc, {cx - half + 1, cy - half + d + 2, cx + half - d, cy + half}, colour);
    } else {
      Rectangle(dc, cx - half, cy - half, cx + half + 1, cy + half + 1);
      FillSolid(dc, {cx - half, cy - half, cx + half + 1, cy - half + 2}, colour);
    }
  }
}

void PaintCaptionButtons(HDC dc, HWND window, const FrameLayout& l, const FrameState& s,
                         const Theme& theme) {
  const COLORREF glyph = s.active ? theme.colour(Colour::CaptionButtonGlyph)
                                  : theme.colour(Colour::InactiveCaptionText);
  for (int i = 0; i < l.buttonCount; ++i) {
    const int code = l.codes[i];
    const bool down = s.pressed == code && s.pressedInside;
    const bool hot = !s.pressed && s.hot == code;
    if (down || hot) {
      COLORREF face;
      if (code == HTCLOSE) {
        face = theme.colour(down ? Colour::CloseButtonPressed : Colour::CloseButtonHover);
      } else {
        face = theme.colour(down ? Colour::CaptionButtonPressed : Colour::CaptionButtonHover);
      }
      PaintRoundedBox(dc, l.buttons[i], theme.metric(Metric::CaptionButtonRadius), face, face, 0,
                      face, 0);
    }
    DrawGlyph(dc, l.buttons[i], code, IsZoomed(window), glyph);
  }
}

void PaintCaption(HDC dc, HWND window, const FrameLayout& l, const FrameState& s,
                  const Theme& theme) {
  const COLORREF top = theme.colour(s.active ? Colour::CaptionTop : Colour::InactiveCaptionTop);
  const COLORREF bottom =
      theme.colour(s.active ? Colour::CaptionBottom : Colour::InactiveCaptionBottom);
  FillFace(dc, {1, 1, l.width - 1, l.caption.bottom}, top, bottom,
           theme.metric(Metric::CaptionStyle));
  if (l.icon.right > l.icon.left) {
    if (HICON icon = SmallIcon(window)) {
      DrawIconEx(dc, l.icon.left, l.icon.top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
  }
  wchar_t title[256] = L"";
  GetWindowTextW(window, title, 256);
  const UINT align = theme.metric(Metric::CaptionAlign) ? DT_CENTER : DT_LEFT;
  DrawTextIn(dc, title, l.text,
             theme.colour(s.active ? Colour::CaptionText : Colour::InactiveCaptionText),
             theme.captionFont, align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  PaintCaptionButtons(dc, window, l, s, theme);
}

void PaintOutline(HDC dc, const FrameLayout& l, const Theme& theme) {
  const int radius = theme.metric(Metric::WindowRadius);
  GdiObject<HBRUSH> outline(CreateSolidBrush(theme.colour(Colour::FrameBorder)));
  GdiObject<HRGN> shape(
      radius > 0 ? CreateRoundRectRgn(0, 0, l.width + 1, l.height + 1, 2 * radius, 2 * radius)
                 : CreateRectRgn(0, 0, l.width, l.height));
  if (outline && shape) FrameRgn(dc, shape.get(), outline.get(), 1, 1);
  // A darker edge around the client area when the frame is wide enough to show it.
  if (theme.metric(Metric::FrameWidth) >= 2) {
    GdiObject<HBRUSH> edge(CreateSolidBrush(
        Mix(theme.colour(Colour::FrameFace), theme.colour(Colour::FrameBorder), 50)));
    RECT inner = l.client;
    InflateRect(&inner, 1, 1);
    inner.top = l.caption.bottom;
    if (edge) FrameRect(dc, &inner, edge.get());
  }
}

// Draws the whole frame into one canvas and copies it once; the client area is left alone.
void PaintFrameInto(HDC dc, HWND window, const FrameState& s) {
  const Theme* theme = CurrentTheme();
  if (!dc || !theme || !OwnsNonClientArea(window)) return;
  const FrameLayout l = Layout(window, *theme);
  MemoryCanvas canvas(dc, l.width, l.height);
  if (!canvas.ok()) return;
  FillSolid(canvas.dc(), {0, 0, l.width, l.height}, theme->colour(Colour::FrameFace));
  PaintCaption(canvas.dc(), window, l, s, *theme);
  PaintOutline(canvas.dc(), l, *theme);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, l.client.left, l.client.top, l.client.right, l.client.bottom);
  canvas.CopyTo(dc);
  RestoreDC(dc, saved);
}

void PaintFrame(HWND window, const FrameState& s) {
  WindowDc dc(window, true);
  PaintFrameInto(dc.get(), window, s);
}

void UpdateRegion(HWND window, FrameState* s) {
  const Theme* theme = CurrentTheme();
  RECT outer;
  GetWindowRect(window, &outer);
  const int w = outer.right - outer.left, h = outer.bottom - outer.top;
  if (w == s->regionWidth && h == s->regionHeight) return;
  s->regionWidth = w;
  s->regionHeight = h;
  const int radius = theme ? theme->metric(Metric::WindowRadius) : 0;
  if (radius == 0 || IsZoomed(window) || IsIconic(window) || !OwnsNonClientArea(window)) {
    if (s->hasRegion) SetWindowRgn(window, nullptr, TRUE);
    s->hasRegion = false;
    return;
  }
  GdiObject<HRGN> shape(CreateRoundRectRgn(0, 0, w + 1, h + 1, 2 * radius, 2 * radius));
  // On success the system owns the region.
  if (shape && SetWindowRgn(window, shape.get(), TRUE)) {
    shape.release();
    s->hasRegion = true;
  }
}

// With desktop composition the system draws standard frames itself; ask it not to.
void KeepSystemFrameAway(HWND window) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static SetAttribute setAttribute = [] {
    wchar_t path[MAX_PATH + 16];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return SetAttribute{nullptr};
    lstrcatW(path, L"\\dwmapi.dll");
    HMODULE dwm = LoadLibraryW(path);
    FARPROC proc = dwm ? GetProcAddress(dwm, "DwmSetWindowAttribute") : nullptr;
    return reinterpret_cast<SetAttribute>(reinterpret_cast<void (*)()>(proc));
  }();
  if (!setAttribute) return;
  const DWORD disabled = 1;                             // DWMNCRP_DISABLED
  setAttribute(window, 2, &disabled, sizeof disabled);  // DWMWA_NCRENDERING_POLICY
}

// DefWindowProc paints the system caption on some messages; it paints nothing while the
// window is marked invisible, and the skin's caption is painted right after.
LRESULT WithoutSystemCaption(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             FrameState* s) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const bool visible = style & WS_VISIBLE;
  if (visible) SetWindowLongW(window, GWL_STYLE, style & ~WS_VISIBLE);
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (visible) SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_VISIBLE);
  PaintFrame(window, *s);
  return result;
}

WPARAM CommandFor(HWND window, int code) {
  if (code == HTCLOSE) return SC_CLOSE;
  if (code == HTMINBUTTON) return SC_MINIMIZE;
  return IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
}

void TrackLeave(HWND window, FrameState* s) {
  if (s->trackingLeave) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
  s->trackingLeave = TrackMouseEvent(&track) != FALSE;
}

LRESULT OnCalcSize(WPARAM wParam, LPARAM lParam) {
  const Theme* theme = CurrentTheme();
  RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                   : reinterpret_cast<RECT*>(lParam);
  const int border = theme->metric(Metric::FrameWidth);
  r->left += border;
  r->right -= border;
  r->top += border + theme->metric(Metric::CaptionHeight);
  r->bottom -= border;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

// Caption buttons: pressed on the button-down, tracked under capture, run on the button-up
// over the same button, as the system's own buttons behave.
LRESULT OnCaptionButtonDown(HWND window, int code, FrameState* s) {
  s->pressed = code;
  s->pressedInside = true;
  SetCapture(window);
  PaintFrame(window, *s);
  return 0;
}

LRESULT OnCapturedMove(HWND window, LPARAM lParam, FrameState* s) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(window, &p);
  const bool inside = HitTest(window, p) == s->pressed;
  if (inside != s->pressedInside) {
    s->pressedInside = inside;
    PaintFrame(window, *s);
  }
  return 0;
}

LRESULT OnCaptionButtonUp(HWND window, FrameState* s) {
  const int code = s->pressed;
  const bool run = s->pressedInside;
  s->pressed = 0;
  ReleaseCapture();
  PaintFrame(window, *s);
  // The command may destroy the window and this state with it: nothing follows it.
  if (run) SendMessageW(window, WM_SYSCOMMAND, CommandFor(window, code), GetMessagePos());
  return 0;
}

LRESULT OnPrint(HWND window, WPARAM wParam, LPARAM lParam, FrameState* s) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  PaintFrameInto(dc, window, *s);
  const FrameLayout l = Layout(window, *CurrentTheme());
  POINT previous;
  OffsetViewportOrgEx(dc, l.client.left, l.client.top, &previous);
  const LRESULT result = DefSubclassProc(window, WM_PRINT, wParam, lParam & ~PRF_NONCLIENT);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  return result;
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
  const Theme* theme = CurrentTheme();
  RECT client;
  GetClientRect(window, &client);
  FillGround(dc, client, {0, 0}, theme->placement & she::kTextureOnClient,
             theme->colour(Colour::ClientBackground));
  return 1;
}

// Statics, check boxes and group boxes that keep the system's face get the skin's instead.
LRESULT OnControlColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (result != reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) return result;
  const Theme* theme = CurrentTheme();
  SetBkColor(reinterpret_cast<HDC>(wParam), theme->colour(Colour::ClientBackground));
  return reinterpret_cast<LRESULT>(theme->clientBrush);
}

LRESULT OnNonClientMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, FrameState* s,
                           bool* handled) {
  *handled = true;
  switch (message) {
    case WM_NCCALCSIZE:
      return OnCalcSize(wParam, lParam);
    case WM_NCPAINT:
      PaintFrame(window, *s);
      return 0;
    case WM_NCACTIVATE: {
      s->active = wParam != FALSE;
      // -1: the default handling keeps its state but does not paint the system caption.
      const LRESULT result = DefSubclassProc(window, message, wParam, -1);
      PaintFrame(window, *s);
      return result;
    }
    case kThemedDrawCaption:
    case kThemedDrawFrame:
      return 0;
    case WM_SETTEXT:
    case WM_SETICON:
      return WithoutSystemCaption(window, message, wParam, lParam, s);
    case WM_NCHITTEST:
      return HitTest(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCMOUSEMOVE: {
      TrackLeave(window, s);
      const int code = IsCaptionButton(wParam) ? static_cast<int>(wParam) : 0;
      if (code != s->hot) {
        s->hot = code;
        PaintFrame(window, *s);
      }
      if (code) return 0;
      break;
    }
    case WM_NCMOUSELEAVE:
      s->trackingLeave = false;
      if (s->hot) {
        s->hot = 0;
        PaintFrame(window, *s);
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (IsCaptionButton(wParam)) return OnCaptionButtonDown(window, static_cast<int>(wParam), s);
      // The default handling would draw the system's menu button first.
      if (wParam == HTSYSMENU && message == WM_NCLBUTTONDOWN) {
        SendMessageW(window, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (s->pressed) return OnCapturedMove(window, lParam, s);
      break;
    case WM_LBUTTONUP:
      if (s->pressed) return OnCaptionButtonUp(window, s);
      break;
    case WM_CAPTURECHANGED:
      if (s->pressed) {
        s->pressed = 0;
        PaintFrame(window, *s);
      }
      break;
    case WM_EXITMENULOOP:
      PaintFrame(window, *s);
      break;
    case WM_PRINT:
      if (lParam & PRF_NONCLIENT) return OnPrint(window, wParam, lParam, s);
      break;
  }
  *handled = false;
  return 0;
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  auto* s = reinterpret_cast<FrameState*>(data);
  if (message == WM_NCDESTROY) return EndSubclass(window, FrameProc, s, message, wParam, lParam);
  if (!CurrentTheme()) return DefSubclassProc(window, message, wParam, lParam);
  if (OwnsNonClientArea(window)) {
    bool handled = false;
    const LRESULT result = OnNonClientMessage(window, message, wParam, lParam, s, &handled);
    if (handled) return result;
  }
  switch (message) {
    case WM_CREATE:
      KeepSystemFrameAway(window);
      break;
    case WM_ERASEBKGND:
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(window, message, wParam, lParam);
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      UpdateRegion(window, s);
      return result;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

FrameState* StateOf(HWND window) { return SubclassStateOf<FrameState>(window, FrameProc); }

}  // namespace

bool SkinFrame(HWND window) {
  if (StateOf(window)) return true;
  FrameState* s = AttachState<FrameState>(window, FrameProc);
  if (!s) return false;
  s->active = GetActiveWindow() == window;
  KeepSystemFrameAway(window);
  return true;
}

bool IsSkinnedFrame(HWND window) { return StateOf(window) != nullptr; }

void RefreshFrame(HWND window) {
  FrameState* s = StateOf(window);
  if (!s) return;
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   SWP_NOOWNERZORDER);
  s->regionWidth = s->regionHeight = 0;  // the radius may have changed
  UpdateRegion(window, s);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace skin
