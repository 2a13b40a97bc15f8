#include "styling/statics/statics.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/drawing.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/control_text.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/printing.h"
#include "styling/records/records.h"
#include "styling/records/self_painting.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

constexpr COLORREF HaloTextColour = 0x000000;
constexpr COLORREF HaloGlowColour = 0xFFFFFF;
constexpr float HaloTextDrop = 2.0f;  // the halo text sits two pixels below the client's top

bool HasAll(LONG style, LONG mask) { return (style & mask) == mask; }

StaticKind KindOf(LONG style) {
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      return StaticTextKind;
    case SS_ICON:
      return StaticIconKind;
    case SS_BITMAP:
      return StaticBitmapKind;
    default:
      return StaticDrawnByItselfKind;
  }
}

ImagePlacement PlacementOf(LONG style) {
  if (HasAll(style, SS_CENTERIMAGE)) return PlaceCentred;
  if (HasAll(style, SS_REALSIZECONTROL)) return PlaceStretched;
  if (HasAll(style, SS_RIGHTJUST)) return PlaceBottomRight;
  return PlaceTopLeft;
}

// How the static shows its "&" marks: as they are with SS_NOPREFIX; otherwise as access keys,
// underlined only while the window's keyboard cues are shown.
AccessKeyMode StaticAccessKeys(HWND window) {
  if (GetWindowLongA(window, GWL_STYLE) & SS_NOPREFIX) return AccessKeyMode::None;
  return CaptionAccessKeys(window);
}

void InstallStatic(int styleIndex, StyleRecord& record, HWND control, int extraWidth) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  int position = record.statics.AppendEntry(control);
  StaticEntry& entry = record.statics[position];
  // A control without a font GDI+ can use takes its parent's.
  entry.caption.SetFont(control, GetParent(control));
  entry.kind = KindOf(style);
  if (entry.kind == StaticTextKind) {
    RECT rect = GetRectInParent(control);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left + extraWidth,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOOWNERZORDER);
    entry.addedWidth = extraWidth;
  } else {
    entry.placement = PlacementOf(style);
  }
  entry.priorProc = SubclassControl(control, styleIndex, position, StaticWndProc);
}

HANDLE ImageOf(HWND window, WPARAM firstMessage, WPARAM secondMessage, WPARAM secondType) {
  auto image = reinterpret_cast<HANDLE>(SendMessageA(window, firstMessage, 0, 0));
  if (!image) image = reinterpret_cast<HANDLE>(SendMessageA(window, secondMessage, secondType, 0));
  return image;
}

// A static with nothing of its own to show: an image kind without an image, a text of spaces
// only, or a kind the control draws itself.
bool IsEmptyStatic(HWND window, const StaticEntry& entry) {
  if (entry.kind == StaticDrawnByItselfKind) return true;
  if (entry.kind == StaticIconKind || entry.kind == StaticBitmapKind) {
    return ImageOf(window, STM_GETICON, STM_GETIMAGE, IMAGE_BITMAP) == nullptr;
  }
  return IsBlankText(WindowText(window).c_str());
}

// What an empty static's own procedure leaves on its canvas: the background, filled with the
// brush its parent answers (and, by its style, an edge). A static drawn by itself (owner-drawn,
// frames and rectangles) has no key: it is drawn anew each time.
LookKey EmptyStaticKey(const StaticEntry& entry, const RECT& client, HDC dc) {
  if (entry.kind == StaticDrawnByItselfKind) return LookKey();
  const HWND window = entry.window;
  LookKey key = LookKey().Add("empty static").Add(BackgroundKey(window, client)).Add(client);
  key.Add(GetWindowLongA(window, GWL_STYLE)).Add(GetWindowLongA(window, GWL_EXSTYLE));
  // A styled dialog or page answers with the frame's pattern or a panel's face, which the
  // background stands for. Another parent is asked as the control asks it: its colour shows.
  const HWND parent = GetParent(window);
  if (FindStyleRecord(parent) || ControlEntry(parent, &StyleRecord::containers)) return key;
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  LOGBRUSH look{};
  if (brush) GetObjectA(brush, sizeof look, &look);
  key.Add(reinterpret_cast<std::intptr_t>(brush)).Add(static_cast<std::int64_t>(look.lbStyle));
  return key.Add(static_cast<std::int64_t>(look.lbColor)).Add(look.lbHatch);
}

// The control's own procedure paints into the background canvas, which then goes to the
// screen (or the DC given) in one copy, and is kept: the next paint is that copy alone.
void PaintEmptyStatic(StaticEntry& entry, UINT message, HDC target, LPARAM lParam) {
  // The background and the parent's colour answer ask for the same siblings.
  OnePaintScope onePaint;
  const HWND window = entry.window;
  RECT client{};
  GetClientRect(window, &client);
  const LookKey key = EmptyStaticKey(entry, client, target);
  if (!key.Empty() && entry.looks.Draw(key, target, 0, 0)) return;
  CanvasDc canvas(window, client);
  // No styled owner to take a background from: the control paints itself as usual.
  HDC into = canvas ? canvas.Dc() : target;
  ForwardMessage(window, message, reinterpret_cast<WPARAM>(into), lParam);
  if (!canvas) return;
  if (!key.Empty()) entry.looks.Keep(key, canvas.Dc(), client.right, client.bottom);
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
}

