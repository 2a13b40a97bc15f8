// Push buttons: which buttons are taken over, the procedure's mouse and state messages, hover
// tracking through the record's hover slot, and the painter's looks.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "styling/buttons/buttons.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"
#include "styling/statics/statics.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

// "b0", "b1"...; built by appending: "b" + std::to_string trips GCC 12's -Wrestrict at -O2.
std::string ButtonText(size_t i) { return std::string("b").append(std::to_string(i)); }

const Rgb Accent{34, 202, 221};

ButtonRecord& EntryOf(StyledHost& host, HWND button) {
  return host.Record().buttons[static_cast<int>(ReadProperty(button, EntryIndexProperty))];
}

HWND StyledButton(StyledHost& host, const char* text = "ok", DWORD type = BS_PUSHBUTTON) {
  HWND button = host.AddChild("BUTTON", text, type, 20, 20, 100, 30);
  InstallPushButtons(host.StyleIndex(), host.window);
  UpdateWindow(button);
  return button;
}

bool IsDark(const Rgb& p) { return p.r < 70 && p.g < 70 && p.b < 70; }

TEST(PushButtons, OnlyPushButtonTypesAreTakenOverAndOnlyOnce) {
  StyledHost host;
  constexpr int SystemLook = -1;
  struct Case {
    DWORD type;
    int kind;  // after both button installers; the push-button one takes kind 0 only
  } cases[] = {{BS_PUSHBUTTON, PushButtonKind}, {BS_DEFPUSHBUTTON, PushButtonKind},
               {BS_USERBUTTON, PushButtonKind}, {BS_CHECKBOX, CheckBoxKind},
               {BS_AUTOCHECKBOX, CheckBoxKind}, {BS_RADIOBUTTON, RadioButtonKind},
               {BS_3STATE, CheckBoxKind},       {BS_AUTO3STATE, CheckBoxKind},
               {BS_GROUPBOX, GroupBoxKind},     {BS_AUTORADIOBUTTON, RadioButtonKind},
               {BS_OWNERDRAW, SystemLook},      {BS_GROUPBOX | BS_ICON, SystemLook}};
  HWND buttons[std::size(cases)];
  for (size_t i = 0; i < std::size(cases); ++i) {
    buttons[i] = host.AddChild("BUTTON", ButtonText(i).c_str(), cases[i].type, 5,
                               5 + 20 * static_cast<int>(i), 60, 18);
  }
  InstallPushButtons(host.StyleIndex(), host.window);
  InstallPushButtons(host.StyleIndex(), host.window);  // a second pass adds nothing
  StyleRecord& record = host.Record();
  ASSERT_EQ(record.buttons.Count(), 3);
  for (size_t i = 0; i < std::size(cases); ++i) {
    if (cases[i].kind != PushButtonKind) {
      EXPECT_EQ(GetPropA(buttons[i], ProcProperty), nullptr) << i;
    }
  }
  // The check-box installer takes what the push-button one left, once.
  InstallCheckBoxesAndRadioButtons(host.StyleIndex(), host.window);
  InstallCheckBoxesAndRadioButtons(host.StyleIndex(), host.window);
  ASSERT_EQ(record.buttons.Count(), 10);

  for (size_t i = 0; i < std::size(cases); ++i) {
    HWND button = buttons[i];
    LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (cases[i].kind == SystemLook) {
      EXPECT_EQ(GetPropA(button, ProcProperty), nullptr) << i;
      EXPECT_EQ(type, static_cast<LONG>(cases[i].type & BS_TYPEMASK)) << i;
      continue;
    }
    int entry = record.buttons.Find(button);
    ASSERT_NE(entry, 0) << i;
    EXPECT_EQ(ReadProperty(button, EntryIndexProperty), entry) << i;
    EXPECT_EQ(ReadProperty(button, StyleIndexProperty), host.StyleIndex()) << i;
    if (cases[i].kind == PushButtonKind) {
      EXPECT_EQ(type, BS_OWNERDRAW) << "the default-button type is not kept";
    } else {
      EXPECT_EQ(type, static_cast<LONG>(cases[i].type)) << "check boxes stay system-drawn";
    }
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(ButtonWindowProc));
    const ButtonRecord& own = record.buttons[entry];
    EXPECT_EQ(own.window, button);
    EXPECT_EQ(own.kind, cases[i].kind) << i;
    EXPECT_EQ(own.text, ButtonText(i));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(button, ProcProperty)), own.priorProc);
    EXPECT_NE(own.priorProc, nullptr);
  }
}

