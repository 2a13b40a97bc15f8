#include "styling/records/canvas.h"

#include <cstdint>
#include <vector>

#include "styling/records/child_windows.h"
#include "styling/records/records.h"

namespace {

// FNV-1a over the bitmap's bits; 0 without a bitmap.
std::int64_t PixelHash(HBITMAP bitmap) {
  BITMAP shape{};
  if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape)) return 0;
  std::vector<unsigned char> bits(static_cast<size_t>(shape.bmWidthBytes) *
                                  static_cast<size_t>(shape.bmHeight));
  LONG read = GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
  std::uint64_t hash = 14695981039346656037ull;
  for (LONG i = 0; i < read; ++i) hash = (hash ^ bits[static_cast<size_t>(i)]) * 1099511628211ull;
  return static_cast<std::int64_t>(hash);
}

struct CanvasOwner {
  int styleIndex = 0;
  int container = 0;  // entry in the record's container list when a container decided
};

// The record whose window is `window`, or whose container list holds it.
CanvasOwner OwnerOfExactly(HWND window) {
  for (int index = 1; index <= StyleRecordList.Count(); ++index) {
    StyleRecord& record = StyleRecordList[index];
    if (record.window == window) return {index, 0};
    if (int container = record.containers.Find(window)) return {index, container};
  }
  return {};
}

CanvasOwner FindCanvasOwner(HWND window) {
  if (int index = FindStyleRecord(window)) return {index, 0};
  // A styled control names its record, as its entry lookup found it: no walk up its ancestors.
  const int named = static_cast<int>(ReadProperty(window, StyleIndexProperty));
  if (RecordAt(named)) return {named, 0};
  HWND root = GetAncestor(window, GA_ROOT);
  HWND step = window;
  // Ancestors up to the top-level one: an owner window does not lie behind its popups.
  for (int depth = 0; depth < 256 && step && step != root; ++depth) {
    step = GetParent(step);
    CanvasOwner owner = OwnerOfExactly(step);
    if (owner.styleIndex) return owner;
  }
  return {OwnerStyleIndex(window), 0};
}

// The colour a rectangle static fills itself with (as the system's static does), or -1 for a
// static that is no such panel.
int PanelColour(HWND window) {
  switch (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) {
    case SS_BLACKRECT:
      return static_cast<int>(GetSysColor(COLOR_3DDKSHADOW));
    case SS_GRAYRECT:
      return static_cast<int>(GetSysColor(COLOR_3DSHADOW));
    case SS_WHITERECT:
      return static_cast<int>(GetSysColor(COLOR_3DHIGHLIGHT));
    default:
      return -1;
  }
}

// The panels (rectangle statics) among the window's siblings that lie under part of the
// rectangle, with their colours: a label on a white panel has the panel behind it, not the frame.
// `place` is the rectangle in screen coordinates.
template <typename Visit>
void ForEachPanelUnder(HWND window, const RECT& place, Visit&& visit) {
  HWND parent = GetParent(window);
  if (!parent || (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) return;
  for (const KnownChild& sibling : ChildrenOf(parent)) {
    if (!sibling.isStatic || sibling.window == window || !IsWindowVisible(sibling.window)) continue;
    RECT panel{}, overlap{};
    GetWindowRect(sibling.window, &panel);
    if (!IntersectRect(&overlap, &panel, &place)) continue;
    int colour = PanelColour(sibling.window);
    if (colour >= 0) visit(overlap, static_cast<COLORREF>(colour));
  }
}

RECT OnScreen(HWND window, const RECT& rect) {
  RECT own{};
  GetWindowRect(window, &own);
  RECT place = rect;
  OffsetRect(&place, own.left, own.top);
  return place;
}

}  // namespace

HBITMAP CreateArgbBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  // What GDI+ hands back for an empty ARGB bitmap, made by GDI directly: a 32-bit top-down DIB
  // section of zero bytes. Going through GDI+ costs a bitmap and a conversion on every canvas.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HDC CreateMemoryCanvas(int width, int height) {
  HBITMAP bitmap = CreateArgbBitmap(width, height);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ previous = bitmap ? SelectObject(dc, bitmap) : nullptr;
  RegisterMemoryDc(dc, bitmap, previous);
  return dc;
}

