// Check boxes and radio buttons in a styled dialog: which buttons are taken over, their looks in
// pixels, and that no message on which the system draws leaves the system look on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "gallery/gallery_table.h"
#include "styling/buttons/buttons.h"
#include "styling/buttons/check_looks.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

// Readable colours in failure messages.
void PrintTo(const Rgb& p, std::ostream* out) {
  *out << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

namespace {

constexpr int SystemLook = -1;
constexpr UINT Checked = BST_CHECKED;

struct Row {
  DWORD type;
  int kind;  // what the router made of it
  UINT check = BST_UNCHECKED;
};
const Row Rows[] = {{BS_CHECKBOX, CheckBoxKind, Checked},
                    {BS_AUTOCHECKBOX, CheckBoxKind},
                    {BS_PUSHBOX, CheckBoxKind},
                    {BS_AUTORADIOBUTTON | WS_GROUP, RadioButtonKind, Checked},
                    {BS_AUTORADIOBUTTON, RadioButtonKind},
                    {BS_RADIOBUTTON | WS_GROUP, SystemLook, Checked},
                    {BS_3STATE, SystemLook, BST_INDETERMINATE},
                    {BS_AUTO3STATE, SystemLook},
                    {BS_GROUPBOX, SystemLook},
                    {BS_OWNERDRAW, SystemLook},
                    {BS_PUSHBUTTON, PushButtonKind}};
constexpr WORD FirstId = 201;
// The buttons the cases below use: the automatic check box and the second automatic radio
// button (both unchecked at first), and the first check box to take the focus away.
constexpr WORD CheckBoxId = FirstId + 1, RadioId = FirstId + 4, NeighbourId = FirstId;

std::vector<GalleryControl> TestControls() {
  std::vector<GalleryControl> controls;
  short y = 4;
  for (const Row& row : Rows) {
    WORD id = static_cast<WORD>(FirstId + controls.size());
    GalleryControl control{.className = "BUTTON", .text = "WWWW", .style = row.type | WS_TABSTOP};
    control.place = {4, y, 90, 12};
    control.id = id;
    if (row.check) control.setup = {{.message = BM_SETCHECK, .wParam = row.check}};
    controls.push_back(control);
    y = static_cast<short>(y + 14);
  }
  return controls;
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) FillGalleryControls(dialog, TestControls());
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDOK)) {
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

void WithDialog(const std::function<void(HWND dialog)>& test) {
  DialogTemplate dialogTemplate = BuildGalleryTemplate(TestControls(), "checks");
  bool ran = false;
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        ran = true;
        test(dialog);
      },
      TestDialogProc, 20000);
  EXPECT_TRUE(ran) << "the dialog was shown and painted";
}

UINT HoverState(HWND button) {
  StyleRecord* record = RecordOfControl(button);
  return record && record->hotIndex == ReadProperty(button, EntryIndexProperty) ? ButtonHover : 0;
}

// The styled look painted afresh, as the screen must show it after any message.
Snapshot FreshLook(HWND button) {
  RepaintButton(button, HoverState(button), false);
  return Capture(button);
}

bool IsDark(const Rgb& p) { return p.r < 50 && p.g < 50 && p.b < 50; }
bool IsCyan(const Rgb& p) { return p.g > p.r + 25 && p.b > p.r + 25; }
bool IsGreen(const Rgb& p) { return p.g > p.r + 40 && p.g > p.b + 40; }

TEST(ChecksAndRadios, AutomaticTypesAreTakenOverOnceAndStaySystemDrawn) {
  WithDialog([](HWND dialog) {
    StyleRecord& record = *RecordAt(FindStyleRecord(dialog));
    int count = record.buttons.Count();
    InstallCheckBoxesAndRadioButtons(FindStyleRecord(dialog), dialog);  // a second pass
    EXPECT_EQ(record.buttons.Count(), count) << "adds nothing";
    for (size_t i = 0; i < std::size(Rows); ++i) {
      HWND button = GetDlgItem(dialog, static_cast<int>(FirstId + i));
      int entry = record.buttons.Find(button);
      if (Rows[i].kind == SystemLook) {
        EXPECT_EQ(entry, 0) << i;
        EXPECT_EQ(GetPropA(button, ProcProperty), nullptr) << i;
        continue;
      }
      ASSERT_NE(entry, 0) << i;
      const ButtonRecord& own = record.buttons[entry];
      EXPECT_EQ(own.kind, Rows[i].kind) << i;
      if (own.kind == PushButtonKind) continue;
      EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK,
                static_cast<LONG>(Rows[i].type & BS_TYPEMASK))
          << i << ": not made owner-drawn";
      EXPECT_EQ(own.checked, Rows[i].check == Checked ? 1 : 0) << i;
      EXPECT_EQ(own.parent, dialog) << i;
      EXPECT_EQ(own.text, "WWWW") << i;
      EXPECT_FALSE(own.fontName.empty()) << i;
    }
  });
}

