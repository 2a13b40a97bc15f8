// The header look: per item a white base under a pale accent gradient, the hover and pressed
// tints of clickable headers, a soft divider, the image-list icon and the text in black.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "styling/headers/headers.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr int WorldUnit = 0;
constexpr int TrimEllipsisCharacter = 3;
constexpr int TextBufferSize = 260;

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

// What one item shows; everything its look depends on.
struct HeaderItem {
  RECT rect{};
  std::string text;
  int format = 0;
  int image = -1;  // image-list index when the format has HDF_IMAGE
  bool hot = false;
  bool pressed = false;
};

// The list view whose header this is, 0 for a stand-alone header.
HWND OwningListView(HWND header) {
  HWND parent = GetParent(header);
  return parent && ClassNameOf(parent) == WC_LISTVIEWA ? parent : nullptr;
}

std::vector<HeaderItem> ReadItems(const HeaderEntry& entry) {
  HWND header = entry.window;
  int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<HeaderItem> items;
  for (int i = 1; i <= count; ++i) {
    HeaderItem item;
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(i - 1),
                 reinterpret_cast<LPARAM>(&item.rect));
    char text[TextBufferSize] = {};
    HDITEMA data{};
    data.mask = 0x3F;  // width, text, format, lParam, bitmap, image
    data.pszText = text;
    data.cchTextMax = TextBufferSize;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(&data));
    item.text = text;
    item.format = data.fmt;
    if (data.fmt & HDF_IMAGE) item.image = data.iImage;
    item.hot = entry.clickable && entry.hovered && i == entry.hotItem;
    item.pressed = entry.clickable && i == entry.pressedItem;
    items.push_back(std::move(item));
  }
  // In a list view the last column reaches the list's right edge.
  HWND listView = OwningListView(header);
  if (listView && !items.empty()) {
    RECT client{};
    GetClientRect(listView, &client);
    MapWindowPoints(listView, header, reinterpret_cast<POINT*>(&client), 2);
    RECT& last = items.back().rect;
    if (last.right < client.right) last.right = client.right;
  }
  return items;
}

void FillGradient(Graphics& graphics, GraphicsPath& path, const RECT& r, ARGB top, ARGB bottom) {
  LinearGradientBrush brush;
  brush.Create(PointF{0, static_cast<float>(r.top)}, PointF{0, static_cast<float>(r.bottom)}, top,
               bottom);
  graphics.FillPath(brush, path);
}

// The base of an item, and of the part of a stand-alone header right of its last item.
void PaintFace(Graphics& graphics, GraphicsPath& path, const RECT& r, bool clickable) {
  SolidBrush white;
  white.Create(ToArgb(White));
  graphics.FillPath(white, path);
  if (clickable) {
    FillGradient(graphics, path, r, WithAlpha(White, 80), WithAlpha(AccentColour, 120));
  } else {
    FillGradient(graphics, path, r, WithAlpha(AccentColour, 60), WithAlpha(AccentColour, 10));
  }
}

// x of the icon (and the text after it) inside the item, by the item's alignment.
int ContentX(int format, int iconW, int textW, int margin, int width) {
  bool tooWide = iconW + margin + textW >= width;
  if (format & HDF_RIGHT) return tooWide ? margin : width - iconW - textW;
  if (format & HDF_CENTER) return tooWide ? margin : (width - iconW - margin - textW) / 2;
  return margin;
}

