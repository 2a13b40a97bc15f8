#include "styling/statics/statics.h"

#include <string>

#include "drawing/drawing.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

constexpr char DefaultFontName[] = "宋体";
constexpr int DefaultFontSize = 12;
constexpr COLORREF HaloTextColour = 0x000000;
constexpr COLORREF HaloGlowColour = 0xFFFFFF;

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

void Widen(HWND control, int extraWidth) {
  RECT rect = GetRectInParent(control);
  SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left + extraWidth,
               rect.bottom - rect.top, SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void InstallStatic(int styleIndex, StyleRecord& record, HWND control, int extraWidth) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  int position = record.statics.AppendEntry(control);
  StaticEntry& entry = record.statics[position];
  CaptureFont(entry, control);
  entry.kind = KindOf(style);
  if (entry.kind == StaticTextKind) {
    Widen(control, extraWidth);
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
// screen in one copy.
void PaintEmptyStatic(HWND window, WPARAM wParam, LPARAM lParam) {
  RECT client{};
  GetClientRect(window, &client);
  CanvasDc canvas(window, client);
  if (!canvas) {
    // No styled owner to take a background from: the control paints itself as usual.
    ForwardMessage(window, WM_PAINT, wParam, lParam);
    return;
  }
  PAINTSTRUCT paint{};
  HDC target = BeginPaint(window, &paint);
  ForwardMessage(window, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc()), lParam);
  BitBlt(target, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
  EndPaint(window, &paint);
}

LRESULT OnPaint(HWND window, WPARAM wParam, LPARAM lParam) {
  int styleIndex = static_cast<int>(ReadProperty(window, StyleIndexProperty));
  int position = static_cast<int>(ReadProperty(window, EntryIndexProperty));
  StaticEntry* entry = ControlEntry(window, &StyleRecord::statics);
  if (!entry || entry->window != window) return ForwardMessage(window, WM_PAINT, wParam, lParam);
  if (IsEmptyStatic(window, *entry)) {
    PaintEmptyStatic(window, wParam, lParam);
  } else {
    PAINTSTRUCT paint{};
    BeginPaint(window, &paint);
    PaintStatic(styleIndex, position);
    EndPaint(window, &paint);
  }
  return DefWindowProcA(window, WM_PAINT, wParam, lParam);
}

void DeleteOwnedObject(HWND window, const char* property) {
  if (auto object = ReadHandleProperty<HGDIOBJ>(window, property)) DeleteObject(object);
}

void DrawStaticText(Graphics& graphics, HWND window, const StaticEntry& entry, const RECT& client) {
  std::string text = WindowText(window);
  RectF layout{-2.0f, 2.0f, static_cast<float>(client.right + entry.fontSize + 10),
               static_cast<float>(client.bottom)};
  DrawHaloText(graphics, text.c_str(), layout, HaloTextColour, HaloGlowColour, HaloScale,
               entry.fontName.c_str(), entry.fontStyle, static_cast<float>(entry.fontSize), 0, 0,
               true);
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
  } else {
    key.Add(entry.placement).Add(SendMessageA(window, STM_GETICON, 0, 0));
  }
  return true;
}

void CopyToControl(HWND window, HDC source, const RECT& client) {
  HDC screen = GetChildClippedDC(window);
  BitBlt(screen, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
  ReleaseDC(window, screen);
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
    if (record->statics.Find(child)) continue;
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

void PaintStatic(int styleIndex, int position) {
  StyleRecord* record = RecordAt(styleIndex);
  StaticEntry* entry = record ? record->statics.At(position) : nullptr;
  if (!entry || !entry->window) return;
  HWND window = entry->window;
  RECT client{};
  GetClientRect(window, &client);
  LookKey key;
  bool keyed = StaticKey(window, *entry, client, key);
  if (keyed) {
    HDC screen = GetChildClippedDC(window);
    bool drawn = DrawKeptLook(entry->looks, key, screen);
    ReleaseDC(window, screen);
    if (drawn) return;
  }
  CanvasDc canvas(window, client);
  if (!canvas) return;
  {
    Graphics graphics;
    graphics.CreateFromHdc(canvas.Dc());
    if (entry->kind == StaticTextKind) {
      DrawStaticText(graphics, window, *entry, client);
    } else if (entry->kind == StaticBitmapKind) {
      if (!DrawBitmap(graphics, window, *entry, client)) return;
    } else if (entry->kind == StaticIconKind) {
      DrawIconImage(canvas.Dc(), window, *entry, client);
    }
  }
  if (keyed) KeepLook(entry->looks, key, canvas.Dc(), client.right, client.bottom);
  CopyToControl(window, canvas.Dc(), client);
}