void PaintStaticEntry(StaticEntry& entry, HDC paintDc);

// WM_PAINT, or WM_PRINTCLIENT with the DC `given`.
LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam, HDC given = nullptr) {
  StaticEntry* entry = ControlEntry(window, &StyleRecord::statics);
  UINT message = given ? WM_PRINTCLIENT : WM_PAINT;
  if (!entry) return ForwardMessage(window, message, wParam, lParam);
  // Either look covers the whole client area: the paint's erase has nothing to colour.
  const bool empty = IsEmptyStatic(window, *entry);
  auto paint = [&](HDC dc) {
    if (empty) {
      PaintEmptyStatic(*entry, message, dc, lParam);
    } else {
      PaintStaticEntry(*entry, dc);
    }
  };
  if (given) {
    paint(given);
  } else {
    PaintIntoPaintDc(window, wParam, lParam, paint);
  }
  return PaintedAnswer;
}

void DeleteOwnedObject(HWND window, const char* property) {
  if (auto object = ReadHandleProperty<HGDIOBJ>(window, property)) DeleteObject(object);
}

// The static's text laid out where the system lays it: in the width the system gave the static
// (the installer's widening is room for the halo, not for the text), by its own alignment, two
// pixels lower as the halo look wants.
void DrawStaticText(Graphics& graphics, HDC canvas, StaticEntry& entry, const std::string& text,
                    const RECT& client, AccessKeyMode keys) {
  const HWND window = entry.window;
  RECT box{0, 0, std::max(0, static_cast<int>(client.right) - entry.addedWidth), client.bottom};
  UINT format =
      StaticTextFormat(GetWindowLongA(window, GWL_STYLE), GetWindowLongA(window, GWL_EXSTYLE));
  const TextLayout& layout = entry.caption.Layout(text, box, format, keys);
  const DpiScale scale = ScaleOfControl(window);
  RectF halo{0.0f, scale.Of(HaloTextDrop),
             static_cast<float>(client.right + entry.caption.Font().fontSize + scale(10)),
             static_cast<float>(client.bottom)};
  if (IsWindowEnabled(window)) {
    DrawHaloText(graphics, layout, entry.caption.Pen(), halo, HaloTextColour, HaloGlowColour,
                 scale(HaloScale));
    return;
  }
  // A disabled label says so in grey (its style is in the key). Grey text in the halo is a
  // blur: it goes without one, in the grey that reads on what lies behind it.
  SolidBrush brush;
  brush.Create(ToArgb(ReadableGrey(GetSysColor(COLOR_GRAYTEXT), MeanColour(canvas, client))));
  entry.caption.Pen().Draw(graphics, layout, brush, halo.x, halo.y);
}

// The image of a bitmap static by its placement. False when the static has no image.
bool DrawBitmap(Graphics& graphics, HWND window, const StaticEntry& entry, const RECT& client) {
  HANDLE handle = ImageOf(window, STM_GETIMAGE, STM_GETICON, 0);
  if (!handle) return false;
  Bitmap image;
  if (!image.FromHBitmap(static_cast<HBITMAP>(handle))) image.FromHIcon(static_cast<HICON>(handle));
  float right = static_cast<float>(client.right), bottom = static_cast<float>(client.bottom);
  float w = static_cast<float>(image.Width()), h = static_cast<float>(image.Height());
  switch (entry.placement) {
    case PlaceStretched:
      graphics.DrawImageRect(image, 0, 0, right, bottom);
      break;
    case PlaceCentred:
      graphics.DrawImage(image, static_cast<float>(static_cast<int>((right - w) / 2)),
                         static_cast<float>(static_cast<int>((bottom - h) / 2)));
      break;
    case PlaceBottomRight:
      graphics.DrawImage(image, right - w, bottom - h);
      break;
    default:
      graphics.DrawImage(image, 0, 0);
      break;
  }
  return true;
}