HDC BackgroundCanvas(HWND window, const RECT& rect) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  HDC canvas = CreateMemoryCanvas(width, height);
  if (!canvas) return nullptr;
  CanvasOwner owner = FindCanvasOwner(window);
  if (!owner.styleIndex) {
    // Nobody to take the background from: the canvas must not outlive this call.
    ReleaseCanvas(canvas);
    return nullptr;
  }
  StyleRecord& record = StyleRecordList[owner.styleIndex];
  RECT place = RectRelativeTo(record.window, window);
  if (record.frameDC) {
    BitBlt(canvas, 0, 0, width, height, record.frameDC, place.left + rect.left,
           place.top + rect.top, SRCCOPY);
  }
  const RECT onScreen = OnScreen(window, rect);
  ForEachPanelUnder(window, onScreen, [&](RECT overlap, COLORREF colour) {
    OffsetRect(&overlap, -onScreen.left, -onScreen.top);
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    FillRect(canvas, &overlap, brush);
    DeleteObject(brush);
  });
  // A container's canvas is the plain copy: containers of this program have no overlay.
  return canvas;
}

bool PanelUnder(HWND window, COLORREF& colour) {
  RECT own{};
  GetWindowRect(window, &own);
  bool whole = false;
  ForEachPanelUnder(window, own, [&](const RECT& overlap, COLORREF panel) {
    if (EqualRect(&overlap, &own)) {
      whole = true;
      colour = panel;
    }
  });
  return whole;
}

LookKey ImageListKey(HIMAGELIST images) {
  LookKey key;
  key.Add(reinterpret_cast<std::intptr_t>(images));
  int count = images ? ImageList_GetImageCount(images) : 0;
  key.Add(count);
  IMAGEINFO info{};
  if (count < 1 || !ImageList_GetImageInfo(images, 0, &info)) return key;
  for (HBITMAP bitmap : {info.hbmImage, info.hbmMask}) key.Add(PixelHash(bitmap));
  return key;
}

LookKey BackgroundKey(HWND window, const RECT& rect) {
  LookKey key;
  CanvasOwner owner = FindCanvasOwner(window);
  if (!owner.styleIndex) return key.Add(-1);  // no canvas at all
  const StyleRecord& record = StyleRecordList[owner.styleIndex];
  RECT place = RectRelativeTo(record.window, window);
  OffsetRect(&place, rect.left, rect.top);
  key.Add(place).Add(rect.right - rect.left).Add(rect.bottom - rect.top);
  // A look drawn at another DPI is never the one to show.
  key.Add(static_cast<int>(record.scale.dpi));
  const RECT onScreen = OnScreen(window, rect);
  ForEachPanelUnder(window, onScreen, [&](RECT overlap, COLORREF colour) {
    OffsetRect(&overlap, -onScreen.left, -onScreen.top);
    key.Add(overlap).Add(colour);
  });
  if (!record.frameDC) return key.Add(0);  // a canvas of transparent black
  if (!record.frameKey.Empty()) return key.Add(1).Add(record.frameKey);
  return key.Add(2).Add(reinterpret_cast<std::intptr_t>(record.window)).Add(record.frameVersion);
}

bool ReleaseCanvas(HDC dc) {
  if (!dc) return false;
  int listed = MemoryDcRegistry.FindFirst([dc](const MemoryDcEntry& e) { return e.dc == dc; });
  if (!listed) return false;
  MemoryDcEntry entry = MemoryDcRegistry[listed];
  HGDIOBJ bitmap = entry.previous ? SelectObject(dc, entry.previous) : entry.bitmap;
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(dc);
  MemoryDcRegistry.RemoveAt(listed);
  return true;
}

void ReleaseFrameDc(StyleRecord& record) {
  if (!record.frameDC) return;
  // The frame bitmap is whatever the DC holds; read it from the DC so that it is freed even
  // when the window (and its properties) is already gone.
  HGDIOBJ bitmap = GetCurrentObject(record.frameDC, OBJ_BITMAP);
  if (auto previous = ReadHandleProperty<HGDIOBJ>(record.window, FramePreviousObjectProperty)) {
    SelectObject(record.frameDC, previous);
  }
  DeleteDC(record.frameDC);
  // A DC's stock bitmap ignores DeleteObject, so this frees exactly the frame bitmap.
  if (bitmap) DeleteObject(bitmap);
  record.frameDC = nullptr;
}

RECT RectRelativeTo(HWND a, HWND b) {
  RECT origin{}, rect{};
  GetWindowRect(a, &origin);
  GetWindowRect(b, &rect);
  OffsetRect(&rect, -origin.left, -origin.top);
  return rect;
}

RECT RectInOwner(HWND window) {
  StyleRecord* owner = RecordAt(OwnerStyleIndex(window));
  if (!owner) return RECT{};
  return RectRelativeTo(owner->window, window);
}

SIZE WindowSizeOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT ClientRectInWindow(HWND window) {
  RECT place{}, client{};
  GetWindowRect(window, &place);
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -place.left, -place.top);
  return client;
}

bool HasNonClientArea(HWND window) {
  const RECT client = ClientRectInWindow(window);
  const SIZE size = WindowSizeOf(window);
  return client.left > 0 || client.top > 0 || client.right < size.cx || client.bottom < size.cy;
}
