// Check boxes and radio buttons in a styled dialog: which buttons are taken over, their looks in
// pixels, and that no message on which the system draws leaves the system look on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "gallery/gallery_table.h"
#include "styling/buttons/buttons.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

constexpr int SystemLook = -1;
struct Row {
  DWORD type;
  int kind;  // what the router makes of it
  UINT check = BST_UNCHECKED;
};
const Row Rows[] = {{BS_CHECKBOX, CheckBoxKind, BST_CHECKED},
                    {BS_AUTOCHECKBOX, CheckBoxKind},
                    {BS_PUSHBOX, CheckBoxKind},
                    {BS_AUTORADIOBUTTON | WS_GROUP, RadioButtonKind, BST_CHECKED},
                    {BS_AUTORADIOBUTTON, RadioButtonKind},
                    {BS_RADIOBUTTON | WS_GROUP, RadioButtonKind, BST_CHECKED},
                    {BS_3STATE, CheckBoxKind, BST_INDETERMINATE},
                    {BS_AUTO3STATE, CheckBoxKind},
                    {BS_GROUPBOX, GroupBoxKind},
                    {BS_OWNERDRAW, SystemLook},
                    {BS_PUSHBUTTON, PushButtonKind}};
// The rows the looks are tried on (unchecked automatic ones), and one to take the focus.
constexpr int FirstId = 201, CheckBoxId = 202, RadioId = 205, NeighbourId = 201;

std::vector<GalleryControl> TestControls() {
  std::vector<GalleryControl> controls;
  for (const Row& row : Rows) {
    int i = static_cast<int>(controls.size());
    controls.push_back({.className = "BUTTON", .text = "WWWW", .style = row.type | WS_TABSTOP});
    controls.back().place = {4, static_cast<short>(4 + 14 * i), 90, 12};
    controls.back().id = static_cast<WORD>(FirstId + i);
    if (row.check) controls.back().setup = {{.message = BM_SETCHECK, .wParam = row.check}};
  }
  return controls;
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  bool ending = message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDOK);
  if (message == WM_INITDIALOG) FillGalleryControls(dialog, TestControls());
  if (ending) EndDialog(dialog, IDOK);
  return message == WM_INITDIALOG || ending;
}

void WithDialog(const std::function<void(HWND dialog)>& test) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate(TestControls(), "checks");
  bool ran = false;
  auto run = [&](HWND dialog) { ran = (test(dialog), true); };
  RunStyledDialog(dialogTemplate.Get(), run, TestDialogProc, 20000);
  EXPECT_TRUE(ran) << "the dialog was shown and painted";
}

// The styled look painted afresh, as the screen must show it after any message.
Snapshot FreshLook(HWND button) {
  StyleRecord* record = RecordOfControl(button);
  RepaintButton(button, 0, record->hotIndex == ReadProperty(button, EntryIndexProperty));
  return Capture(button);
}

bool IsDark(const Rgb& p) { return p.r < 50 && p.g < 50 && p.b < 50; }
bool IsCyan(const Rgb& p) { return p.g > p.r + 25 && p.b > p.r + 25; }
bool IsGreen(const Rgb& p) { return p.g > p.r + 40 && p.g > p.b + 40; }

TEST(ChecksAndRadios, AutomaticTypesAreTakenOverAndStaySystemDrawn) {
  WithDialog([](HWND dialog) {
    StyleRecord& record = *RecordOfControl(GetDlgItem(dialog, FirstId));
    for (int i = 0; i < static_cast<int>(std::size(Rows)); ++i) {
      HWND button = GetDlgItem(dialog, FirstId + i);
      const ButtonRecord* own = record.buttons.At(record.buttons.Find(button));
      ASSERT_EQ(own ? own->kind : SystemLook, Rows[i].kind) << i;
      if (!own || own->kind == PushButtonKind) continue;
      EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK,
                static_cast<LONG>(Rows[i].type & BS_TYPEMASK))
          << i << ": not made owner-drawn";
      EXPECT_EQ(own->checked, Rows[i].check == BST_CHECKED ? 1 : 0) << i;
      EXPECT_EQ(own->parent, dialog) << i;
      EXPECT_FALSE(own->caption.Font().fontName.empty()) << i;
    }
  });
}