// A group box shows its etched border and caption; what it encloses is never painted over.
TEST(GroupBoxes, PaintTheirBorderAndLeaveTheirInsideAlone) {
  StyledHost host;
  HWND box = host.AddChild("BUTTON", "Group", BS_GROUPBOX, 10, 10, 120, 80);
  InstallCheckBoxesAndRadioButtons(host.StyleIndex(), host.window);
  Pump();
  HDC dc = GetDC(box);
  const RECT inside{20, 30, 100, 60};
  HBRUSH mark = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &inside, mark);  // what a control inside would show
  DeleteObject(mark);
  ReleaseDC(box, dc);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Snapshot shot = Capture(box);
  EXPECT_EQ(shot.At(50, 45), (Rgb{255, 0, 255})) << "the inside is left as it was";
  auto colour = [](int index) {
    COLORREF c = GetSysColor(index);
    return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
  };
  EXPECT_EQ(shot.At(0, 50), colour(COLOR_BTNSHADOW)) << "the etched edge, outer line";
  EXPECT_EQ(shot.At(1, 50), colour(COLOR_BTNHIGHLIGHT)) << "the etched edge, inner line";
  EXPECT_EQ(shot.At(118, 50), colour(COLOR_BTNSHADOW)) << "the right edge, inner line";
}

TEST(PushButtons, BecomingTheDefaultButtonKeepsItOwnerDrawn) {
  StyledHost host;
  HWND button = StyledButton(host);
  SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
}

TEST(PushButtons, NothingIsTakenOverWhileStylingIsOffAndTheFontIsCaptured) {
  StyledHost host;
  HWND plain = host.AddChild("BUTTON", "plain", BS_PUSHBUTTON, 5, 5, 60, 20);
  HWND text = host.AddChild("Static", "text", SS_LEFT, 5, 40, 60, 20);
  StylingEnabled = false;
  InstallPushButtons(host.StyleIndex(), host.window);
  InstallStatics(host.StyleIndex(), host.window, 6);
  StylingEnabled = true;
  EXPECT_EQ(GetPropA(plain, ProcProperty), nullptr);
  EXPECT_EQ(host.Record().buttons[1].window, nullptr) << "the blank entry is still blank";
  EXPECT_EQ(GetPropA(text, ProcProperty), nullptr);
  EXPECT_EQ(host.Record().statics[1].window, nullptr);

  HFONT font =
      CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  InstallPushButtons(host.StyleIndex(), host.window);
  const ButtonRecord& own = EntryOf(host, plain);
  EXPECT_FALSE(own.caption.Font().fontName.empty());
  EXPECT_EQ(own.caption.Font().fontSize, 16);
  EXPECT_EQ(own.caption.Font().fontStyle, 1) << "bold";
  DestroyWindow(plain);
  DeleteObject(font);
}

TEST(PushButtons, AHeldButtonKeepsItsPushedStateUntilReleased) {
  StyledHost host;
  HWND button = StyledButton(host);
  int id = GetDlgCtrlID(button);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(EntryOf(host, button).pressed, 1);
  ASSERT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_EQ(SendMessageA(button, BM_SETSTATE, FALSE, 0), 0);
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "un-highlight swallowed";

  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(EntryOf(host, button).pressed, 0);
  EXPECT_EQ(host.Record().hotIndex, 0);
  EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0], std::make_pair(id, BN_CLICKED));

  SendMessageA(button, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
  EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << "passed on again";
}

TEST(PushButtons, LosingTheCaptureWhileHeldEndsThePress) {
  StyledHost host;
  HWND button = StyledButton(host);
  HWND other = host.AddChild("Static", "", 0, 200, 200, 10, 10);
  struct Case {
    const char* how;
    void (*lose)(HWND button, HWND other);
  } cases[] = {
      {"another window takes the capture", [](HWND, HWND o) { SetCapture(o), ReleaseCapture(); }},
      {"WM_CANCELMODE", [](HWND b, HWND) { SendMessageA(b, WM_CANCELMODE, 0, 0); }},
  };
  for (const Case& c : cases) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << c.how;
    c.lose(button, other);
    EXPECT_EQ(EntryOf(host, button).pressed, 0) << c.how;
    EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) << c.how;
  }
}

TEST(PushButtons, ADoubleClickIsOneClick) {
  StyledHost host;
  HWND button = StyledButton(host);
  int id = GetDlgCtrlID(button);
  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10)), 0);
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  Pump();
  ASSERT_EQ(host.commands.size(), 1u);
  EXPECT_EQ(host.commands[0], std::make_pair(id, BN_CLICKED));
}

