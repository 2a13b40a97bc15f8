// The tab look: the page area's border, then each tab (the selected one last, over its
// neighbours and joined to the page area), its icon and its caption; all on the frame.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "styling/records/child_windows.h"
#include "styling/records/keyboard_cues.h"
#include "styling/records/look_paint.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/records/scaled_paint.h"
#include "styling/tabs/tabs.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF GreyText = RGB(109, 109, 109);
constexpr int TextBufferSize = 260;
// The system's own measures, in its pixels at every DPI.
constexpr int SelectedGrowth = 2;  // the selected tab stands out of its row, as the system's
constexpr int BorderMargin = 2;    // the system's border round the page area
// The look's own measures, at 96 DPI.
constexpr int Corner = 6;
constexpr int IconGap = 3;
constexpr int GlowWidth = 2;

struct TabItem {
  RECT rect{};
  std::string text;
  int image = -1;
  bool highlighted = false;  // TCIS_HIGHLIGHTED
};

// How the control is drawn, everything its look depends on but the items.
struct TabState {
  RECT client{};
  RECT pageArea{};  // where the border runs; empty for button tabs
  LONG style = 0;
  bool enabled = true;
  int selected = -1;
  int hot = -1;
  int focused = -1;  // the item outlined, -1 while the focus look is hidden
  AccessKeyMode keys = AccessKeyMode::None;
  HIMAGELIST images = nullptr;
  DpiScale scale;
};

std::vector<TabItem> ReadItems(HWND tab) {
  int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  std::vector<TabItem> items(static_cast<size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) {
    TabItem& item = items[static_cast<size_t>(i)];
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&item.rect));
    char text[TextBufferSize] = "";
    TCITEMA data{};
    data.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    data.dwStateMask = TCIS_HIGHLIGHTED;
    data.pszText = text;
    data.cchTextMax = TextBufferSize;
    data.iImage = -1;
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&data));
    item.text = text;
    item.image = data.iImage;
    item.highlighted = (data.dwState & TCIS_HIGHLIGHTED) != 0;
  }
  return items;
}

TabState ReadState(HWND tab, const TabEntry& entry) {
  TabState state;
  state.scale = entry.scale;
  GetClientRect(tab, &state.client);
  state.style = GetWindowLongA(tab, GWL_STYLE);
  state.enabled = IsWindowEnabled(tab) != FALSE;
  state.selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  state.hot = entry.hotItem;
  if (ShowsFocusLook(tab))
    state.focused = static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
  state.keys = CaptionAccessKeys(tab);
  state.images = reinterpret_cast<HIMAGELIST>(SendMessageA(tab, TCM_GETIMAGELIST, 0, 0));
  if (!(state.style & TCS_BUTTONS)) {
    RECT page = state.client;
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, BorderMargin, BorderMargin);
    IntersectRect(&state.pageArea, &page, &state.client);
  }
  return state;
}

LookKey TabLookKey(HWND tab, const TabEntry& entry, const TabState& state,
                   const std::vector<TabItem>& items) {
  LookKey key = LookKey().Add("tab control").Add(ControlLookKey(tab));
  key.Add(state.client).Add(state.pageArea).Add(state.style).Add(state.enabled ? 1 : 0);
  key.Add(state.selected).Add(state.hot).Add(state.focused).Add(static_cast<int>(state.keys));
  key.Add(ImageListKey(state.images)).Add(static_cast<int>(state.scale.dpi));
  if (!entry.captions.empty()) AddFont(key, entry.captions.front());
  for (const TabItem& item : items) {
    key.Add(item.rect).Add(item.text).Add(item.image).Add(item.highlighted ? 1 : 0);
  }
  return key;
}

PointF Top(const RECT& r) { return {0, static_cast<float>(r.top)}; }
PointF Bottom(const RECT& r) { return {0, static_cast<float>(r.bottom)}; }

void PaintPageArea(Graphics& graphics, const RECT& area, DpiScale scale) {
  if (IsRectEmpty(&area)) return;
  GraphicsPath path;
  path.Create();
  AddRoundedRect(path, static_cast<float>(area.left), static_cast<float>(area.top),
                 static_cast<float>(area.right - area.left - 1),
                 static_cast<float>(area.bottom - area.top - 1), scale(Corner));
  DrawGlow(graphics, path, scale(GlowWidth), Black, 24);
  StrokeScaled(graphics, path, ToArgb(White, 170, true), scale);
}

// The tab's outline: rounded at the top, open at the bottom where it meets the page area;
// button tabs and tabs on another side than the top are rounded all round.
void AddTabOutline(GraphicsPath& path, const RECT& r, bool topTab, int corner) {
  int width = r.right - r.left - 1, height = r.bottom - r.top;
  if (topTab) {
    AddTabShape(path, r.left, r.top, width, height, corner);
  } else {
    AddRoundedRect(path, static_cast<float>(r.left), static_cast<float>(r.top),
                   static_cast<float>(width), static_cast<float>(height - 1), corner);
  }
}

