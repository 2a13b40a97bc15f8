// The toolbar look: every button over the dialog's background, a rounded translucent
// highlight tinted with the accent colour when hot, pressed or checked, separator rules, the
// image-list icon (greyed when disabled) and the text.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "styling/buttons/buttons.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/keyboard_cues.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"
#include "styling/toolbars/toolbars.h"

namespace {

constexpr int Corner = 5;
constexpr COLORREF Black = 0x000000;
constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF GreyText = 0x808080;
constexpr int DropDownWidth = 12;   // the split part of a drop-down button
constexpr int WrappedRowLeft = 10;  // a separator left of this starts a wrapped row
constexpr int WorldUnit = 0;
constexpr int AlignCentre = 1;
constexpr int MeasureTrailingSpaces = 0x800;
constexpr int EllipsisCharacter = 3;
constexpr int IndeterminateRed = 20;  // the reddish tint of an indeterminate button's icon

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

// A button's rectangle, and the scale of the toolbar's DPI at which its look's lengths (given at
// 96 DPI) are drawn.
struct Box {
  float x, y, w, h;
  DpiScale scale;
  float Px(int pixels) const { return static_cast<float>(scale(pixels)); }
};

// What one button shows, read from the toolbar.
struct ButtonFacts {
  TBBUTTON button{};
  RECT rect{};
  std::string text;
};

bool ReadButton(HWND toolbar, int index, ButtonFacts& facts) {
  if (!SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&facts.button))) {
    return false;
  }
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&facts.rect));
  int command = facts.button.idCommand;
  LRESULT length = SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, 0);
  if (length > 0) {
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(toolbar, TB_GETBUTTONTEXTA, command, reinterpret_cast<LPARAM>(text.data()));
    facts.text = text.data();
  }
  return true;
}

bool IsDropDown(BYTE style) { return (style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) != 0; }
bool IsSeparator(BYTE style) { return (style & BTNS_SEP) != 0; }

// The toolbar's image list now; a list replaced after styling is the one drawn.
HIMAGELIST ImagesOf(HWND toolbar) {
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
  SetPropA(toolbar, ToolbarImagesProperty, images);
  return images;
}

// The button's icon (a copy the caller destroys), or 0 without an image.
HICON IconOf(HWND toolbar, int image, SIZE& size) {
  size = {0, 0};
  auto images = ReadHandleProperty<HIMAGELIST>(toolbar, ToolbarImagesProperty);
  if (!images || image < 0 || image >= ImageList_GetImageCount(images)) return nullptr;
  HICON icon = ImageList_GetIcon(images, image, ILD_TRANSPARENT);
  if (icon)
    ImageList_GetIconSize(images, reinterpret_cast<int*>(&size.cx),
                          reinterpret_cast<int*>(&size.cy));
  return icon;
}

void Line(Graphics& graphics, const Box& b, ARGB colour, float x1, float y1, float x2, float y2) {
  Pen pen;
  pen.Create(colour, b.scale.Of(1.0f));
  graphics.DrawLine(pen, x1, y1, x2, y2);
}

void Fill(Graphics& graphics, GraphicsPath& path, ARGB colour) {
  SolidBrush brush;
  brush.Create(colour);
  graphics.FillPath(brush, path);
}

// A soft glow from the edge inwards: surround colour at the rim, centre colour inside.
void FillGlow(Graphics& graphics, GraphicsPath& path, const Box& b, float inset, ARGB centre,
              ARGB surround) {
  PathGradientBrush glow;
  glow.CreateFromPath(path);
  glow.SetCenterColor(centre);
  ARGB rim[] = {surround};
  glow.SetSurroundColors(rim);
  glow.SetFocusScales((b.w - b.Px(4)) / b.w, (b.h - inset) / b.h);
  graphics.FillPath(glow, path);
}

void PaintBackground(Graphics& graphics, GraphicsPath& path, const Box& b, BYTE state, bool hot) {
  if (state & TBSTATE_PRESSED) {
    LinearGradientBrush brush;
    brush.Create(PointF{b.x, b.y}, PointF{b.x, b.y + b.h}, WithAlpha(Black, 60),
                 WithAlpha(White, 100));
    graphics.FillPath(brush, path);
  } else if (state & TBSTATE_CHECKED) {
    Fill(graphics, path, WithAlpha(White, 100));
    Fill(graphics, path, WithAlpha(AccentColour, 16));
    FillGlow(graphics, path, b, b.Px(4), WithAlpha(White, 100), WithAlpha(AccentColour, 80));
  } else if (hot) {
    Fill(graphics, path, WithAlpha(White, 100));
    Fill(graphics, path, WithAlpha(AccentColour, 10));
    FillGlow(graphics, path, b, b.Px(6), WithAlpha(White, 10), WithAlpha(AccentColour, 60));
  }
}