// Pixels of the looks, by the box's place: the box at (3, by), 12 x 12, by = (height - 12) / 2,
// with the tick's darkest pixel at (8, by + 7); the circle at (2, by), its dot centred on
// (8, by + 6) with a white centre: (6, by + 6) is well into its accent colour.
TEST(ChecksAndRadios, LooksInPixels) {
  WithDialog([](HWND dialog) {
    for (WORD id : {CheckBoxId, RadioId}) {
      HWND button = GetDlgItem(dialog, id);
      const bool radio = id == RadioId;
      RECT client{};
      GetClientRect(button, &client);
      const int by = (client.bottom - 12) / 2, mx = radio ? 6 : 8, my = by + (radio ? 6 : 7);
      SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
      Snapshot plain = FreshLook(button);
      SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
      Snapshot checked = FreshLook(button);
      RepaintButton(button, 0, true);
      Snapshot hover = Capture(button);
      EnableWindow(button, FALSE);
      Snapshot disabled = Capture(button);
      EnableWindow(button, TRUE);

      EXPECT_GT(plain.At(mx, by + 10).r, 200) << id << ": a light box or circle";
      EXPECT_TRUE(IsDark(plain.At(radio ? 2 : 3, by + 6))) << id << ": its dark outline";
      EXPECT_TRUE(radio ? IsCyan(checked.At(mx, my)) : IsGreen(checked.At(mx, my)))
          << id << ": the dot or the tick";
      if (!radio) {
        // Around the tick its image is transparent: the box shows through, not black.
        EXPECT_EQ(checked.At(3 + 2, by + 2), plain.At(3 + 2, by + 2));
        EXPECT_EQ(checked.At(3 + 9, by + 10), plain.At(3 + 9, by + 10));
      }
      const int ringX = radio ? 1 : 2;
      EXPECT_TRUE(IsCyan(hover.At(ringX, by + 6))) << id << ": the glow ring";
      EXPECT_FALSE(IsCyan(checked.At(ringX, by + 6))) << id << ": no ring without hover";
      EXPECT_EQ(disabled.At(mx, by + 6), (Rgb{192, 192, 192})) << id << ": a grey panel, no box";
      EXPECT_GT(disabled.Count(IsDark), 10) << id << ": the caption stays";
      EXPECT_LT(disabled.At(disabled.width - 1, by + 6).r, 150) << id << ": the right border";
      int captionLeft = radio ? 18 : 20;
      for (int y = 0; y < plain.height; ++y) {
        for (int x = 16; x < captionLeft; ++x)
          EXPECT_FALSE(IsDark(plain.At(x, y))) << x << "," << y;
      }
    }
  });
}

TEST(ChecksAndRadios, TheMarkFollowsTheAccentColour) {
  WithDialog([](HWND dialog) {
    HWND button = GetDlgItem(dialog, CheckBoxId);
    RECT client{};
    GetClientRect(button, &client);
    const int by = (client.bottom - 12) / 2;
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    COLORREF accent = AccentColour;
    AccentColour = RGB(255, 0, 0);
    Rgb red = FreshLook(button).At(3 + 5, by + 7);
    AccentColour = accent;
    Rgb usual = FreshLook(button).At(3 + 5, by + 7);
    EXPECT_TRUE(red.r > red.g + 40 && red.r > red.b + 40) << "made again for the new colour";
    EXPECT_TRUE(IsGreen(usual)) << "and again for the old one";
  });
}

// Each step makes the system's button code draw (directly, under Wine, on every one of them
// but the keyboard-cue change); right after it the screen must show the styled look.
struct Step {
  const char* name;
  std::function<void(HWND button, HWND neighbour)> run;
};
const Step Steps[] = {
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
       SendMessageA(b, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
     }}};

TEST(ChecksAndRadios, NoMessageLeavesTheSystemLookOnScreen) {
  WithDialog([](HWND dialog) {
    HWND neighbour = GetDlgItem(dialog, NeighbourId);
    for (WORD id : {CheckBoxId, RadioId}) {
      HWND button = GetDlgItem(dialog, id);
      // The test has teeth: the system's own procedure does draw its look over the styled one.
      Snapshot styled = FreshLook(button);
      CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(button, ProcProperty)), button, WM_SETTEXT,
                      0, reinterpret_cast<LPARAM>("WWWW"));
      EXPECT_FALSE(Capture(button).pixels == styled.pixels) << id;
      for (const Step& step : Steps) {
        step.run(button, neighbour);
        Snapshot shown = Capture(button);
        EXPECT_TRUE(shown.pixels == FreshLook(button).pixels) << id << " after " << step.name;
      }
    }
  });
}

// A double click on a check box is two clicks, as in the system's own look: two toggles.
TEST(ChecksAndRadios, ADoubleClickTogglesACheckBoxTwice) {
  WithDialog([](HWND dialog) {
    HWND button = GetDlgItem(dialog, CheckBoxId);
    LRESULT before = SendMessageA(button, BM_GETCHECK, 0, 0);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}) {
      SendMessageA(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, 0x50005);
    }
    EXPECT_NE(SendMessageA(button, BM_GETCHECK, 0, 0), before) << "toggled once so far";
    SendMessageA(button, WM_LBUTTONUP, 0, 0x50005);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), before) << "and back";
  });
}

}  // namespace
