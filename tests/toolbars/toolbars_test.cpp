// Styled toolbars and containers: the button looks by state, greyed icons, the two separator
// rules, a toolbar's children styled with the dialog's record under both procedures, odd input,
// and dialogs that paint on themselves and on their children.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gallery/gallery_table.h"
#include "gallery/gallery_toolbars.h"
#include "styling/headers/headers.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"
#include "styling/toolbars/toolbars.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);
const Rgb Frame{80, 80, 80};
constexpr DWORD PlainToolbar = TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;

HWND AddToolbar(StyledHost& host, void (*fill)(HWND), DWORD style = PlainToolbar) {
  HWND toolbar = host.AddChild(TOOLBARCLASSNAMEA, "", style, 5, 5, 400, 90);
  if (fill) fill(toolbar);
  InstallToolbars(host.StyleIndex(), host.window);
  return toolbar;
}

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  Pump();
}

RECT ButtonRect(HWND toolbar, int index) {
  RECT r{};
  SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

// How much a button's rim leans to the accent colour: blue-green over red, left edge, middle.
int Tint(const Snapshot& shot, const RECT& r) {
  int sum = 0;
  for (int y = r.top + 8; y < r.bottom - 8; ++y) {
    Rgb p = shot.At(r.left + 2, y);
    sum += (p.g + p.b) / 2 - p.r;
  }
  return sum / (r.bottom - r.top - 16);
}

// The text-below toolbar of the gallery: 0 normal, 1 hot, 2 pressed, 4 checked, 5 disabled,
// 6 indeterminate, 8 drop-down; 3 and 7 separators in the first row, 9 starts the second.
TEST(Toolbars, ButtonLooksFollowTheirStateAndTheHotItem) {
  ASSERT_TRUE(classesRegistered);
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = AddToolbar(host, FillTextBelowToolbar);
  Repaint(toolbar);
  Snapshot shot = Capture(toolbar);
  int normal = Tint(shot, ButtonRect(toolbar, 0));
  int hot = Tint(shot, ButtonRect(toolbar, 1));
  int checked = Tint(shot, ButtonRect(toolbar, 4));
  EXPECT_EQ(shot.At(ButtonRect(toolbar, 0).left + 2, 20), Frame) << "a normal button: no fill";
  EXPECT_GT(hot, normal) << "the hot button's faint accent";
  EXPECT_GT(checked, hot) << "checked is the stronger fill";
  RECT pressed = ButtonRect(toolbar, 2);
  EXPECT_LT(shot.At(pressed.left + 8, pressed.top + 3).r,
            shot.At(pressed.left + 8, pressed.bottom - 4).r)
      << "pressed: dark at the top, light at the bottom";

  struct Move {
    int hotItem;
    int lit;  // the button that must show the hot look, -1 for none
  } moves[] = {{0, 0}, {10, 10}, {-1, -1}};
  for (const Move& move : moves) {
    SendMessageA(toolbar, TB_SETHOTITEM, move.hotItem, 0);  // repaints as the pointer would
    UpdateWindow(toolbar);
    Pump();
    Snapshot now = Capture(toolbar);
    for (int index : {0, 1, 10, 11}) {
      EXPECT_EQ(Tint(now, ButtonRect(toolbar, index)) > normal, index == move.lit)
          << "hot item " << move.hotItem << ", button " << index;
    }
    EXPECT_EQ(Tint(now, ButtonRect(toolbar, 4)), checked) << "checked keeps its fill";
  }
}

// Disabled: neutral grey icon and grey text; indeterminate: a reddish grey icon.
TEST(Toolbars, DisabledAndIndeterminateButtonsAreGreyed) {
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = AddToolbar(host, FillTextBelowToolbar);
  Repaint(toolbar);
  Snapshot shot = Capture(toolbar);
  auto count = [&](int index, const std::function<bool(const Rgb&)>& test) {
    RECT r = ButtonRect(toolbar, index);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += test(shot.At(x, y)) ? 1 : 0;
    return n;
  };
  auto coloured = [](const Rgb& p) { return std::abs(p.r - p.g) > 30 || std::abs(p.g - p.b) > 30; };
  auto reddishGrey = [](const Rgb& p) {
    return p.r - p.g >= 15 && p.r - p.g <= 25 && std::abs(p.g - p.b) <= 2;
  };
  auto greyText = [](const Rgb& p) { return Rgb{128, 128, 128}.Near(p, 12); };
  EXPECT_GT(count(0, coloured), 40) << "an enabled icon keeps its colours";
  EXPECT_EQ(count(5, coloured), 0) << "a disabled icon has none";
  EXPECT_GT(count(5, greyText), 8) << "grey text";
  EXPECT_GT(count(6, reddishGrey), 40) << "indeterminate: reddish grey";
}

// DrawGreyedIcon pixel by pixel: neutral pixels vanish, the others become their grey.
TEST(Toolbars, GreyedIconKeepsOnlyColouredPixelsAsGrey) {
  struct Case {
    COLORREF source;
    BYTE state;
    COLORREF expected;  // kBackground: transparent
  };
  constexpr COLORREF kBackground = RGB(0, 0, 255);
  const Case cases[] = {
      {RGB(255, 255, 255), 0, kBackground},
      {RGB(128, 128, 128), 0, kBackground},
      {RGB(0, 0, 0), 0, kBackground},
      {RGB(200, 50, 50), 0, RGB(100, 100, 100)},
      {RGB(200, 50, 50), TBSTATE_INDETERMINATE, RGB(120, 100, 100)},
      {RGB(254, 255, 255), TBSTATE_INDETERMINATE, RGB(255, 254, 254)},  // no wrap past 255
  };
  HDC screen = GetDC(nullptr);
  for (const Case& c : cases) {
    HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, mask);
    PatBlt(memory, 0, 0, 16, 16, BLACKNESS);  // opaque everywhere
    SelectObject(memory, colour);
    HBRUSH brush = CreateSolidBrush(c.source);
    RECT all{0, 0, 16, 16};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);

    HBITMAP target = CreateCompatibleBitmap(screen, 20, 20);
    previous = SelectObject(memory, target);
    brush = CreateSolidBrush(kBackground);
    RECT area{0, 0, 20, 20};
    FillRect(memory, &area, brush);
    DeleteObject(brush);
    DrawGreyedIcon(memory, 2, 2, icon, c.state);
    EXPECT_EQ(GetPixel(memory, 9, 9), c.expected) << std::hex << c.source << " state " << +c.state;
    EXPECT_EQ(GetPixel(memory, 0, 0), kBackground) << "nothing outside the icon";
    SelectObject(memory, previous);
    DeleteObject(target);
    DeleteDC(memory);
    DestroyIcon(icon);
    DeleteObject(colour);
    DeleteObject(mask);
  }
  ReleaseDC(nullptr, screen);
}

