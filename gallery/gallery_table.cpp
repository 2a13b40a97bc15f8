// The gallery's table of controls, and the dialog made from it. Each control family has its
// region of the dialog and its block of ids; add a family's rows in its region.
#include "gallery/gallery_table.h"

#include <commctrl.h>

#include <string>

#include "gallery/gallery_toolbars.h"

namespace {

constexpr short DialogWidth = 640;
constexpr short DialogHeight = 355;  // 710 pixels with the 9-point font: fits 1024 x 768
constexpr WORD FontPoints = 9;
constexpr char FontName[] = "宋体";

RECT ChildRect(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ShowInformationIcon(HWND control) {
  SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)),
               0);
}

// Enough lines, and lines long enough, for the multi-line edit to scroll both ways.
constexpr char ScrollingText[] =
    "第一行：多行编辑框，带竖直和水平滚动条，这一行足够长，可以向右滚动查看后面的文字。\r\n"
    "第二行 The quick brown fox jumps over the lazy dog, again and again and again.\r\n"
    "第三行\r\n第四行\r\n第五行\r\n第六行\r\n第七行\r\n第八行\r\n第九行\r\n第十行\r\n"
    "第十一行\r\n第十二行\r\n第十三行\r\n第十四行\r\n第十五行\r\n最后一行";

// The items of every gallery combo box, then one message of the row's own.
std::vector<GallerySend> WithComboItems(GallerySend last) {
  std::vector<GallerySend> sends;
  for (const char* item : {"北京", "上海", "广州", "深圳", "杭州", "南京", "成都", "武汉"}) {
    sends.push_back({.message = CB_ADDSTRING, .text = item});
  }
  sends.push_back(last);
  return sends;
}

// A colour list whose owner draws each item as a swatch and its name (a font dialog's colour
// box); each item's data is its colour.
constexpr WORD SwatchListId = 840;

void FillSwatches(HWND control) {
  const struct {
    const char* name;
    COLORREF colour;
  } swatches[] = {
      {"红色", RGB(220, 30, 30)}, {"绿色", RGB(30, 160, 60)}, {"黄色", RGB(230, 200, 0)}};
  for (const auto& swatch : swatches) {
    auto at = SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(swatch.name));
    SendMessageA(control, CB_SETITEMDATA, static_cast<WPARAM>(at), swatch.colour);
  }
  SendMessageA(control, CB_SETCURSEL, 0, 0);
}

void DrawSwatchItem(const DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID == static_cast<UINT>(-1)) return;
  RECT swatch{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 22,
              item.rcItem.bottom - 2};
  if (HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(item.itemData))) {
    FillRect(item.hDC, &swatch, brush);
    DeleteObject(brush);
  }
  char name[32] = "";
  SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(name));
  RECT text = item.rcItem;
  text.left = swatch.right + 4;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item.hDC, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// List-type controls: enough lines to scroll, columns that can be clicked, expanded branches.
void FillListLines(HWND control) {
  for (int line = 1; line <= 30; ++line) {
    std::string text = "列表项 " + std::to_string(line);
    SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageA(control, LB_SETCURSEL, 2, 0);
}

void FillListView(HWND control) {
  SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const char* titles[] = {"名称", "大小", "类型"};
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.cx = column == 0 ? 110 : 80;
    info.pszText = const_cast<char*>(titles[column]);
    SendMessageA(control, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
  }
  for (int row = 0; row < 25; ++row) {
    std::string cells[] = {"文件 " + std::to_string(row + 1), std::to_string(row * 7 + 3) + " KB",
                           row % 2 ? "文档" : "图片"};
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = cells[0].data();
    SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < 3; ++column) {
      item.iSubItem = column;
      item.pszText = cells[column].data();
      SendMessageA(control, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
  }
}

HTREEITEM AddTreeItem(HWND control, HTREEITEM parent, const char* text) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTreeView(HWND control) {
  HTREEITEM lessons = AddTreeItem(control, TVI_ROOT, "课程");
  AddTreeItem(control, lessons, "第一课");
  AddTreeItem(control, lessons, "第二课");
  HTREEITEM tools = AddTreeItem(control, TVI_ROOT, "工具");
  AddTreeItem(control, tools, "录音");
  AddTreeItem(control, TVI_ROOT, "其他");
  SendMessageA(control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(lessons));
  SendMessageA(control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(tools));
}

// A header's columns: name, size, date.
void AddHeaderColumns(HWND header) {
  const struct {
    const char* text;
    int width;
    int format;
  } columns[] = {{"名称", 90, HDF_LEFT}, {"大小", 60, HDF_RIGHT}, {"日期", 70, HDF_CENTER}};
  for (const auto& column : columns) {
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<char*>(column.text);
    item.cxy = column.width;
    item.fmt = column.format | HDF_STRING;
    int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&item));
  }
}

