// The combo box look. The canvas covers the whole window; the areas of the combo box's own
// children are cut out of the copy to the screen, so they keep what they paint themselves.
#include <algorithm>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "styling/combos/combos.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr char TextFontName[] = "宋体";
constexpr float TextFontSize = 12.0f;
constexpr int WorldUnit = 0;

ARGB WithAlpha(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

struct ComboLook {
  int width = 0, height = 0;
  LONG type = 0;  // CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST
  bool hover = false, focused = false;
  std::string text;  // drop-down lists only
  COLORREF textColour = 0;
  DpiScale scale;
};

// The children's areas, in window coordinates; the list of a simple combo box loses 2 pixels
// on every side, where the combo box's own border is drawn over its edge.
void ExcludeChildren(HDC dc, HWND window, DpiScale scale) {
  for (const KnownChild& known : ChildrenOf(window)) {
    HWND child = known.window;
    if (!IsWindowVisible(child)) continue;
    RECT area = RectRelativeTo(window, child);
    if (ClassNameOf(child) == "ComboLBox") InflateRect(&area, -scale(2), -scale(2));
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
}

}  // namespace

bool HoldsEditField(HWND combo) {
  const std::vector<KnownChild> children = ChildrenOf(combo);
  return std::any_of(children.begin(), children.end(),
                     [](const KnownChild& child) { return ClassNameOf(child.window) == "Edit"; });
}

namespace {

// CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST as the user sees it: the drop-down list that an
// extended combo box holds, with the edit it made inside, is an editable combo box.
LONG VisibleType(HWND window) {
  LONG type = GetWindowLongA(window, GWL_STYLE) & CBS_DROPDOWNLIST;
  if (type == CBS_DROPDOWNLIST && HoldsEditField(window)) {
    return CBS_DROPDOWN;
  }
  return type;
}

// The down arrow centred in the button: the shared glyph, sharp at any DPI.
void DrawArrow(Graphics& graphics, float bx, float top, int bw, float bh, DpiScale scale) {
  const SIZE size = ArrowGlyphSize(ArrowDirection::Down, scale);
  const int x = static_cast<int>(bx) + (bw - size.cx) / 2;
  const int y = static_cast<int>(top) + (static_cast<int>(bh) - size.cy) / 2;
  DrawArrowGlyph(graphics, ArrowDirection::Down, scale, static_cast<float>(x),
                 static_cast<float>(y));
}

// The drop button's width at the DPI: 17 pixels for a drop-down list at 96 DPI, else 18.
int DropButtonWidth(const ComboLook& look) {
  return look.scale(look.type == CBS_DROPDOWNLIST ? 17 : 18);
}

void DrawDropButton(Graphics& graphics, const ComboLook& look) {
  const DpiScale scale = look.scale;
  const int bw = DropButtonWidth(look);
  const float inset = scale.Line(2), line = scale.Line(), e = (line - 1) / 2;
  const float bx = static_cast<float>(look.width - bw) - inset;
  const float bh = static_cast<float>(look.height) - 2 * inset;
  GraphicsPath outline;
  outline.Create();
  AddRoundedRect(outline, bx + e, inset + e, static_cast<float>(bw) - line - 2 * e,
                 bh - line - 2 * e, scale(4));
  StrokePath(graphics, outline, look.hover ? WithAlpha(AccentColour, 200) : WithAlpha(Black, 80),
             line);
  GraphicsPath face;
  face.Create();
  AddRoundedRect(face, bx + line, inset + line, static_cast<float>(bw) - 2 * line, bh - 2 * line,
                 scale(1));
  FillPathGradient(graphics, face, {bx + line, inset}, {bx + line, inset + bh - 2 * line},
                   look.hover ? WithAlpha(White, 100) : WithAlpha(AccentColour, 30),
                   look.hover ? WithAlpha(AccentColour, 150) : WithAlpha(AccentColour, 100));
  DrawArrow(graphics, bx, inset, bw, bh, scale);
}

void DrawText(Graphics& graphics, const ComboLook& look) {
  Font font;
  const DpiScale scale = look.scale;
  font.CreateFromFamilyName(TextFontName, scale.Of(TextFontSize), 0, WorldUnit);
  StringFormat format;
  format.Create();
  SolidBrush brush;
  brush.Create(ToArgb(look.textColour));
  const int textHeight = scale(static_cast<int>(TextFontSize));
  RectF layout{static_cast<float>(scale(2)), static_cast<float>((look.height - textHeight) / 2),
               static_cast<float>(look.width - scale(17)),
               static_cast<float>(look.height - scale(4))};
  graphics.DrawString(look.text.c_str(), font, brush, layout, format);
}

void DrawLook(Graphics& graphics, const ComboLook& look) {
  graphics.Clear(ToArgb(White));
  Pen border;
  const float line = look.scale.Line(), e = (line - 1) / 2;
  border.Create((look.hover || look.focused) ? WithAlpha(AccentColour, 200) : WithAlpha(Black, 80),
                line);
  graphics.DrawRectangle(border, e, e, static_cast<float>(look.width - 1) - 2 * e,
                         static_cast<float>(look.height - 1) - 2 * e);
  if (look.type & CBS_DROPDOWN) DrawDropButton(graphics, look);
  if (look.type == CBS_DROPDOWNLIST) DrawText(graphics, look);
}

// A drop-down list whose program draws its items: the selected one in the field is the
// program's to draw too (an icon, a colour swatch), not the engine's text.
bool OwnerDrawsField(HWND window, LONG visibleType) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  return visibleType == CBS_DROPDOWNLIST &&
         (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

// The field's rectangle in the window's coordinates.
RECT FieldInWindow(HWND window) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(window, &info)) return RECT{};
  const RECT client = ClientRectInWindow(window);
  OffsetRect(&info.rcItem, client.left, client.top);
  return info.rcItem;
}

// The item state the system gives the field: selected and focused while the combo box has the
// focus and its list is closed.
UINT FieldItemState(HWND window, bool focused) {
  UINT state = ODS_COMBOBOXEDIT;
  if (focused && !SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0)) state |= ODS_SELECTED | ODS_FOCUS;
  if (!IsWindowEnabled(window)) state |= ODS_DISABLED;
  return state;
}

