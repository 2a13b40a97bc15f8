#include "gallery/gallery_sheet.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "gallery/gallery_toolbars.h"
#include "styling/hook/hook.h"

namespace {

constexpr short Margin = 5;
// The child dialog on the last page, right of the value controls.
constexpr short NestedX = 165, NestedY = Margin, NestedWidth = 200, NestedHeight = 70;

// One page: the gallery rows whose ids lie in the blocks, each block moved by its own offset.
struct PageBlock {
  WORD firstId = 0, endId = 0;  // ids firstId ... endId - 1
  short dx = 0, dy = 0;
};

struct PageLook {
  const char* title;
  std::vector<PageBlock> blocks;
};

const PageLook& LookOfPage(int page) {
  static const PageLook looks[GalleryPageCount] = {
      {"按钮(&B)", {{100, 300, 0, 0}}},
      {"文本与列表(&T)", {{300, 400, -155, 0}, {400, 500, -155, 0}}},
      {"数值(&V)", {{500, 600, -480, 0}, {TextBelowToolbarId, ListToolbarId + 1, 0, -90}}},
  };
  return looks[page];
}

// The child dialog on the last page: a group of its own beside the value controls.
std::vector<GalleryControl> NestedRows() {
  return {
      {.className = "BUTTON",
       .text = "子对话框",
       .style = BS_GROUPBOX,
       .place = {0, 0, NestedWidth, NestedHeight},
       .id = 903},
      {.className = "BUTTON",
       .text = "嵌套的复选框(&N)",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP,
       .place = {8, 12, 130, 12},
       .id = NestedCheckBoxId,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "Edit",
       .text = "嵌套的编辑框",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {8, 28, 130, 14},
       .id = NestedEditId},
      {.className = TOOLBARCLASSNAMEA,
       .style = TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
       .place = {8, 48, 186, 18},
       .id = ContainerToolbarId,
       .fill = FillContainerToolbar},
  };
}

// A template of the rows in the style and size given (the gallery's builder, restyled).
DialogTemplate ChildTemplate(const std::vector<GalleryControl>& rows, DWORD style, short width,
                             short height) {
  DialogTemplate result = BuildGalleryTemplate(rows, "");
  std::vector<WORD>& words = result.Words();
  words[0] = LOWORD(style | DS_SETFONT);
  words[1] = HIWORD(style | DS_SETFONT);
  words[7] = static_cast<WORD>(width);  // cx, after style, extended style, count, x and y
  words[8] = static_cast<WORD>(height);
  return result;
}

SIZE RowsExtent(const std::vector<GalleryControl>& rows) {
  SIZE extent{};
  for (const GalleryControl& row : rows) {
    extent.cx = std::max<LONG>(extent.cx, row.place.x + row.place.width);
    extent.cy = std::max<LONG>(extent.cy, row.place.y + row.place.height);
  }
  return extent;
}

INT_PTR CALLBACK NestedProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    FillGalleryControls(dialog, NestedRows());
    return TRUE;
  }
  return FALSE;
}

// Made by the last page as a program makes its own child dialogs: in its WM_INITDIALOG.
void MakeNestedDialog(HWND page) {
  static const DialogTemplate nested =
      ChildTemplate(NestedRows(), WS_CHILD | WS_VISIBLE | DS_CONTROL, NestedWidth, NestedHeight);
  HWND child =
      CreateDialogIndirectParamA(GetModuleHandleA(nullptr), nested.Get(), page, NestedProc, 0);
  if (!child) return;
  SetWindowLongPtrA(child, GWLP_ID, NestedDialogId);
  RECT place{NestedX, NestedY, 0, 0};
  MapDialogRect(page, &place);
  SetWindowPos(child, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto index = static_cast<int>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    FillGalleryControls(page, GalleryPageRows(index));
    if (index == GalleryPageCount - 1) MakeNestedDialog(page);
    return TRUE;
  }
  if (message == WM_NOTIFY && lParam &&
      reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE) {
    // A wizard shows Back and Next, and Finish on its last page.
    HWND sheet = GetParent(page);
    int index = PropSheet_HwndToIndex(sheet, page);
    DWORD buttons = (index > 0 ? PSWIZB_BACK : 0) |
                    (index == GalleryPageCount - 1 ? PSWIZB_FINISH : PSWIZB_NEXT);
    PropSheet_SetWizButtons(sheet, buttons);
    return TRUE;
  }
  return FALSE;
}

PROPSHEETPAGEA PageOf(const DialogTemplate& pageTemplate, int index) {
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE | PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pResource = pageTemplate.Get();
  page.pfnDlgProc = PageProc;
  page.pszTitle = LookOfPage(index).title;
  page.pszHeaderTitle = LookOfPage(index).title;
  page.pszHeaderSubTitle = "每一页的控件都由引擎绘制";
  page.lParam = index;
  return page;
}

}  // namespace

std::vector<GalleryControl> GalleryPageRows(int page) {
  std::vector<GalleryControl> rows;
  if (page < 0 || page >= GalleryPageCount) return rows;
  for (const PageBlock& block : LookOfPage(page).blocks) {
    for (GalleryControl row : GalleryControls()) {
      if (row.id < block.firstId || row.id >= block.endId) continue;
      row.place.x = static_cast<short>(row.place.x + block.dx);
      row.place.y = static_cast<short>(row.place.y + block.dy);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

bool IsGallerySheetName(const char* name) {
  return name && (std::strcmp(name, "sheet") == 0 || std::strcmp(name, "wizard") == 0);
}

GallerySheet::GallerySheet(bool wizard) {
  for (int index = 0; index < GalleryPageCount; ++index) {
    std::vector<GalleryControl> rows = GalleryPageRows(index);
    SIZE extent = RowsExtent(rows);
    if (index == GalleryPageCount - 1) extent.cx = std::max<LONG>(extent.cx, NestedX + NestedWidth);
    templates_.push_back(ChildTemplate(rows, WS_CHILD | DS_CONTROL,
                                       static_cast<short>(extent.cx + Margin),
                                       static_cast<short>(extent.cy + Margin)));
  }
  for (int index = 0; index < GalleryPageCount; ++index) {
    pages_.push_back(PageOf(templates_[static_cast<size_t>(index)], index));
  }
  header_.dwSize = sizeof header_;
  header_.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | (wizard ? PSH_WIZARD97 | PSH_HEADER : 0);
  header_.hInstance = GetModuleHandleA(nullptr);
  header_.pszCaption = wizard ? "控件一览向导" : "控件一览属性";
  header_.nPages = GalleryPageCount;
  header_.ppsp = pages_.data();
}

HPROPSHEETPAGE GallerySheet::CreatePage(int page) {
  if (page < 0 || page >= GalleryPageCount) return nullptr;
  return CreatePropertySheetPageA(&pages_[static_cast<size_t>(page)]);
}

int ShowGallerySheet(const char* name, bool styled) {
  GallerySheet sheet(std::strcmp(name, "wizard") == 0);
  INT_PTR result = styled ? StyledPropertySheet(&sheet.Header()) : PropertySheetA(&sheet.Header());
  return result > 0 ? 0 : 1;
}