// Inside a row a separator is a vertical rule; one that starts a wrapped row is a horizontal
// rule across the toolbar.
TEST(Toolbars, SeparatorRules) {
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = AddToolbar(host, FillTextBelowToolbar);
  SendMessageA(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  Repaint(toolbar);
  Snapshot shot = Capture(toolbar);
  RECT inner = ButtonRect(toolbar, 3);
  RECT wrapped = ButtonRect(toolbar, 9);
  ASSERT_LT(wrapped.left, 10) << "the separator starts the second row";
  int middle = inner.left + (inner.right - inner.left - 2) / 2;
  int rule = wrapped.bottom - 5;
  enum Shade { Darker, Lighter, Untouched };
  struct Probe {
    int x, y;
    Shade shade;
  } probes[] = {
      {middle, (inner.top + inner.bottom) / 2, Darker},
      {middle + 1, (inner.top + inner.bottom) / 2, Lighter},
      {middle + 3, (inner.top + inner.bottom) / 2, Untouched},
      {300, rule, Darker},  // right of the second row's buttons
      {300, rule + 1, Lighter},
      {300, rule - 3, Untouched},
  };
  for (const Probe& p : probes) {
    Rgb at = shot.At(p.x, p.y);
    int shade = at.r < Frame.r ? Darker : at.r > Frame.r ? Lighter : Untouched;
    EXPECT_EQ(shade, p.shade) << p.x << "," << p.y;
  }
}

void FillWithChildren(HWND toolbar) {
  FillContainerToolbar(toolbar);
  CreateWindowExA(0, "BUTTON", "按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 300, 2, 60, 22,
                  toolbar, reinterpret_cast<HMENU>(606), GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "Static", "文字", WS_CHILD | WS_VISIBLE, 370, 2, 30, 22, toolbar,
                  reinterpret_cast<HMENU>(607), GetModuleHandleA(nullptr), nullptr);
}

TEST(Containers, AToolbarsChildrenAreStyledWithTheDialogsRecordUnderBothProcedures) {
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = host.AddChild(TOOLBARCLASSNAMEA, "", PlainToolbar, 5, 5, 400, 40);
  FillWithChildren(toolbar);
  auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(toolbar, GWLP_WNDPROC));
  InstallToolbars(host.StyleIndex(), host.window);
  InstallToolbars(host.StyleIndex(), host.window);  // a second pass changes nothing

  StyleRecord& record = host.Record();
  EXPECT_EQ(record.toolbars.Count(), 1);
  EXPECT_EQ(record.containers.Count(), 1);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(toolbar, GWLP_WNDPROC)), ContainerWndProc);
  EXPECT_EQ(ReadHandleProperty<WNDPROC>(toolbar, ProcProperty), ToolbarWndProc);
  EXPECT_EQ(ReadHandleProperty<WNDPROC>(toolbar, ToolbarProcProperty), own);
  EXPECT_EQ(ReadProperty(toolbar, StyleIndexProperty), host.StyleIndex());
  EXPECT_EQ(ReadProperty(toolbar, ToolbarStyleIndexProperty), host.StyleIndex());
  EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 4) << "messages pass both layers";

  struct Child {
    int id;
    bool styled;
  } children[] = {{606, record.buttons.Find(GetDlgItem(toolbar, 606)) != 0},
                  {607, record.statics.Find(GetDlgItem(toolbar, 607)) != 0}};
  for (const Child& child : children) {
    EXPECT_TRUE(child.styled) << child.id;
    EXPECT_EQ(ReadProperty(GetDlgItem(toolbar, child.id), StyleIndexProperty), host.StyleIndex());
  }
  // The owner-drawn push button reaches its painter through the container: a rounded corner
  // shows the background, where the system face would be drawn.
  HWND button = GetDlgItem(toolbar, 606);
  Repaint(button);
  EXPECT_EQ(PixelOf(button, 0, 0), Frame);
}