// Layouts of ordinary programs' dialogs: a label 3 pixels over the field below it (the next
// control), a check box exactly as wide as the system's look needs, a label reaching 10 pixels
// past the dialog's client edge.
void OverlapNextControlByThreePixels(HWND label) {
  HWND field = GetWindow(label, GW_HWNDNEXT);
  RECT own = ChildRect(label), below = ChildRect(field);
  SetWindowPos(label, nullptr, own.left, below.top + 3 - (own.bottom - own.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
}

void FitCheckBoxToItsCaption(HWND box) {
  char text[64] = "";
  GetWindowTextA(box, text, sizeof text);
  HDC dc = GetDC(box);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  RECT caption{0, 0, 0, 0};
  DrawTextA(dc, text, -1, &caption, DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(box, dc);
  RECT own = ChildRect(box);
  // The box, the system's gap after it and the caption.
  SetWindowPos(box, nullptr, 0, 0, GetSystemMetrics(SM_CXMENUCHECK) + 4 + caption.right,
               own.bottom - own.top, SWP_NOMOVE | SWP_NOZORDER);
}

void ReachTenPixelsPastTheClientEdge(HWND label) {
  RECT own = ChildRect(label), client{};
  GetClientRect(GetParent(label), &client);
  SetWindowPos(label, nullptr, client.right + 10 - (own.right - own.left), own.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
}

// Regions (dialog units) and ids:
//   x 5-155,   y 5-95     push buttons and statics            ids 100-199
//                         (y 76-92: a row of captions with access keys, ids 120-129)
//   x 5-155,   y 100-250  check boxes, radio buttons          ids 200-299
//   x 160-320, y 5-250    edits (to y 170), combo boxes       ids 300-399
//   x 325-480, y 5-250    list-type controls                  ids 400-499
//   x 485-635, y 5-250    track bars, progress bars, up-downs, headers   ids 500-599
//   x 5-635,   y 255-350  toolbars and containers             ids 600-699
//   x 325-635, y 280-350  layouts of ordinary programs' dialogs  ids 700-769 (one block of
//                         ten per layout, GalleryLayouts); the layouts of ids 770-839 are
//                         shown only on their own (LayoutOnlyControls)
std::vector<GalleryControl> MakeControls() {
  return {
      // Push buttons and statics.
      {.className = "BUTTON",
       .text = "普通按钮",
       .style = BS_PUSHBUTTON | WS_TABSTOP,
       .place = {5, 5, 70, 16},
       .id = 101},
      {.className = "BUTTON",
       .text = "默认按钮",
       .style = BS_DEFPUSHBUTTON | WS_TABSTOP,
       .place = {80, 5, 70, 16},
       .id = 102},
      {.className = "BUTTON",
       .text = "禁用按钮",
       .style = BS_PUSHBUTTON | WS_DISABLED,
       .place = {5, 25, 70, 16},
       .id = 103},
      {.className = "Static",
       .text = "静态文本：欢迎使用",
       .style = SS_LEFT,
       .place = {5, 47, 145, 10},
       .id = 110},
      {.className = "Static",
       .text = "查找(&N):",
       .style = SS_LEFT,
       .place = {5, 60, 70, 10},
       .id = 111},
      {.className = "Static",
       .style = SS_ICON,
       .place = {80, 25, 20, 20},
       .id = 112,
       .fill = ShowInformationIcon},
      // Captions with access keys: the keys are underlined once the keyboard cues show (press
      // Alt); "&&" is one "&".
      {.className = "BUTTON",
       .text = "保存(&S)",
       .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
       .place = {5, 76, 36, 16},
       .id = 120},
      {.className = "BUTTON",
       .text = "记住密码(&R)",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
       .place = {45, 78, 62, 12},
       .id = 121},
      {.className = "BUTTON",
       .text = "R&&D(&D)",
       .style = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
       .place = {110, 78, 45, 12},
       .id = 122,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      // Check boxes and radio buttons; the non-automatic radio button and the three-state
      // check box keep the system look.
      {.className = "BUTTON",
       .text = "已选中的复选框",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
       .place = {5, 100, 145, 12},
       .id = 201,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "BUTTON",
       .text = "未选中的复选框",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP,
       .place = {5, 114, 145, 12},
       .id = 202},
      {.className = "BUTTON",
       .text = "禁用的复选框",
       .style = BS_AUTOCHECKBOX | WS_DISABLED,
       .place = {5, 128, 145, 12},
       .id = 203},
      {.className = "BUTTON",
       .text = "单选按钮一",
       .style = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
       .place = {12, 156, 136, 12},
       .id = 211,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "BUTTON",
       .text = "单选按钮二",
       .style = BS_AUTORADIOBUTTON,
       .place = {12, 170, 136, 12},
       .id = 212},
      {.className = "BUTTON",
       .text = "单选按钮三",
       .style = BS_AUTORADIOBUTTON,
       .place = {12, 184, 136, 12},
       .id = 213},
      {.className = "BUTTON",
       .text = "自动单选按钮",
       .style = BS_GROUPBOX | WS_GROUP,
       .place = {5, 144, 145, 57},
       .id = 210},
      {.className = "BUTTON",
       .text = "非自动单选按钮",
       .style = BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP,
       .place = {5, 208, 145, 12},
       .id = 220,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "BUTTON",
       .text = "三态复选框",
       .style = BS_AUTO3STATE | WS_TABSTOP | WS_GROUP,
       .place = {5, 222, 145, 12},
       .id = 221,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_INDETERMINATE}}},
      // Edits and combo boxes.
      {.className = "Edit",
       .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL |
                WS_HSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {160, 5, 155, 70},
       .id = 301,
       .setup = {{.message = WM_SETTEXT, .text = ScrollingText}}},
      {.className = "Edit",
       .text = "单行编辑框",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {160, 82, 155, 14},
       .id = 302},
      {.className = "Edit",
       .text = "只读编辑框",
       .style = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP,
       .place = {160, 102, 155, 14},
       .id = 303},
      {.className = "Edit",
       .text = "禁用编辑框",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED,
       .place = {160, 122, 155, 14},
       .id = 304},
      {.className = "ComboBox",
       .style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
       .place = {160, 175, 75, 80},
       .id = 310,
       .setup = WithComboItems({CB_SETCURSEL, 1})},
      {.className = "ComboBox",
       .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
       .place = {240, 175, 75, 80},
       .id = 311,
       .setup = WithComboItems({WM_SETTEXT, 0, 0, "可输入文字"})},
      {.className = "ComboBox",
       .style = CBS_SIMPLE | WS_VSCROLL | WS_TABSTOP,
       .place = {160, 195, 155, 55},
       .id = 312,
       .setup = WithComboItems({CB_SETCURSEL, 2})},
      // List-type controls.
      {.className = "ListBox",
       .style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
       .place = {325, 5, 75, 70},
       .id = 401,
       .fill = FillListLines,
       .exStyle = WS_EX_CLIENTEDGE},
      {.className = "ListBox",
       .style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
       .place = {405, 5, 75, 70},
       .id = 402,
       .setup = {{LB_ADDSTRING, 0, 0, "无边框列表"}, {LB_ADDSTRING, 0, 0, "保持原样"}}},
      {.className = "SysListView32",
       .style = LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP,
       .place = {325, 80, 155, 75},
       .id = 403,
       .fill = FillListView,
       .exStyle = WS_EX_CLIENTEDGE},
      {.className = "SysTreeView32",
       .style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
       .place = {325, 160, 155, 65},
       .id = 404,
       .fill = FillTreeView,
       .exStyle = WS_EX_CLIENTEDGE},
      {.className = "SysIPAddress32",
       .style = WS_TABSTOP,
       .place = {325, 232, 85, 14},
       .id = 405,
       .setup = {{IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(192, 168, 1, 10))}},
       .exStyle = WS_EX_CLIENTEDGE},
      {.className = "SysDateTimePick32",
       .style = DTS_SHORTDATEFORMAT | WS_TABSTOP,
       .place = {415, 232, 65, 14},
       .id = 406,
       .exStyle = WS_EX_CLIENTEDGE},
      // Track bars, progress bars, up-down controls and headers.
      {.className = TRACKBAR_CLASSA,
       .style = TBS_HORZ | TBS_ENABLESELRANGE | TBS_AUTOTICKS | WS_TABSTOP,
       .place = {485, 5, 150, 20},
       .id = 501,
       .setup = {{TBM_SETRANGE, TRUE, MAKELPARAM(0, 100)},
                 {TBM_SETSEL, TRUE, MAKELPARAM(20, 70)},
                 {TBM_SETPOS, TRUE, 100}}},
      {.className = TRACKBAR_CLASSA,
       .style = TBS_VERT | TBS_BOTH | WS_TABSTOP,
       .place = {485, 30, 22, 95},
       .id = 502,
       .setup = {{TBM_SETRANGE, TRUE, MAKELPARAM(0, 100)}, {TBM_SETPOS, TRUE, 40}}},
      {.className = PROGRESS_CLASSA,
       .place = {512, 30, 120, 10},
       .id = 510,
       .setup = {{PBM_SETRANGE32, 0, 100}, {PBM_SETPOS, 60}}},
      {.className = PROGRESS_CLASSA,  // an empty range
       .place = {512, 44, 120, 10},
       .id = 511,
       .setup = {{PBM_SETRANGE32, 0, 0}}},
      {.className = PROGRESS_CLASSA,  // 50 ... 150 at 100: half full
       .place = {512, 58, 120, 10},
       .id = 512,
       .setup = {{PBM_SETRANGE32, 50, 150}, {PBM_SETPOS, 100}}},
      {.className = PROGRESS_CLASSA,
       .style = PBS_VERTICAL,
       .place = {512, 74, 12, 51},
       .id = 513,
       .setup = {{PBM_SETRANGE32, 0, 100}, {PBM_SETPOS, 35}}},
      {.className = "EDIT",  // the up-down's buddy: it comes first, UDS_AUTOBUDDY takes it
       .text = "5",
       .style = ES_NUMBER | ES_LEFT | WS_BORDER | WS_TABSTOP,
       .place = {532, 74, 50, 14},
       .id = 520},
      {.className = UPDOWN_CLASSA,
       .style = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS,
       .place = {582, 74, 11, 14},
       .id = 521,
       .setup = {{UDM_SETRANGE32, 0, 99}, {UDM_SETPOS32, 0, 5}}},
      {.className = UPDOWN_CLASSA,
       .style = UDS_HORZ,
       .place = {598, 74, 30, 14},
       .id = 522,
       .setup = {{UDM_SETRANGE32, 0, 10}}},
      {.className = WC_HEADERA,
       .style = HDS_HORZ | HDS_BUTTONS,
       .place = {485, 132, 150, 14},
       .id = 530,
       .fill = AddHeaderColumns},
      {.className = WC_HEADERA,  // not clickable: no hover or pressed look
       .style = HDS_HORZ,
       .place = {485, 152, 150, 14},
       .id = 531,
       .fill = AddHeaderColumns},
      // Toolbars and a toolbar holding an edit and a combo box (a container).
      {.className = TOOLBARCLASSNAMEA,
       .style = TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
       .place = {5, 258, 310, 60},
       .id = TextBelowToolbarId,
       .fill = FillTextBelowToolbar},
      {.className = TOOLBARCLASSNAMEA,  // takes the focus: Tab reaches it
       .style = TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN |
                WS_TABSTOP,
       .place = {5, 322, 310, 16},
       .id = ListToolbarId,
       .fill = FillListToolbar},
      {.className = TOOLBARCLASSNAMEA,
       .style = TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
       .place = {325, 258, 310, 18},
       .id = ContainerToolbarId,
       .fill = FillContainerToolbar},
      // A list box and a list view inside a group box declared before them.
      {.className = "BUTTON",
       .text = "文件列表",
       .style = BS_GROUPBOX,
       .place = {325, 280, 98, 68},
       .id = 700},
      {.className = "ListBox",
       .style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
       .place = {330, 292, 40, 52},
       .id = 701,
       .fill = FillListLines,
       .exStyle = WS_EX_CLIENTEDGE},
      {.className = "SysListView32",
       .style = LVS_REPORT | WS_TABSTOP,
       .place = {373, 292, 46, 52},
       .id = 702,
       .fill = FillListView,
       .exStyle = WS_EX_CLIENTEDGE},
      // A label over the top 3 pixels of the field below it.
      {.className = "Static",
       .text = "备注(&M):",
       .style = SS_LEFT,
       .place = {428, 280, 60, 10},
       .id = 710,
       .fill = OverlapNextControlByThreePixels},
      {.className = "Edit",
       .style = ES_MULTILINE | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {428, 290, 92, 26},
       .id = 711,
       .setup = {{.message = WM_SETTEXT, .text = ScrollingText}}},
      // Chinese labels without spaces, narrower than their text: two lines and three.
      {.className = "Static",
       .text = "请连接网络后继续",
       .style = SS_LEFT,
       .place = {525, 280, 40, 18},
       .id = 720},
      {.className = "Static",
       .text = "下载完成后程序会自动校验",
       .style = SS_LEFT,
       .place = {525, 299, 40, 26},
       .id = 721},
      // Check boxes exactly as wide as the system's look needs.
      {.className = "BUTTON",
       .text = "打印到文件(&L)",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP,
       .place = {568, 280, 45, 10},
       .id = 730,
       .fill = FitCheckBoxToItsCaption},
      {.className = "BUTTON",
       .text = "CPU 12",
       .style = BS_AUTOCHECKBOX | WS_TABSTOP,
       .place = {568, 292, 45, 10},
       .id = 731,
       .fill = FitCheckBoxToItsCaption},
      // A check box of two lines at its top, taller than they are.
      {.className = "BUTTON",
       .text = "多行的复选框标题",
       .style = BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP | WS_TABSTOP,
       .place = {568, 304, 45, 24},
       .id = 732},
      // A right-aligned label beside its field and a centred label.
      {.className = "Static",
       .text = "名称:",
       .style = SS_RIGHT,
       .place = {428, 321, 32, 8},
       .id = 740},
      {.className = "Edit",
       .text = "报告",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {462, 319, 58, 12},
       .id = 741},
      {.className = "Static",
       .text = "居中的标签",
       .style = SS_CENTER,
       .place = {428, 336, 92, 8},
       .id = 742},
      // A value shown in a borderless read-only edit, as property pages do.
      {.className = "Static",
       .text = "大小:",
       .style = SS_LEFT,
       .place = {525, 330, 22, 8},
       .id = 750},
      {.className = "Edit",
       .text = "1.2 MB",
       .style = ES_AUTOHSCROLL | ES_READONLY,
       .place = {548, 330, 40, 8},
       .id = 751},
      // A label reaching past the dialog's client edge.
      {.className = "Static",
       .text = "超出边缘的标签",
       .style = SS_LEFT,
       .place = {590, 340, 45, 8},
       .id = 760,
       .fill = ReachTenPixelsPastTheClientEdge},
  };
}

// Layouts too large for the gallery's dialog, shown only on their own (GalleryLayout), each in
// a block of ten ids: disabled and read-only controls that keep their state readable; and the
// layouts where a dialog's background must reach every area outside its controls: a white
// panel over the top third, an etched separator, a progress bar among labels, a link; and a
// group box whose border stays whole beside a label inside it; controls that keep their look
// as the focus and the pointer pass.
std::vector<GalleryControl> LayoutOnlyControls() {
  constexpr DWORD Disabled = WS_DISABLED;
  return {
      {.className = "BUTTON",
       .text = "未选中",
       .style = BS_AUTOCHECKBOX | Disabled,
       .place = {10, 10, 80, 10},
       .id = 770},
      {.className = "BUTTON",
       .text = "已选中",
       .style = BS_AUTOCHECKBOX | Disabled,
       .place = {10, 22, 80, 10},
       .id = 771,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "BUTTON",
       .text = "不确定",
       .style = BS_AUTO3STATE | Disabled,
       .place = {10, 34, 80, 10},
       .id = 772,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_INDETERMINATE}}},
      {.className = "BUTTON",
       .text = "禁用按钮",
       .style = BS_PUSHBUTTON | Disabled,
       .place = {10, 50, 70, 16},
       .id = 773},
      {.className = "Edit",
       .text = "只读的值",
       .style = ES_AUTOHSCROLL | ES_READONLY | WS_BORDER,
       .place = {100, 10, 80, 12},
       .id = 774},
      {.className = "Edit",
       .text = "禁用的值",
       .style = ES_AUTOHSCROLL | WS_BORDER | Disabled,
       .place = {100, 26, 80, 12},
       .id = 775},
      {.className = "Edit",
       .text = "可编辑",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {100, 42, 80, 12},
       .id = 776},
      {.className = "BUTTON",
       .text = "右侧方框",
       .style = BS_AUTOCHECKBOX | BS_RIGHTBUTTON | WS_TABSTOP,
       .place = {100, 60, 80, 10},
       .id = 777},
      {.className = "BUTTON",
       .text = "选中的单选",
       .style = BS_AUTORADIOBUTTON | Disabled,
       .place = {10, 72, 80, 10},
       .id = 778,
       .setup = {{.message = BM_SETCHECK, .wParam = BST_CHECKED}}},
      {.className = "BUTTON",
       .text = "未选的单选",
       .style = BS_AUTORADIOBUTTON | Disabled,
       .place = {10, 84, 80, 10},
       .id = 779},
      // A white panel over the top third, a title on it and a borderless value beside it.
      {.className = "Static", .style = SS_WHITERECT, .place = {0, 0, 640, 118}, .id = 780},
      {.className = "Static",
       .text = "关于岚舟",
       .style = SS_LEFT,
       .place = {10, 10, 100, 10},
       .id = 781},
      {.className = "Edit",
       .text = "版本 1.1",
       .style = ES_AUTOHSCROLL | ES_READONLY,
       .place = {120, 10, 80, 10},
       .id = 782},
      // An etched separator between a message and its buttons.
      {.className = "Static",
       .text = "程序遇到问题，需要关闭。",
       .style = SS_LEFT,
       .place = {10, 10, 300, 10},
       .id = 790},
      {.className = "Static", .style = SS_ETCHEDHORZ, .place = {5, 60, 630, 1}, .id = 791},
      {.className = "BUTTON",
       .text = "详细信息",
       .style = BS_PUSHBUTTON | WS_TABSTOP,
       .place = {10, 70, 70, 16},
       .id = 792},
      {.className = "Static",
       .text = "禁用的标签",
       .style = SS_LEFT | WS_DISABLED,
       .place = {100, 74, 80, 10},
       .id = 793},
      // A progress bar with labels only, as an installer's page.
      {.className = "Static",
       .text = "正在安装，请稍候……",
       .style = SS_LEFT,
       .place = {10, 10, 300, 10},
       .id = 800},
      {.className = PROGRESS_CLASSA,
       .place = {10, 26, 300, 12},
       .id = 801,
       .setup = {{.message = PBM_SETPOS, .wParam = 40}}},
      {.className = "Static",
       .text = "正在复制文件",
       .style = SS_LEFT,
       .place = {10, 44, 300, 10},
       .id = 802},
      // A link among labels.
      {.className = "Static",
       .text = "更多信息请访问：",
       .style = SS_LEFT,
       .place = {10, 10, 100, 10},
       .id = 810},
      {.className = "SysLink", .text = "<a>岚舟的主页</a>", .place = {110, 10, 100, 10}, .id = 811},
      // A label reaching the right edge of the group box it lies in.
      {.className = "BUTTON",
       .text = "打印范围",
       .style = BS_GROUPBOX,
       .place = {10, 10, 150, 60},
       .id = 820},
      {.className = "Static",
       .text = "全部页面都会被打印出来",
       .style = SS_LEFT,
       .place = {15, 25, 143, 10},
       .id = 821},
      // Controls whose system look comes back when the focus or the pointer passes: an
      // editable combo box's drop button, the bars of owner-drawn lists (a font dialog's).
      {.className = "ComboBox",
       .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
       .place = {10, 10, 100, 80},
       .id = 830,
       .setup = WithComboItems({WM_SETTEXT, 0, 0, "文件名"})},
      {.className = "ListBox",
       .style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                WS_BORDER | WS_TABSTOP,
       .place = {10, 30, 100, 50},
       .id = 831,
       .fill = FillListLines},
      {.className = "ComboBox",
       .style = CBS_SIMPLE | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_DISABLENOSCROLL |
                WS_VSCROLL | WS_TABSTOP,
       .place = {120, 10, 100, 50},
       .id = 832,
       .setup = WithComboItems({CB_SETCURSEL, 2})},
      {.className = "Edit",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {10, 90, 80, 12},
       .id = 833},
      // A file dialog's name field: an extended combo box holding the combo box and its edit.
      {.className = "ComboBoxEx32",
       .style = CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP,
       .place = {120, 66, 100, 80},
       .id = 834},
      {.className = "ScrollBar",
       .style = SBS_VERT | WS_TABSTOP,
       .place = {230, 10, 10, 60},
       .id = 835},
      {.className = "Edit",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {120, 90, 80, 12},
       .id = 836},
      // An owner-drawn drop-down list whose owner draws colour swatches.
      {.className = "ComboBox",
       .style = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
       .place = {10, 10, 100, 80},
       .id = SwatchListId,
       .fill = FillSwatches},
      {.className = "Edit",
       .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
       .place = {10, 30, 80, 12},
       .id = 841},
  };
}