TEST(PushButtons, HoverRepaintsOnceOnEntryAndAgainAfterAnotherFamilyHadTheSlot) {
  StyledHost host(RGB(60, 60, 60));
  HWND button = StyledButton(host);
  StyleRecord& record = host.Record();
  const int edgeX = 0, edgeY = 15;  // on the left side of the outline
  auto mark = [&] {
    HDC dc = GetDC(button);
    SetPixel(dc, edgeX, edgeY, RGB(255, 0, 0));
    ReleaseDC(button, dc);
  };
  // Messages are sent, not pumped: the leave notice that the real pointer's absence causes
  // stays in the queue until the end.
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(PixelOf(button, edgeX, edgeY), Accent) << "the hover outline";
  EXPECT_EQ(record.hotIndex, 1);
  EXPECT_EQ(record.pointerIndex, 1);
  EXPECT_EQ(record.hotKind, HotButtons);

  mark();
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(40, 12));
  EXPECT_EQ(PixelOf(button, edgeX, edgeY), (Rgb{255, 0, 0})) << "no repaint within the button";

  record.hotKind = HotEdits;  // an edit control was painted in its hover look meanwhile
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(40, 12));
  EXPECT_EQ(PixelOf(button, edgeX, edgeY), Accent) << "back from another family";
  EXPECT_EQ(record.hotKind, HotButtons);

  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(record.hotIndex, 0);
  Rgb plain = PixelOf(button, edgeX, edgeY);
  EXPECT_FALSE(plain.Near(Accent, 40)) << "the plain outline after leaving";
  EXPECT_TRUE(plain.Near(Rgb{plain.r, plain.r, plain.r}, 3) && plain.r < 120) << "dark grey";
  Pump();
}

TEST(PushButtons, AHoveredButtonKeepsItsHoverLookWhenTheSystemRepaintsIt) {
  StyledHost host(RGB(60, 60, 60));
  HWND button = StyledButton(host);
  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(PixelOf(button, 0, 15), Accent);
  // The system's repaint asks the parent to draw it (WM_DRAWITEM), with no hover bit.
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(PixelOf(button, 0, 15), Accent);
  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  Pump();
}

TEST(PushButtons, DisabledLookIsFlatGreyWithAFaintBorderAndNoGloss) {
  StyledHost host(RGB(60, 60, 60));
  HWND button = StyledButton(host, "");
  Rgb enabledTop = PixelOf(button, 6, 4), enabledBottom = PixelOf(button, 6, 25);
  EXPECT_GT(enabledTop.r, enabledBottom.r + 5) << "the gloss lights the upper half";

  EnableWindow(button, FALSE);  // the system asks the host to draw it, disabled
  Pump();
  EXPECT_EQ(PixelOf(button, 6, 4), (Rgb{192, 192, 192}));
  EXPECT_EQ(PixelOf(button, 6, 25), (Rgb{192, 192, 192}));
  EXPECT_TRUE(PixelOf(button, 0, 15).Near(Rgb{132, 132, 132}, 6)) << "black 80 over the grey";
}

TEST(PushButtons, PressedAndFocusedLooks) {
  StyledHost host(RGB(60, 60, 60));
  HWND button = StyledButton(host, "");
  RepaintButton(button, 0, false);
  Rgb face = PixelOf(button, 6, 15);
  EXPECT_TRUE(face.Near(Rgb{face.r, face.r, face.r}, 2)) << "a grey face at rest";

  RepaintButton(button, ButtonSelected, false);
  Rgb pressed = PixelOf(button, 6, 15);
  EXPECT_GT(pressed.b, pressed.r + 8) << "the accent tint while held";

  RepaintButton(button, ButtonFocused, false);
  Rgb glow = PixelOf(button, 0, 15);
  EXPECT_GT(glow.g, glow.r + 20) << "the cyan focus glow";
  EXPECT_GT(glow.b, glow.r + 20);
}

TEST(PushButtons, CaptionIsBlackWithoutAColourPropertyAndFollowsLaterText) {
  StyledHost host(RGB(220, 220, 220));
  HWND button = StyledButton(host, "WWWW");
  RepaintButton(button, 0, false);
  EXPECT_GT(Capture(button).Count(IsDark), 10) << "black caption";

  SetPropA(button, TextColourProperty, reinterpret_cast<HANDLE>(RGB(255, 0, 0)));
  RepaintButton(button, 0, false);
  Snapshot red = Capture(button);
  EXPECT_GT(red.Count([](const Rgb& p) { return p.r > 180 && p.g < 100 && p.b < 100; }), 10);
  EXPECT_EQ(red.Count(IsDark), 0);
  RemovePropA(button, TextColourProperty);

  SetWindowTextA(button, "");
  EXPECT_EQ(EntryOf(host, button).text, "");
  Pump();
  EXPECT_EQ(Capture(button).Count(IsDark), 0) << "repainted without a caption";
  SetWindowTextA(button, "MMMM");
  EXPECT_EQ(EntryOf(host, button).text, "MMMM");
  Pump();
  EXPECT_GT(Capture(button).Count(IsDark), 10) << "the new caption is drawn";
}