void PaintFrameLines(Graphics& graphics, GraphicsPath& path, const Box& b, BYTE style) {
  StrokeScaled(graphics, path, WithAlpha(Black, 100), b.scale);
  GraphicsPath inner;
  inner.Create();
  AddRoundedRect(inner, b.x + b.Px(1), b.y + b.Px(1), b.w - b.Px(2), b.h - b.Px(2),
                 b.scale(Corner));
  StrokeScaled(graphics, inner, WithAlpha(White, 60), b.scale);
  if (IsDropDown(style)) {
    float split = b.x + b.w - b.Px(DropDownWidth), next = split + b.Px(1);
    float top = b.y + b.Px(3), bottom = b.y + b.h - b.Px(3);
    Line(graphics, b, WithAlpha(Black, 100), split, top, split, bottom);
    Line(graphics, b, WithAlpha(White, 150), next, top, next, bottom);
  }
}

void PaintSeparator(Graphics& graphics, const Box& b, int index, float clientWidth) {
  if (b.x < b.Px(WrappedRowLeft) && index > 0) {
    // Starts a wrapped row: a rule across the toolbar.
    float left = b.x + b.Px(3), right = b.x + clientWidth - b.Px(6);
    float dark = b.y + b.h - b.Px(5), light = dark + b.Px(1);
    Line(graphics, b, WithAlpha(Black, 100), left, dark, right, dark);
    Line(graphics, b, WithAlpha(White, 150), left, light, right, light);
  } else {
    float middle = b.x + static_cast<float>(static_cast<int>((b.w - b.Px(2)) / 2));
    float next = middle + b.Px(1), top = b.y + b.Px(3), bottom = b.y + b.h - b.Px(3);
    Line(graphics, b, WithAlpha(Black, 100), middle, top, middle, bottom);
    Line(graphics, b, WithAlpha(White, 150), next, top, next, bottom);
  }
}

bool ShowsIcon(BYTE style) {
  BYTE kind = style & ~(BTNS_AUTOSIZE | BTNS_NOPREFIX | BTNS_SHOWTEXT | BTNS_WHOLEDROPDOWN);
  return kind == BTNS_BUTTON || kind == BTNS_CHECK || kind == BTNS_CHECKGROUP ||
         kind == BTNS_DROPDOWN || (style & BTNS_WHOLEDROPDOWN);
}

POINT IconPlace(const Box& b, SIZE icon, BYTE style, bool list) {
  int gap = b.scale(2);
  if (list) return {static_cast<int>(b.x) + gap, static_cast<int>(b.y + (b.h - icon.cy) / 2)};
  float room = IsDropDown(style) ? b.w - icon.cx - b.Px(10) : b.w - icon.cx;
  return {static_cast<int>(b.x + room / 2), static_cast<int>(b.y) + gap};
}

void DrawDropArrow(Graphics& graphics, const Box& b) {
  SIZE glyph = ArrowGlyphSize(ArrowDirection::Down, b.scale);
  DrawArrowGlyph(
      graphics, ArrowDirection::Down, b.scale, b.x + b.w - b.Px(8),
      static_cast<float>(static_cast<int>(b.y + (b.h - static_cast<float>(glyph.cy)) / 2)));
}

ARGB TextColour(HWND toolbar, BYTE state) {
  if (state & TBSTATE_INDETERMINATE) return ToArgb(GreyText);
  if (state & TBSTATE_ENABLED) {
    return ToArgb(static_cast<COLORREF>(ReadProperty(toolbar, TextColourProperty)));
  }
  return ToArgb(GreyText);
}

