#include "gallery/gallery_toolbars.h"

#include <commctrl.h>

#include <iterator>

namespace {

constexpr int ImageSize = 16;
constexpr COLORREF MaskColour = RGB(0, 0, 0);  // outside the drawn shapes
constexpr int PlaceholderWidth = 110;          // the separators the edit and combo sit on
constexpr int TextBelowButtonWidth = 44;       // room for two characters beside a drop arrow

// One small picture per button: a coloured tile with a light edge and a mark on it.
struct Picture {
  COLORREF fill;
  bool round;
};
constexpr Picture Pictures[] = {
    {RGB(70, 140, 230), false}, {RGB(240, 180, 40), false}, {RGB(60, 170, 90), false},
    {RGB(200, 60, 60), true},   {RGB(130, 90, 200), true},  {RGB(230, 120, 40), true},
    {RGB(40, 170, 190), false}, {RGB(160, 160, 40), true},  {RGB(90, 110, 130), false},
    {RGB(210, 90, 160), true},
};

void DrawPicture(HDC dc, int left, const Picture& picture) {
  HBRUSH fill = CreateSolidBrush(picture.fill);
  HPEN edge = CreatePen(PS_SOLID, 1, RGB(240, 240, 240));
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  HGDIOBJ oldPen = SelectObject(dc, edge);
  if (picture.round) {
    Ellipse(dc, left + 1, 1, left + ImageSize - 1, ImageSize - 1);
  } else {
    RoundRect(dc, left + 1, 1, left + ImageSize - 1, ImageSize - 1, 5, 5);
  }
  RECT mark{left + 6, 6, left + 10, 10};
  FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(edge);
  DeleteObject(fill);
}

HIMAGELIST MakeImages() {
  int count = static_cast<int>(std::size(Pictures));
  HIMAGELIST images = ImageList_Create(ImageSize, ImageSize, ILC_COLOR24 | ILC_MASK, count, 0);
  if (!images) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, ImageSize * count, ImageSize);
  ReleaseDC(nullptr, screen);
  if (memory && strip) {
    HGDIOBJ previous = SelectObject(memory, strip);
    RECT all{0, 0, ImageSize * count, ImageSize};
    HBRUSH mask = CreateSolidBrush(MaskColour);
    FillRect(memory, &all, mask);
    DeleteObject(mask);
    for (int i = 0; i < count; ++i) DrawPicture(memory, i * ImageSize, Pictures[i]);
    SelectObject(memory, previous);
    ImageList_AddMasked(images, strip, MaskColour);
  }
  if (strip) DeleteObject(strip);
  if (memory) DeleteDC(memory);
  return images;
}

// Made once per process and shared by every toolbar of every gallery dialog: toolbars do not
// own their image lists, and the soak opens the gallery hundreds of times.
HIMAGELIST GalleryImages() {
  static HIMAGELIST images = MakeImages();
  return images;
}

TBBUTTON Button(int image, int command, BYTE state, BYTE style, const char* text) {
  TBBUTTON button{};
  button.iBitmap = image;
  button.idCommand = command;
  button.fsState = state;
  button.fsStyle = style;
  button.iString = reinterpret_cast<INT_PTR>(text);
  return button;
}

TBBUTTON Separator(int width = 0, BYTE state = 0) {
  return Button(width, 0, state, BTNS_SEP, nullptr);
}

template <size_t Count>
void AddButtons(HWND toolbar, TBBUTTON (&buttons)[Count]) {
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(GalleryImages()));
  SendMessageA(toolbar, TB_ADDBUTTONSA, Count, reinterpret_cast<LPARAM>(buttons));
}

constexpr BYTE Enabled = TBSTATE_ENABLED;

HWND MakeChild(HWND toolbar, const char* className, const char* text, DWORD style, DWORD exStyle,
               WORD id, const RECT& place, int height) {
  HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                               place.left + 2, place.top + 1, place.right - place.left - 4, height,
                               toolbar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, SendMessageA(GetParent(toolbar), WM_GETFONT, 0, 0), FALSE);
  return child;
}

}  // namespace

void FillTextBelowToolbar(HWND toolbar) {
  SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  TBBUTTON buttons[] = {
      Button(0, CommandNew, Enabled, BTNS_BUTTON, "新建"),
      Button(1, CommandOpen, Enabled, BTNS_BUTTON, "打开"),
      Button(2, CommandSave, Enabled | TBSTATE_PRESSED, BTNS_BUTTON, "保存"),
      Separator(),
      Button(3, CommandBold, Enabled | TBSTATE_CHECKED, BTNS_CHECK, "加粗"),
      Button(4, CommandDisabled, 0, BTNS_BUTTON, "禁用"),
      Button(5, CommandUndecided, Enabled | TBSTATE_INDETERMINATE, BTNS_BUTTON, "未定"),
      Separator(),
      Button(6, CommandDropDown, Enabled | TBSTATE_WRAP, BTNS_DROPDOWN, "下拉"),
      Separator(),  // starts the second row
      Button(7, CommandCut, Enabled, BTNS_BUTTON, "剪切"),
      Button(8, CommandCopy, Enabled, BTNS_BUTTON, "复制"),
      Button(9, CommandPaste, Enabled, BTNS_BUTTON, "粘贴"),
  };
  AddButtons(toolbar, buttons);
  SendMessageA(toolbar, TB_SETBUTTONWIDTH, 0,
               MAKELPARAM(TextBelowButtonWidth, 2 * TextBelowButtonWidth));
  // The second button shows the hot look until the pointer moves over the toolbar.
  SendMessageA(toolbar, TB_SETHOTITEM, 1, 0);
}

void FillListToolbar(HWND toolbar) {
  TBBUTTON buttons[] = {
      Button(0, CommandList1, Enabled, BTNS_BUTTON | BTNS_AUTOSIZE, "列表布局(&L)"),
      Button(3, CommandList2, Enabled | TBSTATE_CHECKED, BTNS_CHECK | BTNS_AUTOSIZE, "已选中"),
      Separator(),
      Button(4, CommandList3, 0, BTNS_BUTTON | BTNS_AUTOSIZE, "禁用"),
  };
  AddButtons(toolbar, buttons);
}

void FillContainerToolbar(HWND toolbar) {
  TBBUTTON buttons[] = {
      Button(8, CommandFind, Enabled, BTNS_BUTTON, "查找"),
      Separator(PlaceholderWidth),
      Separator(PlaceholderWidth),
      Button(9, CommandGo, Enabled, BTNS_BUTTON, "前往"),
  };
  AddButtons(toolbar, buttons);
  RECT editPlace{}, comboPlace{};
  SendMessageA(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&editPlace));
  SendMessageA(toolbar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&comboPlace));
  MakeChild(toolbar, "EDIT", "工具栏中的编辑框", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ToolbarEditId,
            editPlace, editPlace.bottom - editPlace.top - 2);
  HWND combo = MakeChild(toolbar, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 0, ToolbarComboId,
                         comboPlace, 120);
  for (const char* item : {"组合框甲", "组合框乙", "组合框丙"}) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}
