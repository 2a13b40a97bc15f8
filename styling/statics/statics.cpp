#include "styling/statics/statics.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/drawing.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/control_text.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/printing.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbars.h"

namespace {

constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;
constexpr COLORREF HaloTextColour = 0x000000;
constexpr COLORREF HaloGlowColour = 0xFFFFFF;
constexpr float HaloTextDrop = 2.0f;  // the halo text sits two pixels below the client's top

bool HasAll(LONG style, LONG mask) { return (style & mask) == mask; }

StaticKind KindOf(LONG style) {
  if (HasAll(style, 0x3)) return StaticIconKind;
  if (HasAll(style, 0xE)) return StaticBitmapKind;
  return StaticTextKind;
}

ImagePlacement PlacementOf(LONG style) {
  if (HasAll(style, SS_CENTERIMAGE)) return PlaceCentred;
  if (HasAll(style, SS_REALSIZECONTROL)) return PlaceStretched;
  if (HasAll(style, SS_RIGHTJUST)) return PlaceBottomRight;
  return PlaceTopLeft;
}

// The control's font; a control without a usable one takes its parent's.
void CaptureFont(StaticEntry& entry, HWND control) {
  ControlFont font = ReadControlFont(control);
  if (font.fontName.empty()) font = ReadControlFont(GetParent(control));
  entry.fontName = font.fontName.empty() ? DefaultFontName : font.fontName;
  entry.fontSize = font.fontSize != 0 ? font.fontSize : DefaultFontSize;
  entry.fontStyle = font.fontStyle;
}

// How the static shows its "&" marks: as they are with SS_NOPREFIX; otherwise as access keys,
// underlined only while the window's keyboard cues are shown.
AccessKeyMode StaticAccessKeys(HWND window) {
  if (GetWindowLongA(window, GWL_STYLE) & SS_NOPREFIX) return AccessKeyMode::None;
  return CaptionAccessKeys(window);
}

// The static's text laid out where the system lays it: in the width the system gave the static
// (the installer's widening is room for the halo, not for the text), by its own alignment, two
// pixels lower as the halo look wants.
TextLayout StaticTextLayout(HWND window, const StaticEntry& entry, const RECT& client) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  RECT box{0, 0, std::max(0, static_cast<int>(client.right) - entry.addedWidth), client.bottom};
  return LayOutControlText(window, WindowText(window).c_str(), box, StaticTextFormat(style),
                           StaticAccessKeys(window));
}

void InstallStatic(int styleIndex, StyleRecord& record, HWND control, int extraWidth) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  int position = record.statics.AppendEntry(control);
  StaticEntry& entry = record.statics[position];
  CaptureFont(entry, control);
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

// A static with nothing of its own to show: an image kind without an image, or a text of
// spaces only.
bool IsEmptyStatic(HWND window, const StaticEntry& entry) {
  if (entry.kind == StaticIconKind || entry.kind == StaticBitmapKind) {
    return ImageOf(window, STM_GETICON, STM_GETIMAGE, IMAGE_BITMAP) == nullptr;
  }
  return IsBlankText(WindowText(window).c_str());
}

// The control's own procedure paints into the background canvas, which then goes to the
// screen (or the DC given) in one copy.
void PaintEmptyStatic(HWND window, WPARAM wParam, LPARAM lParam, HDC given) {
  RECT client{};
  GetClientRect(window, &client);
  CanvasDc canvas(window, client);
  UINT message = given ? WM_PRINTCLIENT : WM_PAINT;
  if (!canvas) {
    // No styled owner to take a background from: the control paints itself as usual.
    ForwardMessage(window, message, wParam, lParam);
    return;
  }
  PAINTSTRUCT paint{};
  HDC target = given ? given : BeginPaint(window, &paint);
  ForwardMessage(window, message, reinterpret_cast<WPARAM>(canvas.Dc()), lParam);
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
  if (!given) EndPaint(window, &paint);
}

// WM_PAINT, or WM_PRINTCLIENT with the DC `given`.
LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam, HDC given = nullptr) {
  int styleIndex = static_cast<int>(ReadProperty(window, StyleIndexProperty));
  int position = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  StaticEntry* entry = ControlEntry(window, &StyleRecord::statics);
  UINT message = given ? WM_PRINTCLIENT : WM_PAINT;
  if (!entry || entry->window != window) return ForwardMessage(window, message, wParam, lParam);
  if (IsEmptyStatic(window, *entry)) {
    PaintEmptyStatic(window, wParam, lParam, given);
  } else if (given) {
    PaintStatic(styleIndex, position, given);
  } else {
    PAINTSTRUCT paint{};
    HDC target = BeginPaint(window, &paint);
    PaintStatic(styleIndex, position, target);
    EndPaint(window, &paint);
  }
  return given ? 0 : DefWindowProcA(window, WM_PAINT, wParam, lParam);
}