void DrawCaption(Graphics& graphics, HWND toolbar, const ToolbarEntry& entry, const ButtonFacts& f,
                 const Box& b, SIZE icon, bool list, AccessKeyMode keys) {
  BYTE style = f.button.fsStyle;
  if (f.text.empty()) return;
  RectF layout = list ? RectF{b.x + icon.cx, b.y + b.Px(2), b.w - icon.cx, b.h}
                      : RectF{b.x, b.y + icon.cy, b.w, b.h - icon.cy};
  if (IsDropDown(style)) layout.width -= b.Px(DropDownWidth);
  Font font;
  font.CreateFromFamilyName(entry.fontName.c_str(), static_cast<float>(entry.fontSize),
                            entry.fontStyle, WorldUnit);
  StringFormat format;
  format.Create(MeasureTrailingSpaces);
  format.SetAlign(AlignCentre);
  format.SetLineAlign(AlignCentre);
  format.SetTrimming(EllipsisCharacter);
  format.SetHotkeyPrefix(static_cast<int>((style & BTNS_NOPREFIX) ? AccessKeyMode::None : keys));
  SolidBrush brush;
  brush.Create(TextColour(toolbar, f.button.fsState));
  graphics.DrawString(f.text.c_str(), font, brush, layout, format);
}

// The toolbar's entry while "Kj_FuID" and "Kj_lbID" still name it.
ToolbarEntry* EntryOf(HWND toolbar, StyleRecord** owner = nullptr) {
  StyleRecord* record =
      RecordAt(static_cast<int>(ReadProperty(toolbar, ToolbarStyleIndexProperty)));
  if (!record) return nullptr;
  ToolbarEntry* entry =
      record->toolbars.At(static_cast<int>(ReadProperty(toolbar, ToolbarEntryProperty)));
  if (!entry || entry->window != toolbar) return nullptr;
  if (owner) *owner = record;
  return entry;
}

// Everything the toolbar's look depends on. (Not ControlLookKey: a toolbar finds its record by
// "Kj_FuID", which that key does not read.)
LookKey ToolbarLook(HWND toolbar, const StyleRecord& record, const RECT& client, int count, int hot,
                    HIMAGELIST images, bool focusShown, AccessKeyMode keys, DpiScale scale) {
  LookKey key;
  key.Add(record.frameVersion).Add(RectInOwner(toolbar)).Add(client).Add(count).Add(hot);
  key.Add(focusShown ? 1 : 0).Add(static_cast<int>(keys)).Add(static_cast<int>(scale.dpi));
  key.Add(static_cast<std::int64_t>(SendMessageA(toolbar, TB_GETSTYLE, 0, 0)));
  key.Add(ImageListKey(images));
  key.Add(ReadProperty(toolbar, TextColourProperty));
  for (int i = 0; i < count; ++i) {
    ButtonFacts facts;
    if (!ReadButton(toolbar, i, facts)) continue;
    key.Add(facts.rect).Add(facts.text).Add(facts.button.iBitmap);
    key.Add(facts.button.fsState).Add(facts.button.fsStyle);
  }
  return key;
}

// The client rectangle in window coordinates, which the background canvas takes: a toolbar with
// a divider has a non-client band above its client area.
RECT ClientInWindow(HWND toolbar, RECT client) {
  POINT origin{0, 0};
  ClientToScreen(toolbar, &origin);
  RECT window{};
  GetWindowRect(toolbar, &window);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  return client;
}

void OutlineWhole(HDC canvas, const RECT& client, DpiScale scale) {
  Graphics graphics;
  graphics.CreateFromHdc(canvas);
  DrawFocusOutline(graphics, 0, 0, static_cast<float>(client.right),
                   static_cast<float>(client.bottom), scale);
}

}  // namespace

ToolbarEntry* ToolbarEntryOf(HWND toolbar) { return EntryOf(toolbar); }