const std::vector<GalleryControl>& LayoutOnly() {
  static const std::vector<GalleryControl> controls = LayoutOnlyControls();
  return controls;
}

// Appends a text as UTF-16 words with its terminating zero.
void AppendText(std::vector<WORD>& words, const char* text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) {
    words.push_back(0);
    return;
  }
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  words.insert(words.end(), wide.begin(), wide.end());  // the zero is part of `length`
}

void AppendDword(std::vector<WORD>& words, DWORD value) {
  words.push_back(LOWORD(value));
  words.push_back(HIWORD(value));
}

void AlignToDword(std::vector<WORD>& words) {
  if (words.size() % 2) words.push_back(0);
}

void AppendItem(std::vector<WORD>& words, const GalleryControl& control) {
  AlignToDword(words);
  AppendDword(words, control.style | WS_CHILD | WS_VISIBLE);
  AppendDword(words, control.exStyle);
  const GalleryPlace& place = control.place;
  for (short value : {place.x, place.y, place.width, place.height}) {
    words.push_back(static_cast<WORD>(value));
  }
  words.push_back(control.id);
  AppendText(words, control.className);
  AppendText(words, control.text);
  words.push_back(0);  // no creation data
}

}  // namespace

const std::vector<GalleryControl>& GalleryControls() {
  static const std::vector<GalleryControl> controls = MakeControls();
  return controls;
}