// The box lies at (3, by), 12 x 12, by = (height - 12) / 2, the tick's darkest pixel at
// (8, by + 7); the circle at (2, by), its dot's white centre at (8, by + 6), accent around it.
TEST(ChecksAndRadios, LooksInPixels) {
  WithDialog([](HWND dialog) {
    for (int id : {CheckBoxId, RadioId}) {
      HWND button = GetDlgItem(dialog, id);
      const bool radio = id == RadioId;
      RECT client{};
      GetClientRect(button, &client);
      const int by = (client.bottom - 12) / 2, mx = radio ? 6 : 8, my = by + (radio ? 6 : 7);
      Snapshot plain = FreshLook(button);
      SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
      Snapshot checked = Capture(button);
      RepaintButton(button, 0, true);
      Snapshot hover = Capture(button);
      EnableWindow(button, FALSE);
      Snapshot disabled = Capture(button);
      EnableWindow(button, TRUE);
      COLORREF accent = std::exchange(AccentColour, RGB(255, 0, 0));
      Rgb red = FreshLook(button).At(mx, my);  // the tick is made again for another accent
      AccentColour = accent;
      SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);

      EXPECT_GT(plain.At(mx, by + 10).r, 200) << id << ": a light box or circle";
      EXPECT_TRUE(IsDark(plain.At(radio ? 2 : 3, by + 6))) << id << ": its dark outline";
      EXPECT_TRUE(radio ? IsCyan(checked.At(mx, my)) : IsGreen(checked.At(mx, my))) << id;
      EXPECT_TRUE(red.r > red.g + 40 && red.r > red.b + 40) << id << ": the accent's tint";
      // Around the tick its image is transparent: the box shows through, not black.
      if (!radio) {
        EXPECT_EQ(checked.At(5, by + 2), plain.At(5, by + 2));
        EXPECT_EQ(checked.At(12, by + 10), plain.At(12, by + 10));
      }
      const int ringX = radio ? 1 : 2;
      EXPECT_TRUE(IsCyan(hover.At(ringX, by + 6))) << id << ": the glow ring";
      EXPECT_FALSE(IsCyan(checked.At(ringX, by + 6))) << id << ": no ring without hover";
      // Disabled and checked: the mark stays, grey, in a pale box on the grey panel.
      EXPECT_EQ(disabled.At(mx, by + 6), radio ? (Rgb{112, 112, 112}) : (Rgb{232, 232, 232}))
          << id << ": the greyed dot, or the pale box beside the greyed tick";
      int markPixels = 0;
      for (int y = by; y < by + 12; ++y) {
        for (int x = 3; x < 15; ++x) markPixels += disabled.At(x, y).Near(Rgb{112, 112, 112}, 30);
      }
      EXPECT_GT(markPixels, 6) << id << ": the greyed mark";
      EXPECT_EQ(disabled.At(disabled.width - 4, by + 6), (Rgb{192, 192, 192})) << id << ": panel";
      EXPECT_LT(disabled.At(disabled.width - 1, by + 6).r, 150) << id << ": its right border";
      const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
      const Rgb greyText{GetRValue(grey), GetGValue(grey), GetBValue(grey)};
      EXPECT_GT(disabled.Count([&](const Rgb& p) { return p.Near(greyText, 24); }), 10)
          << id << ": the caption stays, in the system's grey";
      EXPECT_EQ(disabled.Count(IsDark), 0) << id << ": nothing black";
      for (int x = 16; x < (radio ? 18 : 20); ++x) {
        for (int y = 0; y < plain.height; ++y) EXPECT_FALSE(IsDark(plain.At(x, y))) << "caption";
      }
    }
  });
}

// Each step makes the system's button code draw (under Wine straight to the screen on all but
// the keyboard cues); right after it the screen must show the styled look.
const std::pair<const char*, std::function<void(HWND button, HWND neighbour)>> Steps[] = {
    {"focus", [](HWND b, HWND) { SetFocus(b); }},
    {"focus lost", [](HWND, HWND n) { SetFocus(n); }},
    {"disabled", [](HWND b, HWND) { EnableWindow(b, FALSE); }},
    {"enabled", [](HWND b, HWND) { EnableWindow(b, TRUE); }},
    {"caption", [](HWND b, HWND) { SetWindowTextA(b, "MMMM"); }},
    {"checked", [](HWND b, HWND) { SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0); }},
    {"unchecked", [](HWND b, HWND) { SendMessageA(b, BM_SETCHECK, BST_UNCHECKED, 0); }},
    {"pushed", [](HWND b, HWND) { SendMessageA(b, BM_SETSTATE, TRUE, 0); }},
    {"released", [](HWND b, HWND) { SendMessageA(b, BM_SETSTATE, FALSE, 0); }},
    {"mouse down", [](HWND b, HWND) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, 0x50005); }},
    {"mouse up", [](HWND b, HWND) { SendMessageA(b, WM_LBUTTONUP, 0, 0x50005); }},
    {"second press", [](HWND b, HWND) { SendMessageA(b, WM_LBUTTONDBLCLK, MK_LBUTTON, 0x50005); }},
    {"second release", [](HWND b, HWND) { SendMessageA(b, WM_LBUTTONUP, 0, 0x50005); }},
    {"space down", [](HWND b, HWND) { SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0); }},
    {"space up", [](HWND b, HWND) { SendMessageA(b, WM_KEYUP, VK_SPACE, 0); }},
    {"cues", [](HWND b, HWND) {
       SendMessageA(b, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
     }}};

TEST(ChecksAndRadios, NoMessageLeavesTheSystemLookOnScreen) {
  WithDialog([](HWND dialog) {
    for (int id : {CheckBoxId, RadioId}) {
      HWND button = GetDlgItem(dialog, id);
      // The test has teeth: the system's own procedure does draw its look over the styled one.
      Snapshot styled = FreshLook(button);
      CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(button, ProcProperty)), button, WM_SETTEXT,
                      0, reinterpret_cast<LPARAM>("WWWW"));
      EXPECT_FALSE(Capture(button).pixels == styled.pixels) << id;
      LRESULT check = SendMessageA(button, BM_GETCHECK, 0, 0);
      for (const auto& [name, step] : Steps) {
        step(button, GetDlgItem(dialog, NeighbourId));
        Snapshot shown = Capture(button);
        EXPECT_TRUE(shown.pixels == FreshLook(button).pixels) << id << " after " << name;
      }
      // Both clicks and the space key toggled the check box: a double click is two clicks.
      if (id == CheckBoxId) {
        EXPECT_NE(SendMessageA(button, BM_GETCHECK, 0, 0), check);
      }
    }
  });
}

}  // namespace