void PaintToolbar(HWND toolbar, HDC dc) {
  StyleRecord* record = nullptr;
  ToolbarEntry* entry = EntryOf(toolbar, &record);
  if (!entry) return;
  int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  int hot = static_cast<int>(SendMessageA(toolbar, TB_GETHOTITEM, 0, 0));
  RECT client{};
  GetClientRect(toolbar, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // A focused toolbar shows the focus on the button the keyboard has reached, its hot one.
  bool focusShown = ShowsFocusLook(toolbar);
  AccessKeyMode keys = CaptionAccessKeys(toolbar);
  LookKey key = ToolbarLook(toolbar, *record, client, count, hot, ImagesOf(toolbar), focusShown,
                            keys, entry->scale);
  HDC screen = GetChildClippedDC(toolbar, dc, dc != nullptr);
  if (!screen) return;
  if (!entry->looks.Draw(key, screen, 0, 0)) {
    CanvasDc canvas(toolbar, ClientInWindow(toolbar, client));
    if (canvas) {
      for (int i = 0; i < count; ++i) {
        PaintToolbarButton(toolbar, i, canvas.Dc(), i == hot, focusShown && i == hot, keys);
      }
      // Focused before the keyboard reached a button: the toolbar itself shows the focus.
      if (focusShown && hot < 0) OutlineWhole(canvas.Dc(), client, entry->scale);
      entry->looks.Keep(key, canvas.Dc(), client.right, client.bottom);
      BitBlt(screen, 0, 0, client.right, client.bottom, canvas.Dc(), 0, 0, SRCCOPY);
    }
  }
  if (!dc) ReleaseDC(toolbar, screen);
}

void PaintToolbarButton(HWND toolbar, int index, HDC memoryDc, bool hot, bool focused,
                        AccessKeyMode keys) {
  ToolbarEntry* entry = EntryOf(toolbar);
  ButtonFacts facts;
  if (!entry || !ReadButton(toolbar, index, facts)) return;
  BYTE state = facts.button.fsState;
  BYTE style = facts.button.fsStyle;
  if (state & TBSTATE_HIDDEN) return;
  const RECT& r = facts.rect;
  Box b{static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
        static_cast<float>(r.bottom - r.top), entry->scale};
  if (b.w <= 0 || b.h <= 0) return;
  bool list = (SendMessageA(toolbar, TB_GETSTYLE, 0, 0) & TBSTYLE_LIST) != 0;
  SIZE icon{};
  HICON image = ShowsIcon(style) ? IconOf(toolbar, facts.button.iBitmap, icon) : nullptr;
  {
    Graphics graphics;
    graphics.CreateFromHdc(memoryDc);
    GraphicsPath path;
    path.Create();
    AddRoundedRect(path, b.x, b.y, b.w, b.h, b.scale(Corner));
    PaintBackground(graphics, path, b, state, hot);
    bool lit = hot || (state & (TBSTATE_PRESSED | TBSTATE_CHECKED));
    if (lit && !IsSeparator(style)) PaintFrameLines(graphics, path, b, style);
    if (IsSeparator(style)) {
      RECT client{};
      GetClientRect(toolbar, &client);
      PaintSeparator(graphics, b, index, static_cast<float>(client.right));
    }
    if (image) {
      POINT at = IconPlace(b, icon, style, list);
      if ((state & TBSTATE_INDETERMINATE) || !(state & TBSTATE_ENABLED)) {
        DrawGreyedIcon(memoryDc, at.x, at.y, image, state);
      } else {
        DrawIconEx(memoryDc, at.x, at.y, image, icon.cx, icon.cy, 0, nullptr, DI_NORMAL);
      }
    }
    if (IsDropDown(style)) DrawDropArrow(graphics, b);
    if (!IsSeparator(style)) DrawCaption(graphics, toolbar, *entry, facts, b, icon, list, keys);
    if (focused && !IsSeparator(style)) DrawFocusOutline(graphics, b.x, b.y, b.w, b.h, b.scale);
  }
  if (image) DestroyIcon(image);
}

void DrawGreyedIcon(HDC target, int x, int y, HICON icon, BYTE state) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return;
  BITMAP shape{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof shape, &shape);
  int width = shape.bmWidth;
  int height = info.hbmColor ? shape.bmHeight : shape.bmHeight / 2;  // a mask holds both halves
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (width <= 0 || height <= 0) return;
  HDC memory = CreateMemoryCanvas(width, height);
  if (!memory) return;
  DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  // The canvas is a 32-bit DIB section: its pixels are changed in place, in any row order.
  DIBSECTION section{};
  auto bitmap = static_cast<HBITMAP>(GetCurrentObject(memory, OBJ_BITMAP));
  if (GetObjectA(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits &&
      section.dsBm.bmBitsPixel == 32) {
    GdiFlush();
    int red = (state & TBSTATE_INDETERMINATE) ? IndeterminateRed : 0;
    auto* pixels = static_cast<RGBQUAD*>(section.dsBm.bmBits);
    for (RGBQUAD& p : std::span(pixels, static_cast<size_t>(width) * static_cast<size_t>(height))) {
      bool neutral = p.rgbRed == p.rgbGreen && p.rgbGreen == p.rgbBlue;  // black included
      int grey = (p.rgbRed + p.rgbGreen + p.rgbBlue) / 3;
      auto value = static_cast<BYTE>(neutral ? 0 : grey);
      p = {value, value, static_cast<BYTE>(neutral ? 0 : std::min(grey + red, 255)), 0};
    }
    TransparentBlt(target, x, y, width, height, memory, 0, 0, width, height, Black);
  }
  ReleaseCanvas(memory);
}
