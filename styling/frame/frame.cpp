#include "styling/frame/frame.h"

#include <string>
#include <string_view>
#include <utility>

#include "drawing/drawing.h"
#include "styling/buttons/buttons.h"
#include "styling/edits/edits.h"
#include "styling/hook/hook.h"
#include "styling/lists/lists.h"
#include "styling/pages/pages.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/printing.h"
#include "styling/records/records.h"
#include "styling/records/scaled_marks.h"

namespace {

// Sizes at 96 DPI, scaled by the record's DPI.
constexpr int CaptionBandHeight = 26;
constexpr int CaptionGradientEnd = 30;
constexpr int IconSize = 17;
constexpr int IconInset = 5;
constexpr int CaptionTextLeft = IconSize + 8;
constexpr float CaptionFontSize = 11.0f;
constexpr int GlowBlur = 4;
constexpr int GlyphTop = 3;
constexpr ARGB OpaqueBlack = 0xFF000000;
constexpr ARGB BodyBlack = 0xDC000000;      // black alpha 220
constexpr ARGB BodyWhite = 0x64FFFFFF;      // white alpha 100
constexpr ARGB CaptionBottom = 0x14000000;  // black alpha 20
constexpr COLORREF CloseHoverRed = 0x000000FF;

// The last brush the frame handed out for a control's colour message; freed when the next one
// is made and when the window goes.
constexpr char ControlBrushProperty[] = "Ck_Kjhs";
// The brush handed to a link control. Wine's SysLink deletes the brush it is handed after each
// paint (Windows' does not): a link gets a brush of its own, made anew for each of its paints,
// and the one before is freed only while it still lives.
constexpr char LinkBrushProperty[] = "Ck_Ljhs";
// The face of bordered read-only and disabled edits (ValueFaceColour).
constexpr char ValueFaceBrushProperty[] = "Ck_Zdhs";
// The colour of the panel that the last control asking lay on.
constexpr char PanelBrushProperty[] = "Ck_Mbhs";

// The window's styleIndex: its "Hw_lbID" when that still names its record, else a search.
int FrameStyleIndex(HWND window) {
  int index = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  StyleRecord* record = RecordAt(index);
  if (record && record->window == window) return index;
  return FindStyleRecord(window);
}

// The body and caption band of the frame: the layers of a full paint, over (0, 0, w, h).
// A fill rather than Clear, so that a clip keeps it to a caption button.
void PaintBody(Graphics& graphics, float width, float height, float bandHeight, DpiScale scale) {
  SolidBrush opaque;
  opaque.Create(OpaqueBlack);
  graphics.FillRectangle(opaque, 0, 0, width, height);
  SolidBrush black;
  black.Create(BodyBlack);
  graphics.FillRectangle(black, 0, 0, width, height);
  SolidBrush white;
  white.Create(BodyWhite);
  graphics.FillRectangle(white, 0, 0, width, height);
  LinearGradientBrush band;
  band.Create(PointF{0, 0}, PointF{0, static_cast<float>(scale(CaptionGradientEnd))}, BodyWhite,
              CaptionBottom);
  graphics.FillRectangle(band, 0, 0, width, bandHeight);
}

void StrokeRoundedRect(Graphics& graphics, ARGB colour, float x, float y, float width, float height,
                       int corner, float line) {
  GraphicsPath path;
  path.Create();
  AddRoundedRect(path, x, y, width, height, corner);
  Pen pen;
  pen.Create(colour, line);
  graphics.DrawPath(pen, path);
}

// Two lines of one scaled width each, the inner one just inside the outer: at 96 DPI the outer
// runs through (0, 0, w - 1, h - 1) and the inner through (1, 1, w - 3, h - 3).
void PaintBorders(Graphics& graphics, float width, float height, DpiScale scale) {
  const float line = scale.Line();
  const float outer = (line - 1) / 2, inner = outer + line;
  StrokeRoundedRect(graphics, 0x78000000, outer, outer, width - 1 - 2 * outer,
                    height - 1 - 2 * outer, scale(5), line);  // black 120
  StrokeRoundedRect(graphics, 0xB4FFFFFF, inner, inner, width - 1 - 2 * inner,
                    height - 1 - 2 * inner, scale(3), line);  // white 180
}

void PaintCaption(Graphics& graphics, HWND window, float width, DpiScale scale) {
  std::string text = WindowText(window);
  RectF layout{static_cast<float>(scale(CaptionTextLeft)), 0, width,
               static_cast<float>(scale(CaptionGradientEnd))};
  DrawGlowText(graphics, text.c_str(), layout, 0x000000, 0xFFFFFF, scale(GlowBlur), "黑体", 0,
               scale.Of(CaptionFontSize), 0, 1);
}

void DrawApplicationIcon(HDC dc, DpiScale scale) {
  if (!ApplicationIcon) return;
  const int size = scale(IconSize), inset = scale(IconInset);
  HICON icon = scale.IsBase() ? ApplicationIcon : IconAtSize(ApplicationIcon, size);
  DrawIconEx(dc, inset, inset, icon, size, size, 0, nullptr, DI_NORMAL);
}

// Everything a full paint of the frame depends on: the same key paints the same pixels.
const std::string& CaptionTextOf(StyleRecord& record) {
  if (!record.captionText) record.captionText = WindowText(record.window);
  return *record.captionText;
}

LookKey FrameKey(StyleRecord& record, SIZE size) {
  LookKey key;
  key.Add(size.cx).Add(size.cy).Add(CaptionTextOf(record));
  key.Add(static_cast<std::int64_t>(record.scale.dpi));
  key.Add(reinterpret_cast<std::intptr_t>(ApplicationIcon)).Add(record.closeHot ? 1 : 0);
  for (int i = 1; i <= record.captionButtons.Count(); ++i) {
    const CaptionButton& button = record.captionButtons[i];
    const RectF& b = button.bounds;
    key.Add(static_cast<std::int64_t>(b.x)).Add(static_cast<std::int64_t>(b.y));
    key.Add(
        std::string_view(reinterpret_cast<const char*>(button.image.data()), button.image.size()));
  }
  return key;
}

// Finished frames of the whole process by key: a box shown again, or another box of the same
// size and caption, copies its frame instead of painting it. Frames can be large: a few only.
LookCache& KeptFrames() {
  static LookCache frames(4);
  return frames;
}

// Makes a new frame bitmap of the window's size in the record's frameDC.
void RenewFrameDc(StyleRecord& record, SIZE size) {
  ReleaseFrameDc(record);
  HBITMAP bitmap = CreateArgbBitmap(size.cx, size.cy);
  record.frameDC = CreateCompatibleDC(nullptr);
  if (!record.frameDC) {
    if (bitmap) DeleteObject(bitmap);
    return;
  }
  HGDIOBJ previous = bitmap ? SelectObject(record.frameDC, bitmap) : nullptr;
  SetPropA(record.window, FramePreviousObjectProperty, previous);
  SetPropA(record.window, FrameBitmapProperty, bitmap);
}

void PaintCloseHoverBackground(Graphics& graphics, const RectF& b, DpiScale scale) {
  const float f2 = scale.Of(2), f3 = scale.Of(3), f6 = scale.Of(6), f7 = scale.Of(7);
  LinearGradientBrush fill;
  fill.Create(PointF{b.x + f3, b.y + f2}, PointF{b.x + f3, b.y + b.height - f2}, 0x0AFFFFFF,
              ToArgb(CloseHoverRed, 200, true));
  GraphicsPath outer;
  outer.Create();
  AddRoundedRect(outer, b.x + f6, b.y + f2, b.width - 2 * f6, b.height - 2 * f2, scale(5));
  graphics.FillPath(fill, outer);
  Pen dark;
  dark.Create(0x64000000, scale.Line());  // black 100
  graphics.DrawPath(dark, outer);
  GraphicsPath inner;
  inner.Create();
  AddRoundedRect(inner, b.x + f7, b.y + f3, b.width - 2 * f7, b.height - 2 * f3, scale(3));
  Pen light;
  light.Create(0x82FFFFFF, scale.Line());  // white 130
  graphics.DrawPath(light, inner);
}

// The button's image as it is at 96 DPI; at another DPI the close cross drawn at its size.
void DrawCaptionButtonImage(Graphics& graphics, const CaptionButton& button, DpiScale scale,
                            bool isClose) {
  const float top = button.bounds.y + static_cast<float>(scale(GlyphTop));
  if (!scale.IsBase() && isClose) {
    DrawCloseCross(graphics, button.bounds.x, top, scale);
    return;
  }
  Bitmap image;
  if (image.LoadFromBytes(button.image)) graphics.DrawImage(image, button.bounds.x, top);
}

// To the window (its children left alone), or into the DC given, its origin at the window's.
void CopyToWindow(HWND window, HDC source, int x, int y, int width, int height,
                  HDC given = nullptr) {
  HDC target = given ? given : WindowDcWithoutChildren(window);
  BitBlt(target, x, y, width, height, source, x, y, SRCCOPY);
  if (!given) ReleaseDC(window, target);
}

// The push-button painter's single entry from the frame.
void PaintOwnerDrawnPushButton(const DRAWITEMSTRUCT& item) {
  PaintPushButton(item.hwndItem, item.hDC, item.itemState, item.rcItem);
}

void StartFadeOnce(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  bool known = GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA);
  bool stillHidden = !known || alpha == 0;
  if (!FadeStarted) {
    // A window already shown at its final opacity is not faded in again.
    if (!stillHidden) return;
    FadeThread = CreateThread(nullptr, 0, FadeIn, window, 0, nullptr);
    if (FadeThread) {
      FadeStarted = true;
      FadeWindow = window;
    } else {
      // No thread to raise the opacity: an invisible modal window would look like a hang.
      SetLayeredWindowAttributes(window, 0, FinalAlpha, LWA_ALPHA);
    }
  } else if (window != FadeWindow && stillHidden) {
    // One fade at a time: the others are shown at once rather than left invisible.
    SetLayeredWindowAttributes(window, 0, FinalAlpha, LWA_ALPHA);
  }
}