void DrawIconImage(HDC canvas, HWND window, const StaticEntry& entry, const RECT& client) {
  auto icon = reinterpret_cast<HICON>(SendMessageA(window, STM_GETICON, 0, 0));
  if (!icon) return;
  if (entry.placement == PlaceStretched) {
    DrawIconEx(canvas, 0, 0, icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
  } else {
    DrawIcon(canvas, 0, 0, icon);
  }
}

// Everything a text or icon static's look depends on, its background included. A bitmap
// static has none (an empty key): its pixels may change under the same handle, so it is always
// drawn anew.
LookKey StaticKey(HWND window, const StaticEntry& entry, const RECT& client,
                  const LookKey& background, const std::string& text, AccessKeyMode keys) {
  if (entry.kind != StaticTextKind && entry.kind != StaticIconKind) return LookKey();
  LookKey key = LookKey().Add("static").Add(background);
  key.Add(entry.kind).Add(client).Add(GetWindowLongA(window, GWL_STYLE));
  if (entry.kind == StaticTextKind) {
    // The font handle is not part of it: a dialog makes its own each time it is shown, and
    // what the font is (its LOGFONT) is in the key.
    AddFont(key.Add(text), entry.caption);
    key.Add(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_RIGHT);
    key.Add(static_cast<int>(keys)).Add(entry.addedWidth);
  } else {
    key.Add(entry.placement).Add(SendMessageA(window, STM_GETICON, 0, 0));
  }
  return key;
}

// The look of the static's kind on its canvas.
void DrawStaticLook(Graphics& graphics, HDC canvas, StaticEntry& entry, const RECT& client,
                    const std::string& text, AccessKeyMode keys) {
  if (entry.kind == StaticTextKind) {
    DrawStaticText(graphics, canvas, entry, text, client, keys);
  } else if (entry.kind == StaticBitmapKind) {
    DrawBitmap(graphics, entry.window, entry, client);
  } else if (entry.kind == StaticIconKind) {
    DrawIconImage(canvas, entry.window, entry, client);
  }
}

// The static's look over its background, in one copy: to the paint DC when one is given, else
// to the control's own DC (children and the siblings that show over it cut out of either).
void PaintStaticEntry(StaticEntry& entry, HDC paintDc) {
  if (entry.kind == StaticDrawnByItselfKind) return;
  OnePaintScope onePaint;  // the background and the clip ask for the same siblings
  HWND window = entry.window;
  // A bitmap static without an image is left as it is on screen.
  if (entry.kind == StaticBitmapKind && !ImageOf(window, STM_GETIMAGE, STM_GETICON, 0)) return;
  RECT client{};
  GetClientRect(window, &client);
  const LookKey background = BackgroundKey(window, client);
  const std::string text = entry.kind == StaticTextKind ? WindowText(window) : std::string();
  const AccessKeyMode keys = StaticAccessKeys(window);
  HDC target = GetChildClippedDC(window, paintDc, paintDc != nullptr);
  ExcludeSiblingsBelow(target, window);
  PresentLook(
      window, entry.looks, StaticKey(window, entry, client, background, text, keys), target, client,
      [&](Graphics& graphics, HDC canvas) {
        DrawStaticLook(graphics, canvas, entry, client, text, keys);
      },
      KeptIn::OwnAndShared);
  if (!paintDc) ReleaseDC(window, target);
}

}  // namespace

bool IsBlankText(const char* text) {
  if (!text) return true;
  for (const char* at = text; *at;) {
    auto byte = static_cast<unsigned char>(*at);
    if (byte == 0x20) {
      ++at;
    } else if (byte == 0xA1 && static_cast<unsigned char>(at[1]) == 0xA1) {
      at += 2;  // the full-width space
    } else {
      return false;
    }
  }
  return true;
}

void InstallStatics(int styleIndex, HWND dialog, int extraWidth) {
  if (!StylingEnabled) return;
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  for (const KnownChild& known : ChildrenOf(dialog)) {
    HWND child = known.window;
    if (!known.isStatic || !IsWindow(child)) continue;
    // A scroll-bar cover is a "Static" of the engine's own: widened and subclassed again it
    // would lie off its bar and forward its messages to itself.
    if (record->statics.Find(child) || IsEmulatedScrollBar(child)) continue;
    InstallStatic(styleIndex, *record, child, extraWidth);
  }
}

LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      DeleteOwnedObject(window, BackgroundBrushProperty);
      DeleteOwnedObject(window, BackgroundBitmapProperty);
      break;
    case WM_MOVE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_SETFONT:
      return SetCaptionFont(window, &StyleRecord::statics, wParam, lParam, GetParent(window));
    case WM_SETTEXT:
      // The control's own procedure may draw the new text in the system look at once: the
      // styled look goes over it there and then, once.
      return ForwardThenPaint(window, message, wParam, lParam, [window] { PaintStatic(window); });
    case WM_PAINT:
      return OnPaint(window, wParam, lParam);
    case WM_PRINTCLIENT:
      return PrintClient(window, reinterpret_cast<HDC>(wParam), LookArea::Client,
                         [&](HDC dc) { OnPaint(window, wParam, lParam, dc); });
    case WM_PRINT:
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam);
    case WM_NCPAINT:
      // A static without a border has nothing outside its client area: the system's paint of
      // it would only ask for a DC.
      if (!HasNonClientArea(window)) return 0;
      break;
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      // In our own paint the look covers everything: the system draws no text to colour.
      if (beginningPaint == window) return 1;
      return static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(ReadProperty(window, TextColourProperty))));
    }
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

void PaintStatic(HWND window, HDC paintDc) {
  if (StaticEntry* entry = ControlEntry(window, &StyleRecord::statics)) {
    PaintStaticEntry(*entry, paintDc);
  }
}