void PaintItem(Graphics& graphics, const HeaderEntry& entry, const HeaderItem& item, int margin) {
  const RECT& r = item.rect;
  float left = static_cast<float>(r.left), top = static_cast<float>(r.top);
  int w = r.right - r.left, h = r.bottom - r.top;
  GraphicsPath path;
  path.Create();
  path.AddRectangle(left, top, static_cast<float>(w), static_cast<float>(h));
  PaintFace(graphics, path, r, entry.clickable != 0);
  if (item.hot) FillGradient(graphics, path, r, WithAlpha(AccentColour, 60), WithAlpha(Black, 30));
  if (item.pressed) FillGradient(graphics, path, r, WithAlpha(Black, 30), WithAlpha(White, 120));

  LinearGradientBrush dividerShade;
  dividerShade.Create(PointF{0, top}, PointF{0, top + static_cast<float>(h)}, WithAlpha(Black, 60),
                      WithAlpha(White, 50));
  // A line as wide as a pixel scaled, its right edge on the item's.
  float dividerWidth = entry.scale.Of(1.0f);
  Pen divider;
  divider.CreateFromBrush(dividerShade, dividerWidth);
  float dividerX = left + static_cast<float>(w) - (dividerWidth + 1) / 2;
  graphics.DrawLine(divider, dividerX, top, dividerX, top + static_cast<float>(h));

  Bitmap icon;
  int iconW = 0, iconH = 0;
  if (item.image >= 0 && entry.imageList) {
    if (HICON handle = ImageList_GetIcon(entry.imageList, item.image, ILD_TRANSPARENT)) {
      if (icon.FromHIcon(handle)) {
        iconW = icon.Width();
        iconH = icon.Height();
      }
      DestroyIcon(handle);
    }
  }
  int textW = MeasureHeaderText(item.text, entry.fontName, entry.fontSize, entry.fontStyle);
  int x = ContentX(item.format, iconW, textW, margin, w);
  if (iconW > 0) {
    graphics.DrawImage(icon, left + static_cast<float>(x),
                       top + static_cast<float>((h - iconH) / 2));
  }
  Font font;
  font.CreateFromFamilyName(entry.fontName.c_str(), static_cast<float>(entry.fontSize),
                            entry.fontStyle, WorldUnit);
  StringFormat format;
  format.Create();
  format.SetTrimming(TrimEllipsisCharacter);
  SolidBrush black;
  black.Create(ToArgb(Black));
  RectF layout{left + static_cast<float>(x + iconW), top,
               static_cast<float>(w - iconW - 2 * margin), static_cast<float>(h)};
  graphics.DrawString(item.text.c_str(), font, black, layout, format);
}

void PaintHeaderLook(Graphics& graphics, const HeaderEntry& entry,
                     const std::vector<HeaderItem>& items, const RECT& client, int margin) {
  for (const HeaderItem& item : items) PaintItem(graphics, entry, item, margin);
  // A stand-alone header wider than its items shows an empty face after the last one.
  int end = items.empty() ? 0 : items.back().rect.right;
  if (end < client.right) {
    RECT rest{end, client.top, client.right, client.bottom};
    GraphicsPath path;
    path.Create();
    path.AddRectangle(static_cast<float>(rest.left), static_cast<float>(rest.top),
                      static_cast<float>(rest.right - rest.left),
                      static_cast<float>(rest.bottom - rest.top));
    PaintFace(graphics, path, rest, entry.clickable != 0);
  }
}

}  // namespace

int MeasureHeaderText(const std::string& text, const std::string& fontName, int fontSize,
                      int fontStyle) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return 1;
  RectF bounds{};
  {
    Graphics graphics;
    graphics.CreateFromHdc(dc);
    Font font;
    font.CreateFromFamilyName(fontName.c_str(), static_cast<float>(fontSize), fontStyle, WorldUnit);
    StringFormat format;
    format.Create();
    graphics.MeasureString(text.c_str(), font, RectF{0, 0, 32767.0f, 32767.0f}, format, bounds);
  }
  DeleteDC(dc);
  return static_cast<int>(bounds.width) + 1;
}

void PaintHeader(int styleIndex, int position, HDC dc) {
  StyleRecord* record = RecordAt(styleIndex);
  HeaderEntry* entry = record ? record->headers.At(position) : nullptr;
  if (!entry || !entry->window) return;
  HWND header = entry->window;
  // The list the header holds now: one given after styling is drawn, a destroyed one is not.
  entry->imageList = reinterpret_cast<HIMAGELIST>(SendMessageA(header, HDM_GETIMAGELIST, 0, 0));
  int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
  std::vector<HeaderItem> items = ReadItems(*entry);
  RECT client{};
  GetClientRect(header, &client);
  if (client.right <= 0 || client.bottom <= 0) return;

  LookKey key = ControlLookKey(header);
  key.Add(client).Add(margin).Add(entry->clickable).Add(entry->fontName);
  key.Add(entry->fontSize).Add(entry->fontStyle).Add(static_cast<int>(entry->scale.dpi));
  key.Add(ImageListKey(entry->imageList));
  for (const HeaderItem& item : items) {
    key.Add(item.rect).Add(item.text).Add(item.format).Add(item.image);
    key.Add(item.hot ? 1 : 0).Add(item.pressed ? 1 : 0);
  }
  HDC target = dc ? dc : GetDC(header);
  PresentLook(header, entry->looks, key, target, client, [&](Graphics& graphics) {
    PaintHeaderLook(graphics, *entry, items, client, margin);
  });
  if (!dc) ReleaseDC(header, target);
}