// The fade belongs to its window: only that window's end frees the thread handle.
void EndFade(HWND window) {
  if (window != FadeWindow) return;
  if (FadeThread) CloseHandle(FadeThread);
  FadeThread = nullptr;
  FadeWindow = nullptr;
  FadeStarted = false;
}

bool IsStyledPushButton(StyleRecord& record, HWND control) {
  const ButtonRecord* button =
      record.buttons.At(static_cast<int>(ReadProperty(control, EntryIndexProperty)));
  return button && button->window == control && button->kind == PushButtonKind;
}

void FreeBrushProperty(HWND window, const char* property) {
  auto brush = ReadHandleProperty<HGDIOBJ>(window, property);
  if (brush && GetObjectType(brush) == OBJ_BRUSH) DeleteObject(brush);
  RemovePropA(window, property);
}

void FreeControlBrushes(HWND window) {
  for (const char* property :
       {ControlBrushProperty, LinkBrushProperty, ValueFaceBrushProperty, PanelBrushProperty}) {
    FreeBrushProperty(window, property);
  }
}

bool IsLinkControl(HWND window) { return ClassNameOf(window) == "SysLink"; }

// The face of a bordered edit that shows a value only, with its text as the system's:
// greyed while the edit is disabled.
LRESULT ValueFace(HWND window, HWND edit, HDC dc) {
  auto brush = ReadHandleProperty<HBRUSH>(window, ValueFaceBrushProperty);
  if (!brush) {
    brush = CreateSolidBrush(ValueFaceColour);
    SetPropA(window, ValueFaceBrushProperty, brush);
  }
  SetBkColor(dc, ValueFaceColour);
  if (!IsWindowEnabled(edit)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(brush);
}

// A control lying wholly on a panel fills with the panel's colour, as it does in the system's
// look: the frame's pixels there are hidden under the panel.
LRESULT PanelFace(HWND window, COLORREF colour, HDC dc) {
  auto brush = ReadHandleProperty<HBRUSH>(window, PanelBrushProperty);
  LOGBRUSH kept{};
  if (!brush || !GetObjectA(brush, sizeof kept, &kept) || kept.lbColor != colour) {
    FreeBrushProperty(window, PanelBrushProperty);
    brush = CreateSolidBrush(colour);
    SetPropA(window, PanelBrushProperty, brush);
  }
  SetBkColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(brush);
}

int PositiveModulo(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

// The window whose frame, its client area included, was copied to the screen just before the
// erase that its paint asks for: that erase has nothing left to fill.
HWND erasingOverFrame = nullptr;

// WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORDLG of the styled window itself.
LRESULT OnControlColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The dialog's own answer first: it sets the text colours.
  LRESULT answer = ForwardMessage(window, message, wParam, lParam);
  // The frame's pattern is what the frame just copied there: the erase fills nothing, and a
  // dialog that erases by itself still does.
  if (message == WM_CTLCOLORDLG && window == erasingOverFrame) {
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  return FramePatternAnswer(FrameStyleIndex(window), reinterpret_cast<HDC>(wParam),
                            reinterpret_cast<HWND>(lParam), answer);
}

// The menu bar of a dialog with a menu, on the screen (empty without one).
RECT MenuBarOnScreen(HWND window) {
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetMenu(window) || !GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) return RECT{};
  return bar.rcBar;
}

// The system draws a dialog's menu bar, and nothing else of the non-client area, which is
// the frame's.
LRESULT PaintMenuBar(HWND window) {
  const RECT bar = MenuBarOnScreen(window);
  if (IsRectEmpty(&bar)) return 0;
  HRGN region = CreateRectRgnIndirect(&bar);
  if (!region) return 0;
  ForwardMessage(window, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
  return 0;
}

// The frame, the dialog's erase (in the frame's own pixels, see OnControlColour), the children,
// then the dialog's own procedure: whatever a dialog draws in its WM_PAINT, on itself or on its
// children (colour swatches, a font sample), lands on top and stays. The dialog's update region
// is set aside while the children paint and given back afterwards (children left alone), so
// that the dialog's BeginPaint lets it draw wherever it was asked to. Its BeginPaint validates
// the window; a dialog that does not paint gets DefWindowProc's, which does the same.
// The children, then the dialog's own WM_PAINT.
LRESULT PaintChildrenThenDialog(HWND window, HRGN update, WPARAM wParam, LPARAM lParam) {
  if (!update) {
    UpdateVisibleChildren(window);
    return ForwardMessage(window, WM_PAINT, wParam, lParam);
  }
  // The children paint in one pass over the window's tree, one question to the server each.
  // The pass must not reach the window itself again: its region waits in `update` meanwhile.
  RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RedrawWindow(window, nullptr, update, RDW_INVALIDATE | RDW_NOCHILDREN);
  return ForwardMessage(window, WM_PAINT, wParam, lParam);
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  OnePaintScope onePaint;
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  if (update) GetUpdateRgn(window, update, FALSE);
  PaintFrame(window);
  const StyleRecord* record = RecordAt(FrameStyleIndex(window));
  HWND outer = std::exchange(erasingOverFrame, record && record->frameDC ? window : nullptr);
  RedrawWindow(window, nullptr, nullptr, RDW_ERASENOW | RDW_NOCHILDREN);
  erasingOverFrame = outer;
  LRESULT result = PaintChildrenThenDialog(window, update, wParam, lParam);
  if (update) DeleteObject(update);
  // The first paint decides the fade, once it is done: the thread's start does not hold the
  // paint up. Later paints need not ask the window's opacity again.
  StyleRecord* painted = RecordAt(FrameStyleIndex(window));
  if (!painted || !painted->fadeDecided) StartFadeOnce(window);
  if (painted) painted->fadeDecided = true;
  return result;
}

void ShowCloseLook(HWND window, bool hover) {
  int index = FrameStyleIndex(window);
  StyleRecord* record = RecordAt(index);
  if (!record || record->captionButtons.Count() < 1) return;
  PaintCaptionButton(index, 1, nullptr, true, hover);
  record->closeHot = hover;
}

LRESULT OnNcMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
  StyleRecord* record = RecordAt(FrameStyleIndex(window));
  if (wParam == HTCLOSE) {
    if (record && !record->closeHot) {
      ShowCloseLook(window, true);
      // Leaving the non-client area must restore the button too, not only moving within it.
      TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, window, 0};
      TrackMouseEvent(&track);
    }
    return 0;
  }
  if (record && record->closeHot) ShowCloseLook(window, false);
  return ForwardMessage(window, WM_NCMOUSEMOVE, wParam, lParam);
}

