// Skinned tab controls: the tabs (normal, hover, selected) and the page area, painted in one
// canvas. The control keeps its own behaviour; only its painting is replaced.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include "skinlib/gdi.h"
#include "skinlib/paint.h"
#include "skinlib/skin_windows.h"
#include "skinlib/subclass.h"

namespace skin {

namespace {

using she::Colour;
using she::Metric;

struct TabState {
  int hot;  // 1-based index of the tab under the pointer, 0 for none
  bool trackingLeave;
};

enum class Edge { Top, Bottom, Left, Right };

Edge TabEdge(HWND tab) {
  const LONG style = GetWindowLongW(tab, GWL_STYLE);
  if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? Edge::Right : Edge::Left;
  return (style & TCS_BOTTOM) ? Edge::Bottom : Edge::Top;
}

bool ItemRect(HWND tab, int index, RECT* r) {
  return SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(r)) != FALSE;
}

void PaintItem(HDC dc, HWND tab, int index, RECT r, bool selected, bool hot, const Theme& theme,
               const RECT& page) {
  const Edge edge = TabEdge(tab);
  const int radius = theme.metric(Metric::TabRadius);
  RECT shape = r;
  if (selected) {
    // The selected tab stands out a little and merges with the page.
    InflateRect(&shape, 2, 0);
    if (edge == Edge::Top) {
      shape.top -= 2;
      shape.bottom = page.top + 1;
    } else if (edge == Edge::Bottom) {
      shape.bottom += 2;
      shape.top = page.bottom - 1;
    }
  }
  // Only the corners away from the page are rounded: the box runs on past the page edge.
  RECT box = shape;
  if (edge == Edge::Top) box.bottom += radius + 1;
  if (edge == Edge::Bottom) box.top -= radius + 1;
  const COLORREF face = theme.colour(selected ? Colour::TabSelected
                                     : hot    ? Colour::TabHover
                                              : Colour::TabFace);
  {
    GdiObject<HRGN> clip(CreateRectRgnIndirect(&shape));
    SelectClipRgn(dc, clip.get());
    PaintRoundedBox(dc, box, radius, face, face, 0, theme.colour(Colour::TabBorder), 1);
    SelectClipRgn(dc, nullptr);
  }

  wchar_t text[260] = L"";
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = 260;
  item.iImage = -1;
  SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  RECT textBox = r;
  if (selected && edge == Edge::Top) OffsetRect(&textBox, 0, -1);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
  int iconWidth = 0, iconHeight = 0;
  if (images && item.iImage >= 0 && ImageList_GetIconSize(images, &iconWidth, &iconHeight)) {
    ImageList_Draw(images, item.iImage, dc, textBox.left + 6,
                   textBox.top + (textBox.bottom - textBox.top - iconHeight) / 2, ILD_TRANSPARENT);
    textBox.left += 6 + iconWidth;
  }
  auto font = reinterpret_cast<HFONT>(SendMessageW(tab, WM_GETFONT, 0, 0));
  DrawTextIn(dc, text, textBox, theme.colour(selected ? Colour::TabSelectedText : Colour::TabText),
             font, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  if (selected && GetFocus() == tab &&
      !(SendMessageW(tab, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    DrawFocusBox(dc, focus, theme.colour(Colour::ButtonFocus));
  }
}

void PaintPage(HDC dc, HWND tab, const RECT& page, const Theme& theme) {
  // The pattern lines up with the top-level window's client origin.
  POINT origin{0, 0};
  MapWindowPoints(GetAncestor(tab, GA_ROOT), tab, &origin, 1);
  FillGround(dc, page, origin, theme.placement & she::kTextureOnTabPage,
             theme.colour(Colour::TabPage));
  GdiObject<HBRUSH> border(CreateSolidBrush(theme.colour(Colour::TabBorder)));
  if (border) FrameRect(dc, &page, border.get());
}

void PaintTabControl(HWND tab, HDC target, const TabState& s) {
  const Theme* theme = CurrentTheme();
  RECT client;
  GetClientRect(tab, &client);
  MemoryCanvas canvas(target, client.right, client.bottom);
  if (!theme || !canvas.ok()) return;
  PaintBackdrop(canvas.dc(), tab, client);
  RECT page;
  TabPageRect(tab, &page);
  PaintPage(canvas.dc(), tab, page, *theme);
  const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  RECT r;
  for (int i = 0; i < count; ++i) {
    if (i != selected && ItemRect(tab, i, &r)) {
      PaintItem(canvas.dc(), tab, i, r, false, s.hot == i + 1, *theme, page);
    }
  }
  // Last, so that it overlaps its neighbours.
  if (selected >= 0 && selected < count && ItemRect(tab, selected, &r)) {
    PaintItem(canvas.dc(), tab, selected, r, true, false, *theme, page);
  }
  canvas.CopyTo(target);
}

void OnMouseMove(HWND tab, LPARAM lParam, TabState* s) {
  if (!s->trackingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, tab, 0};
    s->trackingLeave = TrackMouseEvent(&track) != FALSE;
  }
  TCHITTESTINFO hit{{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, 0};
  const int hot =
      static_cast<int>(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) + 1;
  if (hot != s->hot) {
    s->hot = hot;
    InvalidateRect(tab, nullptr, FALSE);
  }
}

// Hot-tracking tab controls draw their hover look straight to the screen; they are marked
// invisible while they handle the pointer and then painted by the skin.
LRESULT HandleQuietly(HWND tab, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool quiet =
      (GetWindowLongW(tab, GWL_STYLE) & (TCS_HOTTRACK | WS_VISIBLE)) == (TCS_HOTTRACK | WS_VISIBLE);
  if (quiet) DefWindowProcW(tab, WM_SETREDRAW, FALSE, 0);
  const LRESULT result = DefSubclassProc(tab, message, wParam, lParam);
  if (quiet) {
    DefWindowProcW(tab, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tab, nullptr, FALSE);
  }
  return result;
}

LRESULT CALLBACK TabProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR data) {
  auto* s = reinterpret_cast<TabState*>(data);
  switch (message) {
    case WM_NCDESTROY:
      return EndSubclass(tab, TabProc, s, message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(tab, message, wParam, [&](HDC dc) { PaintTabControl(tab, dc, *s); });
    case WM_MOUSEMOVE:
      OnMouseMove(tab, lParam, s);
      return HandleQuietly(tab, message, wParam, lParam);
    case WM_MOUSELEAVE:
      s->trackingLeave = false;
      s->hot = 0;
      InvalidateRect(tab, nullptr, FALSE);
      return HandleQuietly(tab, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(tab, nullptr, FALSE);
      break;
  }
  return DefSubclassProc(tab, message, wParam, lParam);
}

}  // namespace

bool TabPageRect(HWND tab, RECT* page) {
  GetClientRect(tab, page);
  const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  const Edge edge = TabEdge(tab);
  RECT r;
  for (int i = 0; i < count; ++i) {
    if (!ItemRect(tab, i, &r)) continue;
    if (edge == Edge::Top && r.bottom > page->top) page->top = r.bottom;
    if (edge == Edge::Bottom && r.top < page->bottom) page->bottom = r.top;
    if (edge == Edge::Left && r.right > page->left) page->left = r.right;
    if (edge == Edge::Right && r.left < page->right) page->right = r.left;
  }
  return page->right > page->left && page->bottom > page->top;
}

bool SkinTabControl(HWND tab) {
  if (IsSkinnedTab(tab)) return true;
  if (!AttachState<TabState>(tab, TabProc)) return false;
  InvalidateRect(tab, nullptr, TRUE);
  return true;
}

bool IsSkinnedTab(HWND window) { return SubclassStateOf<TabState>(window, TabProc) != nullptr; }

}  // namespace skin