std::vector<GalleryControl> GalleryLayout(WORD firstId) {
  std::vector<GalleryControl> layout;
  for (const auto* table : {&GalleryControls(), &LayoutOnly()}) {
    for (const GalleryControl& control : *table) {
      if (control.id >= firstId && control.id < firstId + 10) layout.push_back(control);
    }
  }
  return layout;
}

DialogTemplate BuildGalleryTemplate(const std::vector<GalleryControl>& controls,
                                    const char* caption) {
  DialogTemplate result;
  std::vector<WORD>& words = result.Words();
  AppendDword(words, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
  AppendDword(words, 0);  // extended style
  words.push_back(static_cast<WORD>(controls.size()));
  for (short value : {short{0}, short{0}, DialogWidth, DialogHeight}) {
    words.push_back(static_cast<WORD>(value));
  }
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  AppendText(words, caption);
  words.push_back(FontPoints);
  AppendText(words, FontName);
  for (const GalleryControl& control : controls) AppendItem(words, control);
  return result;
}

void FillGalleryControls(HWND dialog, const std::vector<GalleryControl>& controls) {
  for (const GalleryControl& control : controls) {
    HWND window = GetDlgItem(dialog, control.id);
    if (!window) continue;
    for (const GallerySend& send : control.setup) {
      LPARAM lParam = send.text ? reinterpret_cast<LPARAM>(send.text) : send.lParam;
      SendMessageA(window, send.message, send.wParam, lParam);
    }
    if (control.fill) control.fill(window);
  }
}

void RegisterGalleryControlClasses() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                   ICC_INTERNET_CLASSES | ICC_BAR_CLASSES |
                                                   ICC_COOL_CLASSES | ICC_STANDARD_CLASSES |
                                                   ICC_LINK_CLASS | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&classes);
}

INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      if (wParam != SwatchListId) return FALSE;
      DrawSwatchItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_INITDIALOG:
      FillGalleryControls(dialog);
      FillGalleryControls(dialog, LayoutOnly());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}