// The window was moved to a monitor of another DPI (or the monitor's DPI changed): it takes the
// rectangle the system suggests, and everything drawn at the old DPI is made anew. The new DPI
// comes with the message; the window's own answer may still be the old one while it is sent.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  const int index = FrameStyleIndex(window);
  if (StyleRecord* record = RecordAt(index)) {
    const UINT dpi = LOWORD(wParam);
    record->scale = DpiScale{dpi ? dpi : DpiOfWindow(window)};
    record->frameKey = LookKey();
    ++record->frameVersion;
    LayoutCaptionButtons(index);
  }
  // The dialog's own procedure scales its controls to the rectangle; the rectangle is taken
  // here whatever it does.
  LRESULT result = ForwardMessage(window, WM_DPICHANGED, wParam, lParam);
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ApplyRoundedRegion(window);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return result;
}

}  // namespace

bool FadeStarted = false;
HANDLE FadeThread = nullptr;
HWND FadeWindow = nullptr;

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      ApplyRoundedRegion(window);
      LayoutCaptionButtons(FrameStyleIndex(window));
      break;
    case WM_ACTIVATE:
      RemoveStyleHook();
      break;
    case WM_SETFOCUS:
      FocusAnimation(window);
      break;
    case WM_PAINT:
      return OnPaint(window, wParam, lParam);
    case WM_PRINT:
      // The frame holds the client area's background too: the dialog is not asked to erase.
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam & ~PRF_ERASEBKGND,
                              [window](HDC dc) { PaintFrame(window, dc); });
    case WM_PRINTCLIENT:
      // The frame behind the client area, then whatever the dialog's own procedure draws.
      PrintClient(window, reinterpret_cast<HDC>(wParam), LookArea::WholeWindow,
                  [window](HDC dc) { PaintFrame(window, dc); });
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      return OnControlColour(window, message, wParam, lParam);
    case WM_SETTEXT: {
      // The system draws the new caption at once, in its own look (a wizard names each page in
      // its caption): the frame is painted again over it, with the new text.
      LRESULT result = ForwardMessage(window, message, wParam, lParam);
      if (StyleRecord* record = RecordAt(FrameStyleIndex(window))) record->captionText.reset();
      PaintFrame(window);
      return result;
    }
    case WM_DPICHANGED:
      return OnDpiChanged(window, wParam, lParam);
    case WM_PARENTNOTIFY:
      NoteChildCreated(wParam, lParam);
      break;
    case WM_DRAWITEM:
      if (lParam) {
        RouteOwnerDrawnItem(FrameStyleIndex(window),
                            *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      }
      break;
    case WM_DESTROY:
      if (StyleRecord* record = RecordAt(FrameStyleIndex(window))) ReleaseEditBackgrounds(*record);
      break;
    case WM_NCDESTROY:
      FreeControlBrushes(window);
      EndFade(window);
      RemoveStyleRecord(window);
      break;
    case WM_NCHITTEST:
      return FrameHitTest(window, lParam);
    case WM_NCPAINT:
      return PaintMenuBar(window);
    case WM_NCACTIVATE:
      return 1;
    case WM_NCMOUSEMOVE:
      return OnNcMouseMove(window, wParam, lParam);
    case WM_NCMOUSELEAVE: {
      StyleRecord* record = RecordAt(FrameStyleIndex(window));
      if (record && record->closeHot) ShowCloseLook(window, false);
      break;
    }
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCLOSE) return 0;
      break;
    case WM_NCLBUTTONUP:
      if (wParam == HTCLOSE) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_CHANGEUISTATE:
      if (LOWORD(wParam) == UIS_INITIALIZE) return 0;
      break;
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

