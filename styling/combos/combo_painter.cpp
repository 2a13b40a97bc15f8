// The combo box look. The canvas covers the whole window; the areas of the combo box's own
// children are cut out of the copy to the screen, so they keep what they paint themselves.
#include <string>

#include "drawing/drawing.h"
#include "resources/images/images.h"
#include "styling/combos/combos.h"
#include "styling/records/canvas.h"
#include "styling/records/child_windows.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

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
};

// The children's areas, in window coordinates; the list of a simple combo box loses 2 pixels
// on every side, where the combo box's own border is drawn over its edge.
void ExcludeChildren(HDC dc, HWND window) {
  for (const KnownChild& known : ChildrenOf(window)) {
    HWND child = known.window;
    if (!IsWindowVisible(child)) continue;
    RECT area = RectRelativeTo(window, child);
    if (ClassNameOf(child) == "ComboLBox") InflateRect(&area, -2, -2);
    ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
}

void DrawDropButton(Graphics& graphics, const ComboLook& look) {
  int bw = look.type == CBS_DROPDOWNLIST ? 17 : 18;
  float bx = static_cast<float>(look.width - bw - 2);
  float bh = static_cast<float>(look.height - 4);
  GraphicsPath outline;
  outline.Create();
  AddRoundedRect(outline, bx, 2, static_cast<float>(bw - 1), bh - 1, 4);
  StrokePath(graphics, outline, look.hover ? WithAlpha(AccentColour, 200) : WithAlpha(Black, 80));
  GraphicsPath face;
  face.Create();
  AddRoundedRect(face, bx + 1, 3, static_cast<float>(bw - 2), bh - 2, 1);
  FillPathGradient(graphics, face, {bx + 1, 2}, {bx + 1, 2 + bh - 2},
                   look.hover ? WithAlpha(White, 100) : WithAlpha(AccentColour, 30),
                   look.hover ? WithAlpha(AccentColour, 150) : WithAlpha(AccentColour, 100));
  Image arrow;
  if (!arrow.LoadFromBytes(ArrowDownImage.Bytes())) return;
  int x = static_cast<int>(bx) + (bw - arrow.Width()) / 2;
  int y = 2 + (static_cast<int>(bh) - arrow.Height()) / 2;
  graphics.DrawImage(arrow, static_cast<float>(x), static_cast<float>(y));
}

void DrawText(Graphics& graphics, const ComboLook& look) {
  Font font;
  font.CreateFromFamilyName(TextFontName, TextFontSize, 0, WorldUnit);
  StringFormat format;
  format.Create();
  SolidBrush brush;
  brush.Create(ToArgb(look.textColour));
  RectF layout{2, static_cast<float>((look.height - 12) / 2), static_cast<float>(look.width - 17),
               static_cast<float>(look.height - 4)};
  graphics.DrawString(look.text.c_str(), font, brush, layout, format);
}

void DrawLook(Graphics& graphics, const ComboLook& look) {
  graphics.Clear(ToArgb(White));
  Pen border;
  border.Create((look.hover || look.focused) ? WithAlpha(AccentColour, 200) : WithAlpha(Black, 80),
                1.0f);
  graphics.DrawRectangle(border, 0, 0, static_cast<float>(look.width - 1),
                         static_cast<float>(look.height - 1));
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
  look.type = GetWindowLongA(window, GWL_STYLE) & CBS_DROPDOWNLIST;
  look.hover = hover.value_or(combo->hovered != 0);
  look.focused = focused.value_or(combo->focused != 0);
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
      .Add(AccentColour);
  if (!RecordAt(OwnerStyleIndex(window))) return false;  // no background to paint on
  TargetDc target(window, given, LookArea::WholeWindow);
  HDC dc = target.Get();
  if (!dc) return false;
  ExcludeChildren(dc, window);
  PresentLook(window, combo->looks, key, dc, RECT{0, 0, look.width, look.height},
              [&](Graphics& graphics) { DrawLook(graphics, look); });
  return true;
}