void DeleteOwnedObject(HWND window, const char* property) {
  if (auto object = ReadHandleProperty<HGDIOBJ>(window, property)) DeleteObject(object);
}

void DrawStaticText(Graphics& graphics, HWND window, const StaticEntry& entry, const RECT& client) {
  TextLayout layout = StaticTextLayout(window, entry, client);
  ControlFont font{entry.fontName, entry.fontSize, entry.fontStyle};
  RectF box{0.0f, HaloTextDrop, static_cast<float>(client.right + entry.fontSize + 10),
            static_cast<float>(client.bottom)};
  DrawHaloText(graphics, layout, font, box, HaloTextColour, HaloGlowColour, HaloScale);
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
// static has none: its pixels may change under the same handle, so it is always drawn anew.
bool StaticKey(HWND window, const StaticEntry& entry, const RECT& client, LookKey& key) {
  if (entry.kind != StaticTextKind && entry.kind != StaticIconKind) return false;
  key = LookKey().Add("static").Add(BackgroundKey(window, client));
  key.Add(entry.kind).Add(client).Add(GetWindowLongA(window, GWL_STYLE));
  if (entry.kind == StaticTextKind) {
    key.Add(WindowText(window)).Add(entry.fontName).Add(entry.fontSize).Add(entry.fontStyle);
    // The font handle is not part of it: a dialog makes its own each time it is shown, and
    // its name, size and style are in the key.
    key.Add(static_cast<int>(StaticAccessKeys(window))).Add(entry.addedWidth);
  } else {
    key.Add(entry.placement).Add(SendMessageA(window, STM_GETICON, 0, 0));
  }
  return true;
}

// Paints the static's look on its canvas, keeps it under the key when there is one and copies
// it to target. A bitmap static without an image leaves target as it is.
void DrawStaticLook(StaticEntry& entry, const RECT& client, const LookKey* key, HDC target) {
  HWND window = entry.window;
  CanvasDc canvas(window, client);
  if (!canvas) return;
  {
    Graphics graphics;
    graphics.CreateFromHdc(canvas.Dc());
    if (entry.kind == StaticTextKind) {
      DrawStaticText(graphics, window, entry, client);
    } else if (entry.kind == StaticBitmapKind) {
      if (!DrawBitmap(graphics, window, entry, client)) return;
    } else if (entry.kind == StaticIconKind) {
      DrawIconImage(canvas.Dc(), window, entry, client);
    }
  }
  if (key) KeepLook(entry.looks, *key, canvas.Dc(), client.right, client.bottom);
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
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
  for (HWND child = FindWindowExA(dialog, nullptr, "Static", nullptr); child;
       child = FindWindowExA(dialog, child, "Static", nullptr)) {
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
    case WM_SETTEXT: {
      PaintStatic(static_cast<int>(ReadProperty(window, StyleIndexProperty)),
                  static_cast<int>(ReadProperty(window, EntryIndexProperty)));
      LRESULT result = ForwardMessage(window, message, wParam, lParam);
      // The control's own procedure may draw the new text in the system look at once.
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      return OnPaint(window, wParam, lParam);
    case WM_PRINTCLIENT:
      return PrintClient(window, reinterpret_cast<HDC>(wParam), LookArea::Client,
                         [&](HDC dc) { OnPaint(window, wParam, lParam, dc); });
    case WM_PRINT:
      return PrintWindowParts(window, reinterpret_cast<HDC>(wParam), lParam);
    case WM_ERASEBKGND: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetBkMode(dc, TRANSPARENT);
      return static_cast<LRESULT>(
          SetTextColor(dc, static_cast<COLORREF>(ReadProperty(window, TextColourProperty))));
    }
    default:
      break;
  }
  return ForwardMessage(window, message, wParam, lParam);
}

void PaintStatic(int styleIndex, int position, HDC paintDc) {
  StyleRecord* record = RecordAt(styleIndex);
  StaticEntry* entry = record ? record->statics.At(position) : nullptr;
  if (!entry || !entry->window) return;
  HWND window = entry->window;
  RECT client{};
  GetClientRect(window, &client);
  LookKey key;
  bool keyed = StaticKey(window, *entry, client, key);
  HDC target = GetChildClippedDC(window, paintDc, paintDc != nullptr);
  ExcludeSiblingsBelow(target, window);
  if (!keyed || !DrawKeptLook(entry->looks, key, target)) {
    DrawStaticLook(*entry, client, keyed ? &key : nullptr, target);
  }
  if (!paintDc) ReleaseDC(window, target);
}