// Whether this build styles a control of the class: the family exists once its installer is
// in the router's list.
bool FamilyStyles(const char* className, DWORD style) {
  StyledHost probe;
  HWND control = probe.AddChild(className, "", style, 5, 5, 80, 60);
  InstallChildFamilies(probe.StyleIndex(), probe.window);
  return GetPropA(control, ProcProperty) != nullptr;
}

// The gallery's container: an edit and a combo box inside a toolbar, once those families exist.
TEST(Containers, EditAndComboInsideAToolbarShareTheDialogsRecord) {
  struct Child {
    const char* className;
    DWORD style;
    int id;
  } children[] = {{"EDIT", 0, ToolbarEditId}, {"COMBOBOX", CBS_DROPDOWNLIST, ToolbarComboId}};
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = host.AddChild(TOOLBARCLASSNAMEA, "", PlainToolbar, 5, 5, 400, 40);
  FillContainerToolbar(toolbar);
  InstallToolbars(host.StyleIndex(), host.window);
  int checked = 0;
  for (const Child& child : children) {
    if (!FamilyStyles(child.className, child.style)) continue;
    HWND control = GetDlgItem(toolbar, child.id);
    EXPECT_NE(GetPropA(control, ProcProperty), nullptr) << child.className;
    EXPECT_EQ(ReadProperty(control, StyleIndexProperty), host.StyleIndex()) << child.className;
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no edit or combo-box family in this build yet";
}

// Odd toolbars paint without a crash and with a clear look.
TEST(Toolbars, OddToolbarsPaintSafely) {
  struct Case {
    const char* name;
    std::function<void(HWND)> fill;
    bool drawsSomething;
  } cases[] = {
      {"no buttons", [](HWND) {}, false},
      {"no image list, text only",
       [](HWND t) {
         TBBUTTON b{I_IMAGENONE,
                    1,
                    TBSTATE_ENABLED,
                    BTNS_BUTTON,
                    {},
                    0,
                    reinterpret_cast<INT_PTR>("文字")};
         SendMessageA(t, TB_BUTTONSTRUCTSIZE, sizeof b, 0);
         SendMessageA(t, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&b));
       },
       true},
      {"neither text nor image, an image index past the list",
       [](HWND t) {
         FillListToolbar(t);
         TBBUTTON b[] = {{-1, 2, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                         {99, 3, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0}};
         SendMessageA(t, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(b));
       },
       true},
      {"hidden buttons only",
       [](HWND t) {
         TBBUTTON b[] = {{0, 1, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, 0, 0},
                         {0, 0, TBSTATE_HIDDEN, BTNS_SEP, {}, 0, 0}};
         SendMessageA(t, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
         SendMessageA(t, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(b));
       },
       false},
  };
  for (const Case& c : cases) {
    StyledHost host(RGB(80, 80, 80), 420, 200);
    HWND toolbar = host.AddChild(TOOLBARCLASSNAMEA, "", PlainToolbar | TBSTYLE_LIST, 5, 5, 400, 30);
    c.fill(toolbar);
    InstallToolbars(host.StyleIndex(), host.window);
    Repaint(toolbar);
    int drawn = Capture(toolbar).Count([](const Rgb& p) { return !(p == Frame); });
    EXPECT_EQ(drawn > 0, c.drawsSomething) << c.name;
  }
}

// Image 0 of the list becomes 16 x 16 of one colour (0x00RRGGBB).
void PutSwatch(HIMAGELIST list, DWORD colour) {
  std::vector<DWORD> pixels(16 * 16, colour);
  HBITMAP swatch = CreateBitmap(16, 16, 1, 32, pixels.data());
  if (ImageList_GetImageCount(list) == 0) {
    ImageList_Add(list, swatch, nullptr);
  } else {
    ImageList_Replace(list, 0, swatch, nullptr);
  }
  DeleteObject(swatch);
}

// Headers and toolbars draw the image list they hold at each paint, and what it holds now.
TEST(ImageLists, AListGivenAfterStylingAndAnIconReplacedInPlaceAreDrawn) {
  StyledHost host(RGB(80, 80, 80), 420, 200);
  HWND toolbar = AddToolbar(host, FillTextBelowToolbar);
  HWND header = host.AddChild(WC_HEADERA, "", HDS_BUTTONS, 5, 120, 200, 24);
  HDITEMA item{.mask = HDI_FORMAT | HDI_WIDTH | HDI_IMAGE, .cxy = 100, .fmt = HDF_IMAGE};
  SendMessageA(header, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  InstallHeaders(host.StyleIndex(), host.window);
  auto pixelsNear = [](HWND window, Rgb colour) {
    return Capture(window).Count([&](const Rgb& p) { return p.Near(colour, 24); });
  };
  for (auto [control, setList] :
       {std::pair{header, UINT{HDM_SETIMAGELIST}}, std::pair{toolbar, UINT{TB_SETIMAGELIST}}}) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    PutSwatch(list, 0xFF0000);
    SendMessageA(control, setList, 0, reinterpret_cast<LPARAM>(list));
    Repaint(control);
    EXPECT_GT(pixelsNear(control, {255, 0, 0}), 100) << "the list given after styling";
    PutSwatch(list, 0x00FF00);
    Repaint(control);
    EXPECT_GT(pixelsNear(control, {0, 255, 0}), 100) << "the icon replaced in place";
    SendMessageA(control, setList, 0, 0);
    ImageList_Destroy(list);
    Repaint(control);  // a list taken away and destroyed is not drawn from
  }
}

TEST(Toolbars, MessagesAfterTheRecordIsGoneReachTheToolbarItself) {
  StyledHost first(RGB(80, 80, 80), 420, 120);
  StyledHost second(RGB(80, 80, 80), 420, 120);
  HWND gone = AddToolbar(first, FillListToolbar);
  HWND kept = AddToolbar(second, FillListToolbar);
  RemoveStyleRecord(first.window);
  EXPECT_EQ(ReadProperty(kept, ToolbarStyleIndexProperty), 1) << "renumbered";
  EXPECT_EQ(ToolbarEntryOf(gone), nullptr) << "its stale numbers name another toolbar";
  Repaint(gone);  // the system paints it
  EXPECT_EQ(SendMessageA(gone, TB_BUTTONCOUNT, 0, 0), 4);
  PaintToolbar(gone);
  // Destroyed while hot: the dialog goes on.
  SendMessageA(kept, TB_SETHOTITEM, 0, 0);
  DestroyWindow(kept);
  Pump();
  EXPECT_EQ(second.Record().toolbars.Count(), 1) << "the entry stays until the record goes";
}

// A dialog with several hundred controls is styled whole.
TEST(Toolbars, ADialogWithSeveralHundredControls) {
  std::vector<GalleryControl> controls;
  for (WORD i = 0; i < 360; ++i) {
    static const char* const classes[] = {"BUTTON", "Static", TOOLBARCLASSNAMEA};
    GalleryPlace place{static_cast<short>(5 + (i % 20) * 30), static_cast<short>(5 + (i / 20) * 16),
                       28, 14};
    controls.push_back({.className = classes[i % 3],
                        .text = "项",
                        .style = i % 3 == 2 ? PlainToolbar : 0u,
                        .place = place,
                        .id = static_cast<WORD>(1000 + i)});
  }
  DialogTemplate dialogTemplate = BuildGalleryTemplate(controls, "多控件");
  int buttons = 0, statics = 0, toolbars = 0;
  RunStyledDialog(dialogTemplate.Get(), [&](HWND dialog) {
    StyleRecord& record = StyleRecordList[FindStyleRecord(dialog)];
    buttons = record.buttons.Count();
    statics = record.statics.Count();
    toolbars = record.toolbars.Count();
  });
  EXPECT_EQ(buttons, 120);
  EXPECT_EQ(statics, 120);
  EXPECT_EQ(toolbars, 120);
}

// A dialog that paints in its own WM_PAINT, on itself and on a blank static child (as the
// system's colour and font dialogs do), keeps what it drew once styled.
INT_PTR CALLBACK SelfPaintingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT own{10, 60, 60, 100};
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dc, &own, green);
    DeleteObject(green);
    HWND swatch = GetDlgItem(dialog, 700);
    HDC child = GetDC(swatch);
    RECT all{0, 0, 40, 30};
    HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
    FillRect(child, &all, red);
    DeleteObject(red);
    ReleaseDC(swatch, child);
    EndPaint(dialog, &paint);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

TEST(SelfPaintingDialogs, KeepWhatTheirOwnProcedureDraws) {
  std::vector<GalleryControl> controls = {
      {.className = "Static", .style = SS_SIMPLE, .place = {80, 30, 30, 20}, .id = 700},
      {.className = "BUTTON", .text = "确定", .place = {80, 70, 40, 14}, .id = IDOK},
      // A group box over the area the dialog paints, as the font dialog's sample has.
      {.className = "BUTTON",
       .text = "示例",
       .style = BS_GROUPBOX,
       .place = {2, 22, 40, 40},
       .id = 701}};
  DialogTemplate dialogTemplate = BuildGalleryTemplate(controls, "自绘");
  Rgb own{}, swatch{};
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        PumpFor(300);
        own = PixelOf(dialog, 30, 80);
        swatch = PixelOf(GetDlgItem(dialog, 700), 10, 10);
      },
      SelfPaintingProc);
  EXPECT_EQ(own, (Rgb{0, 200, 0})) << "drawn on the dialog itself";
  EXPECT_EQ(swatch, (Rgb{220, 0, 0})) << "drawn on its blank static";
}

}  // namespace