LRESULT FramePatternAnswer(int styleIndex, HDC dc, HWND asking, LRESULT answer) {
  StyleRecord* record = RecordAt(styleIndex);
  // Read-only and disabled edits ask with WM_CTLCOLORSTATIC too: a bordered one gets the face
  // of a value, or its text would lie on the dark frame. A borderless one is a value shown as
  // a label, and has the frame behind it as a label has.
  if (record && record->edits.Find(asking) && HasFrame(asking)) {
    return ValueFace(record->window, asking, dc);
  }
  // The dialog's first erase comes before its first paint, and a dialog's group box leaves
  // what that erase filled: paint the frame now.
  if (record && !record->frameDC) PaintFrame(record->window);
  if (!record || !record->frameDC) return answer;
  // A styled push button's look covers all of it: whatever the system fills first is drawn
  // over at once, so it gets a brush that fills nothing.
  if (IsStyledPushButton(*record, asking)) {
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  COLORREF panel = 0;
  if (asking && asking != record->window && PanelUnder(asking, panel)) {
    return PanelFace(record->window, panel, dc);
  }
  auto frame = static_cast<HBITMAP>(GetCurrentObject(record->frameDC, OBJ_BITMAP));
  BITMAP size{};
  if (!frame || !GetObjectA(frame, sizeof size, &size) || size.bmWidth <= 1) return answer;
  // The brush is a copy of the frame's pixels: made anew only when they have changed.
  HBRUSH brush = record->controlBrush;
  if (asking && IsLinkControl(asking)) {
    brush = CreatePatternBrush(frame);
    if (!brush) return answer;
    FreeBrushProperty(record->window, LinkBrushProperty);
    SetPropA(record->window, LinkBrushProperty, brush);
  } else if (!brush || record->controlBrushVersion != record->frameVersion) {
    brush = CreatePatternBrush(frame);
    if (!brush) return answer;
    FreeBrushProperty(record->window, ControlBrushProperty);
    SetPropA(record->window, ControlBrushProperty, brush);
    record->controlBrush = brush;
    record->controlBrushVersion = record->frameVersion;
  }
  POINT origin{0, 0};
  ClientToScreen(asking ? asking : record->window, &origin);
  RECT own{};
  GetWindowRect(record->window, &own);
  SetBrushOrgEx(dc, PositiveModulo(own.left - origin.x, size.bmWidth),
                PositiveModulo(own.top - origin.y, size.bmHeight), nullptr);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(brush);
}

void PaintFrame(HWND window, HDC dc) {
  StyleRecord* record = RecordAt(FrameStyleIndex(window));
  if (!record) return;
  SIZE size = WindowSizeOf(window);
  LookKey key = FrameKey(*record, size);
  // The frame bitmap stays as long as what it was painted from: the repaint is one copy.
  if (record->frameDC && key == record->frameKey) {
    CopyToWindow(window, record->frameDC, 0, 0, size.cx, size.cy, dc);
    return;
  }
  RenewFrameDc(*record, size);
  if (!record->frameDC) return;
  bool kept = KeptFrames().Draw(key, record->frameDC, 0, 0);
  float width = static_cast<float>(size.cx);
  float height = static_cast<float>(size.cy);
  if (!kept) {
    Graphics graphics;
    graphics.CreateFromHdc(record->frameDC);
    const DpiScale scale = record->scale;
    PaintBody(graphics, width, height, static_cast<float>(scale(CaptionBandHeight)), scale);
    PaintBorders(graphics, width, height, scale);
    DrawApplicationIcon(record->frameDC, scale);
    PaintCaption(graphics, window, width, scale);
    int index = FrameStyleIndex(window);
    for (int button = 1; button <= record->captionButtons.Count(); ++button) {
      // The pointer may rest on the close button: its hover look stays through a full paint.
      PaintCaptionButton(index, button, &graphics, false, button == 1 && record->closeHot);
    }
  }
  if (!kept) KeptFrames().Keep(key, record->frameDC, size.cx, size.cy);
  record->frameKey = std::move(key);
  // The controls' kept looks hold the old frame pixels behind them.
  ++record->frameVersion;
  CopyToWindow(window, record->frameDC, 0, 0, size.cx, size.cy, dc);
}

void PaintCaptionButton(int styleIndex, int button, Graphics* graphics, bool alone, bool hover) {
  StyleRecord* record = RecordAt(styleIndex);
  if (!record || !record->captionButtons.Contains(button)) return;
  const CaptionButton& caption = record->captionButtons[button];
  const RectF& b = caption.bounds;
  const DpiScale scale = record->scale;
  const bool isClose = button == 1;
  if (!alone) {
    if (!graphics) return;
    if (hover) PaintCloseHoverBackground(*graphics, b, scale);
    DrawCaptionButtonImage(*graphics, caption, scale, isClose);
    return;
  }
  if (!record->frameDC) return;  // nothing painted yet to draw over
  {
    Graphics own;
    own.CreateFromHdc(record->frameDC);
    own.SetClipRect(b.x, b.y + scale.Of(2), b.width - scale.Of(2), b.height);
    if (hover) {
      PaintCloseHoverBackground(own, b, scale);
    } else {
      SIZE size = WindowSizeOf(record->window);
      PaintBody(own, static_cast<float>(size.cx), static_cast<float>(size.cy),
                static_cast<float>(scale(CaptionGradientEnd)), scale);
    }
    DrawCaptionButtonImage(own, caption, scale, isClose);
  }
  // The frame no longer holds what a full paint draws, nor what the controls' looks hold.
  record->frameKey = LookKey();
  ++record->frameVersion;
  CopyToWindow(record->window, record->frameDC, static_cast<int>(b.x), static_cast<int>(b.y),
               static_cast<int>(b.width), static_cast<int>(b.height));
}

LRESULT FrameHitTest(HWND window, LPARAM lParam) {
  int x = SignedLowHalf(static_cast<std::uintptr_t>(lParam));
  int y = SignedHighHalf(static_cast<std::uintptr_t>(lParam));
  RECT r{};
  GetWindowRect(window, &r);
  StyleRecord* record = RecordAt(FrameStyleIndex(window));
  int buttonsLeft = record ? record->captionButtonsLeft : r.right - r.left;
  const DpiScale scale = record ? record->scale : ScaleOf(window);
  if (r.left + buttonsLeft < x && x < r.right - scale(5) && r.top + scale(3) < y &&
      y <= r.top + scale(20)) {
    return HTCLOSE;
  }
  const RECT bar = MenuBarOnScreen(window);
  if (PtInRect(&bar, POINT{x, y})) return HTMENU;
  if (y > r.top + scale(25)) return HTCLIENT;
  return HTCAPTION;
}

HDC WindowDcWithoutChildren(HWND window) {
  HDC dc = GetWindowDC(window);
  RECT own{};
  GetWindowRect(window, &own);
  // A child shows only inside the client area: the part of one that reaches past it lies
  // under the frame's border, which stays the frame's.
  RECT client = ClientRectInWindow(window);
  for (const KnownChild& child : ChildrenOf(window)) {
    if (!IsWindowVisible(child.window)) continue;
    RECT rect{};
    GetWindowRect(child.window, &rect);
    OffsetRect(&rect, -own.left, -own.top);
    if (!IntersectRect(&rect, &rect, &client)) continue;
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
  // The menu bar is the system's to draw, as the children are theirs.
  RECT bar = MenuBarOnScreen(window);
  OffsetRect(&bar, -own.left, -own.top);
  if (!IsRectEmpty(&bar)) ExcludeClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
  return dc;
}

void RouteOwnerDrawnItem(int styleIndex, const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  ButtonRecord* button =
      record->buttons.At(static_cast<int>(ReadProperty(item.hwndItem, EntryIndexProperty)));
  if (!button || button->window != item.hwndItem) return;
  if (button->kind == PushButtonKind) PaintOwnerDrawnPushButton(item);
  // Radio buttons and check boxes paint themselves.
}
