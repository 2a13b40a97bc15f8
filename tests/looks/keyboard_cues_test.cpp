// Keyboard cues in the styled gallery: every focusable family shows its focus while the focus
// cues are on, the new focus looks vanish while they are off, and captions underline their access
// key only while accelerators are shown.
//
// Wine keeps no UI state: WM_QUERYUISTATE answers 0 (every cue shown) whatever WM_UPDATEUISTATE
// said, and its own controls always underline. The test answers WM_QUERYUISTATE for a control as
// Windows does (AnswerUiState) and sends WM_UPDATEUISTATE as the system does when the cues
// change.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "gallery/gallery_table.h"
#include "gallery/gallery_toolbars.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

// The cues of the control's window change; the system tells every child with WM_UPDATEUISTATE.
void SetCues(HWND control, WORD hidden) {
  AnswerUiState(control, hidden);
  SendMessageA(control, WM_UPDATEUISTATE,
               MAKEWPARAM(hidden ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  Pump();
}

bool Same(const Snapshot& a, const Snapshot& b) { return a.pixels == b.pixels; }

void WithGallery(const std::function<void(HWND dialog)>& test) {
  RegisterGalleryControlClasses();
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  bool ran = false;
  RunStyledDialog(
      dialogTemplate.Get(), [&](HWND dialog) { ran = (test(dialog), true); }, GalleryDialogProc,
      30000);
  EXPECT_TRUE(ran);
}

struct FocusRow {
  const char* family;
  int id;
  bool newLook;  // a focus look of its own that the cues hide
};
const FocusRow FocusRows[] = {{"check box", 202, true},    {"radio button", 211, true},
                              {"track bar", 501, true},    {"toolbar", ListToolbarId, true},
                              {"push button", 101, false}, {"edit", 302, false},
                              {"combo box", 310, false},   {"list box", 401, false}};
constexpr int ElsewhereId = 303;  // a read-only edit takes the focus away

// Focused (with the keyboard on its first button, for a toolbar) or not, as on screen now.
Snapshot LookWithFocus(HWND dialog, HWND control, bool focused) {
  SetFocus(focused ? control : GetDlgItem(dialog, ElsewhereId));
  if (GetDlgCtrlID(control) == ListToolbarId) SendMessageA(control, TB_SETHOTITEM, 0, 0);
  Pump();
  return Capture(control, true);
}

TEST(KeyboardCues, FocusShowsWhileTheFocusCuesAreOn) {
  WithGallery([](HWND dialog) {
    for (const FocusRow& row : FocusRows) {
      HWND control = GetDlgItem(dialog, row.id);
      SetCues(control, UISF_HIDEFOCUS | UISF_HIDEACCEL);
      Snapshot hiddenOff = LookWithFocus(dialog, control, false);
      Snapshot hiddenOn = LookWithFocus(dialog, control, true);
      SetCues(control, 0);
      Snapshot shownOn = Capture(control, true);  // WM_UPDATEUISTATE alone repainted it
      Snapshot shownOff = LookWithFocus(dialog, control, false);
      EXPECT_FALSE(Same(shownOn, shownOff)) << row.family << ": the focus shows";
      EXPECT_TRUE(Same(shownOn, LookWithFocus(dialog, control, true))) << row.family;
      if (row.newLook) {
        EXPECT_TRUE(Same(hiddenOn, hiddenOff)) << row.family << ": cues off";
      }
    }
  });
}

struct CaptionRow {
  int id;
  bool accessKey;
};
// "保存(&S)", "记住密码(&R)", "R&&D(&D)", "列表布局(&L)"; "普通按钮", "未选中的复选框".
const CaptionRow CaptionRows[] = {{120, true},           {121, true},  {122, true},
                                  {ListToolbarId, true}, {101, false}, {202, false}};

Snapshot LookWithAccelerators(HWND control, bool shown) {
  SetCues(control, shown ? 0 : UISF_HIDEACCEL | UISF_HIDEFOCUS);
  return Capture(control, true);
}

TEST(KeyboardCues, AccessKeysAreUnderlinedWhileAcceleratorsShow) {
  WithGallery([](HWND dialog) {
    SetFocus(GetDlgItem(dialog, ElsewhereId));
    for (const CaptionRow& row : CaptionRows) {
      HWND control = GetDlgItem(dialog, row.id);
      Snapshot hidden = LookWithAccelerators(control, false);
      EXPECT_NE(Same(LookWithAccelerators(control, true), hidden), row.accessKey) << row.id;
    }
  });
}

}  // namespace