// Asks the owner to draw the selected item into the field of `dc` (origin at the window's), as
// the system's own paint does: the control's font and the state's colours selected, the
// drawing clipped to the field.
void AskOwnerForField(HWND window, HDC dc, bool focused) {
  const RECT field = FieldInWindow(window);
  if (IsRectEmpty(&field)) return;
  const auto selected = static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
  item.itemID = static_cast<UINT>(selected);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = FieldItemState(window, focused);
  item.hwndItem = window;
  item.hDC = dc;
  item.rcItem = field;
  if (selected >= 0) {
    item.itemData = static_cast<ULONG_PTR>(SendMessageA(window, CB_GETITEMDATA, selected, 0));
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, field.left, field.top, field.right, field.bottom);
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))) {
    SelectObject(dc, font);
  }
  const bool highlighted = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SendMessageA(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  RestoreDC(dc, saved);
}

// The kept look goes into a memory canvas, the owner draws its item over it there and the
// whole goes to the screen in one copy. The look's key leaves the item out: the owner draws it
// every time, so a changed item always shows.
void PresentWithOwnersField(HWND window, LookCache& looks, const LookKey& key, HDC target,
                            const ComboLook& look) {
  MemoryCanvasDc canvas(look.width, look.height);
  if (!canvas) return;
  const RECT area{0, 0, look.width, look.height};
  PresentLook(window, looks, key, canvas.Dc(), area,
              [&](Graphics& graphics) { DrawLook(graphics, look); });
  AskOwnerForField(window, canvas.Dc(), look.focused);
  BitBlt(target, 0, 0, look.width, look.height, canvas.Dc(), 0, 0, SRCCOPY);
}

}  // namespace

bool PaintComboBox(int styleIndex, int comboIndex, std::optional<bool> hover,
                   std::optional<bool> focused, HDC given) {
  StyleRecord* record = RecordAt(styleIndex);
  ComboRecord* combo = record ? record->combos.At(comboIndex) : nullptr;
  if (!combo || !combo->window) return false;
  HWND window = combo->window;
  RECT place{};
  GetWindowRect(window, &place);
  ComboLook look;
  look.width = place.right - place.left;
  look.height = place.bottom - place.top;
  look.type = VisibleType(window);
  look.hover = hover.value_or(combo->hovered != 0);
  look.focused = focused.value_or(combo->focused != 0);
  look.scale = record->scale;
  const bool ownersField = OwnerDrawsField(window, look.type);
  // Only a drop-down list's own text is drawn here: an edit field draws its own.
  if (look.type == CBS_DROPDOWNLIST && !ownersField) {
    look.text = WindowText(window);
    look.textColour = IsWindowEnabled(window)
                          ? static_cast<COLORREF>(ReadProperty(window, TextColourProperty))
                          : GetSysColor(COLOR_GRAYTEXT);
  }
  // The face is opaque white from edge to edge: what lies behind never shows.
  LookKey key;
  key.Add(look.width)
      .Add(look.height)
      .Add(look.type)
      .Add(look.hover)
      .Add(look.focused)
      .Add(look.text)
      .Add(look.textColour)
      .Add(AccentColour)
      .Add(static_cast<std::int64_t>(look.scale.dpi));
  if (!RecordAt(OwnerStyleIndex(window))) return false;  // no background to paint on
  TargetDc target(window, given, LookArea::WholeWindow);
  HDC dc = target.Get();
  if (!dc) return false;
  ExcludeChildren(dc, window, look.scale);
  if (ownersField) {
    PresentWithOwnersField(window, combo->looks, key, dc, look);
    return true;
  }
  PresentLook(window, combo->looks, key, dc, RECT{0, 0, look.width, look.height},
              [&](Graphics& graphics) { DrawLook(graphics, look); });
  return true;
}