TEST(PushButtons, MnemonicMarksAreNotDrawn) {
  StyledHost host(RGB(220, 220, 220));
  HWND button = StyledButton(host, "&W&&");
  AnswerUiState(button, UISF_HIDEACCEL);  // as the system draws it with accelerators hidden
  RepaintButton(button, 0, false);
  Snapshot marked = Capture(button);
  SetWindowTextA(button, "W&&");
  RepaintButton(button, 0, false);
  Snapshot plain = Capture(button);
  EXPECT_GT(plain.Count(IsDark), 10);
  EXPECT_TRUE(marked.pixels == plain.pixels) << "\"&W&&\" is drawn as \"W&&\" is";
}

// A caption's layout is kept with its control between paints: every input that changes (its
// text, its font, its size, the cue state) shows at once, as a control made that way shows it.
// A font set with redraw shows with nothing else sent.
struct CaptionChange {
  const char* what;
  const char* className;
  DWORD style;
  const char* text;  // before the change
  std::function<void(HWND)> change;
  bool redrawsItself = false;
  HFONT font = nullptr;  // before the change
};

Snapshot StyledCaption(const CaptionChange& row, bool changeFirst) {
  StyledHost host(RGB(220, 220, 220));
  HWND control = host.AddChild(row.className, row.text, row.style, 10, 10, 120, 40);
  if (row.font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(row.font), FALSE);
  AnswerUiState(control, UISF_HIDEACCEL);
  if (changeFirst) row.change(control);
  InstallPushButtons(host.StyleIndex(), host.window);
  InstallCheckBoxesAndRadioButtons(host.StyleIndex(), host.window);
  InstallStatics(host.StyleIndex(), host.window, 0);  // both made at the same size
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  if (!changeFirst) {
    row.change(control);
    if (!row.redrawsItself) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  Pump();
  return Capture(control);
}

TEST(Captions, AKeptLayoutIsNeverStale) {
  static HFONT large =
      CreateFontA(-17, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  // Alike in face, size and style, unlike in width: measured apart, so never one look.
  static HFONT regular =
      CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  static HFONT wide =
      CreateFontA(-12, 9, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
  auto font = [](HWND c) { SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE); };
  auto widen = [](HWND c) { SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(wide), TRUE); };
  auto text = [](HWND c) { SetWindowTextA(c, "WWW WWW"); };
  auto narrow = [](HWND c) { SetWindowPos(c, nullptr, 0, 0, 46, 40, SWP_NOMOVE | SWP_NOZORDER); };
  auto cues = [](HWND c) {
    AnswerUiState(c, 0);
    SendMessageA(c, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  };
  const CaptionChange rows[] = {
      {"push button text", "BUTTON", BS_PUSHBUTTON, "MM", text},
      {"push button font", "BUTTON", BS_PUSHBUTTON, "MM", font, true},
      {"push button cues", "BUTTON", BS_PUSHBUTTON, "&MM", cues},
      {"check box text", "BUTTON", BS_AUTOCHECKBOX, "MM", text},
      {"check box font", "BUTTON", BS_AUTOCHECKBOX, "MM", font, true},
      {"check box cues", "BUTTON", BS_AUTOCHECKBOX, "&MM", cues},
      {"static text", "Static", SS_LEFT, "MM", text},
      {"static font", "Static", SS_LEFT, "MM", font, true},
      {"static font width", "Static", SS_CENTER, "MM", widen, true, regular},
      {"push button font width", "BUTTON", BS_PUSHBUTTON, "MM", widen, true, regular},
      {"static size", "Static", SS_LEFT, "MMM MMM MMM", narrow},
      {"static cues", "Static", SS_LEFT, "&MM", cues},
  };
  for (const CaptionChange& row : rows) {
    Snapshot changed = StyledCaption(row, false);
    Snapshot madeSo = StyledCaption(row, true);
    EXPECT_GT(madeSo.Count(IsDark), 10) << row.what;
    EXPECT_TRUE(changed.pixels == madeSo.pixels) << row.what;
  }
}

}  // namespace