void PaintIcon(Graphics& graphics, HIMAGELIST images, int image, const RECT& r, int& textLeft,
               int gap) {
  if (!images || image < 0) return;
  HICON handle = ImageList_GetIcon(images, image, ILD_TRANSPARENT);
  if (!handle) return;
  Bitmap icon;
  if (icon.FromHIcon(handle)) {
    int top = (r.top + r.bottom - icon.Height()) / 2;
    graphics.DrawImage(icon, static_cast<float>(textLeft), static_cast<float>(top));
    textLeft += icon.Width() + gap;
  }
  DestroyIcon(handle);
}

void PaintTab(Graphics& graphics, TabEntry& entry, const TabState& state, const TabItem& item,
              int index) {
  bool selected = index == state.selected, hot = index == state.hot && state.enabled;
  bool buttons = (state.style & TCS_BUTTONS) != 0;
  bool topTab = !buttons && !(state.style & (TCS_BOTTOM | TCS_VERTICAL));
  RECT r = item.rect;
  if (selected && topTab) {
    // Out of its row and down over the page area's border, joined to the page.
    InflateRect(&r, SelectedGrowth, 0);
    r.top -= SelectedGrowth;
    r.bottom = state.pageArea.top + 1;
  }
  GraphicsPath path;
  path.Create();
  const DpiScale scale = state.scale;
  AddTabOutline(path, r, topTab, scale(Corner));
  int alpha = state.enabled ? 255 : 110;
  if (selected || item.highlighted) {
    FillPathGradient(graphics, path, Top(r), Bottom(r),
                     ToArgb(AccentColour, alpha * 230 / 255, true),
                     ToArgb(AccentColour, alpha * 120 / 255, true));
  } else {
    FillPathGradient(graphics, path, Top(r), Bottom(r), ToArgb(White, 150, true),
                     ToArgb(White, 60, true));
  }
  if (hot)
    FillPathGradient(graphics, path, Top(r), Bottom(r), ToArgb(White, 120, true),
                     ToArgb(AccentColour, 70, true));
  StrokeScaled(graphics, path, ToArgb(White, selected ? 230 : 170, true), scale);

  RECT box = item.rect;
  InflateRect(&box, -scale(Corner) / 2, 0);
  int textLeft = box.left;
  if (!item.text.empty() || state.images) {
    PaintIcon(graphics, state.images, item.image, box, textLeft, scale(IconGap));
  }
  box.left = textLeft;
  if (selected && topTab) OffsetRect(&box, 0, -SelectedGrowth / 2);
  ARGB colour = ToArgb(state.enabled ? Black : GreyText);
  entry.captions[static_cast<size_t>(index)].Draw(
      graphics, item.text, box, DT_CENTER | DT_SINGLELINE | DT_VCENTER, state.keys, colour);
  if (index == state.focused) {
    DrawFocusOutline(graphics, static_cast<float>(r.left + scale(2)),
                     static_cast<float>(r.top + scale(2)),
                     static_cast<float>(r.right - r.left - scale(5)),
                     static_cast<float>(item.rect.bottom - r.top - scale(4)), scale);
  }
}

// The look on the DC: the children and the overlapping siblings (the pages of a sheet) are
// left to paint themselves.
HDC ClippedTabDc(HWND tab) {
  HDC dc = GetChildClippedDC(tab);
  ExcludeOverlappingSiblings(dc, tab);
  return dc;
}

}  // namespace

void PaintTabControl(HWND tab, HDC dc) {
  TabEntry* entry = ControlEntry(tab, &StyleRecord::tabs);
  if (!entry) return;
  TabState state = ReadState(tab, *entry);
  if (state.client.right <= 0 || state.client.bottom <= 0) return;
  std::vector<TabItem> items = ReadItems(tab);
  while (entry->captions.size() < items.size()) {
    entry->captions.emplace_back().SetFont(tab);
  }
  LookKey key = TabLookKey(tab, *entry, state, items);
  HDC target = dc ? dc : ClippedTabDc(tab);
  PresentLook(tab, entry->looks, key, target, state.client, [&](Graphics& graphics) {
    PaintPageArea(graphics, state.pageArea, state.scale);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      if (i != state.selected) PaintTab(graphics, *entry, state, items[static_cast<size_t>(i)], i);
    }
    if (state.selected >= 0 && state.selected < static_cast<int>(items.size())) {
      PaintTab(graphics, *entry, state, items[static_cast<size_t>(state.selected)], state.selected);
    }
  });
  if (!dc && target) ReleaseDC(tab, target);
}
