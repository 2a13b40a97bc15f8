// The combo box look. The canvas covers the whole window; the areas of the combo box's own
// children are cut out of the copy to the screen, so they keep what they paint themselves.
#include <string>

#include "drawing/drawing.h"
#include "resources/images/images.h"
#include "styling/combos/combos.h"
#include "styling/records/canvas.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_marks.h"

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
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT area = RectRelativeTo(window, child);
    if (ClassNameOf(child) == "ComboLBox") InflateRect(&area, -scale(2), -scale(2));
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
}

// CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST as the user sees it: the drop-down list that an
// extended combo box holds, with the edit it made inside, is an editable combo box.
LONG VisibleType(HWND window) {
  LONG type = GetWindowLongA(window, GWL_STYLE) & CBS_DROPDOWNLIST;
  if (type == CBS_DROPDOWNLIST && FindWindowExA(window, nullptr, "Edit", nullptr)) {
    return CBS_DROPDOWN;
  }
  return type;
}

// The arrow as the image at 96 DPI; a path of its shape, at its scaled size, at any other.
void DrawArrow(Graphics& graphics, float bx, float top, int bw, float bh, DpiScale scale) {
  if (!scale.IsBase()) {
    const SIZE size = DownArrowSize(scale);
    const int x = static_cast<int>(bx) + (bw - size.cx) / 2;
    const int y = static_cast<int>(top) + (static_cast<int>(bh) - size.cy) / 2;
    FillDownArrow(graphics, static_cast<float>(x), static_cast<float>(y), scale, 0xFF020100);
    return;
  }
  Image arrow;
  if (!arrow.LoadFromBytes(ArrowDownImage.Bytes())) return;
  int x = static_cast<int>(bx) + (bw - arrow.Width()) / 2;
  int y = static_cast<int>(top) + (static_cast<int>(bh) - arrow.Height()) / 2;
  graphics.DrawImage(arrow, static_cast<float>(x), static_cast<float>(y));
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
  if (look.type == CBS_DROPDOWNLIST) look.text = WindowText(window);
  look.textColour = IsWindowEnabled(window)
                        ? static_cast<COLORREF>(ReadProperty(window, TextColourProperty))
                        : GetSysColor(COLOR_GRAYTEXT);
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
  PresentLook(window, combo->looks, key, dc, RECT{0, 0, look.width, look.height},
              [&](Graphics& graphics) { DrawLook(graphics, look); });
  return true;
}
