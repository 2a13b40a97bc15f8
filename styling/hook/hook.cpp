#include "styling/hook/hook.h"

#include <cstring>

#include "resources/images/images.h"
#include "styling/buttons/buttons.h"
#include "styling/edits/edits.h"
#include "styling/frame/frame.h"
#include "styling/headers/headers.h"
#include "styling/lists/lists.h"
#include "styling/records/records.h"
#include "styling/statics/statics.h"
#include "styling/toolbars/toolbars.h"
#include "styling/trackbars/trackbars.h"
#include "styling/updowns/updowns.h"

HHOOK StyleHookHandle = nullptr;

namespace {

constexpr int ExtraWidth = 6;  // room the frame adds beside the system's layout
constexpr int CaptionButtonWidth = 36;
constexpr int CaptionButtonHeight = 22;

RECT WindowRectAtOrigin(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  return rect;
}

void Widen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MoveWindow(window, rect.left, rect.top, rect.right - rect.left + ExtraWidth,
             rect.bottom - rect.top, TRUE);
}

CaptionButton CloseButton() {
  CaptionButton button;
  button.imageWidth = 38;
  button.imageHeight = 18;
  button.image = CloseGlyphImage.Copy();
  return button;
}

constexpr int StaticExtraWidth = 6;  // text statics grow by as much as the box did

// The families' installers, in routing order, each over the dialog's direct children.
void InstallControlFamilies(int styleIndex, HWND dialog) {
  // Push buttons, check boxes and radio buttons, edits, track bars, progress bars, list-type
  // controls, up-down controls, headers, statics (extra width 6), toolbars: each family adds
  // its installer call here as it is built.
  InstallPushButtons(styleIndex, dialog);
  InstallCheckBoxesAndRadioButtons(styleIndex, dialog);
  InstallEditControls(styleIndex, dialog);
  InstallTrackBars(styleIndex, dialog);
  InstallProgressBars(styleIndex, dialog);
  InstallListControls(styleIndex, dialog);
  InstallUpDowns(styleIndex, dialog);
  InstallHeaders(styleIndex, dialog);
  InstallStatics(styleIndex, dialog, StaticExtraWidth);
  InstallToolbars(styleIndex, dialog);
}

// The hook of one styled call: its window's activation removes it; a call that made no window
// (or none that was activated) removes it on return, so that the thread's next plain dialog is
// not taken over. A hook found waiting belongs to an outer call whose window has not been
// activated yet (a box shown from a dialog's WM_INITDIALOG): it is put back for that window.
class StyleHookScope {
 public:
  StyleHookScope() : outerWaiting_(StyleHookHandle != nullptr) { InstallStyleHook(); }
  ~StyleHookScope() {
    RemoveStyleHook();
    if (outerWaiting_) InstallStyleHook();
  }
  StyleHookScope(const StyleHookScope&) = delete;
  StyleHookScope& operator=(const StyleHookScope&) = delete;

 private:
  bool outerWaiting_;
};

}  // namespace

int StyledMessageBox(HWND owner, const char* text, UINT type, const char* caption) {
  StyleHookScope hook;
  return MessageBoxExA(owner, text, caption, type, 0) - 1;
}

INT_PTR StyledDialogBox(HWND owner, const DLGTEMPLATE* dialogTemplate, DLGPROC dialogProc,
                        LPARAM parameter) {
  if (!dialogTemplate) return -1;
  StyleHookScope hook;
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, owner, dialogProc,
                                 parameter);
}

void InstallStyleHook() {
  RemoveStyleHook();  // one hook at a time
  StyleHookHandle = SetWindowsHookExA(WH_CBT, StyleHook, nullptr, GetCurrentThreadId());
}

void RemoveStyleHook() {
  if (!StyleHookHandle) return;
  UnhookWindowsHookEx(StyleHookHandle);
  StyleHookHandle = nullptr;
}

LRESULT CALLBACK StyleHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[255] = "";
    GetClassNameA(window, className, sizeof className);
    // The property makes the takeover happen once, however often the dialog is activated.
    if (std::strcmp(className, "#32770") == 0 && !GetPropA(window, ProcProperty)) {
      RouteDialog(window);
    }
  }
  return CallNextHookEx(StyleHookHandle, code, wParam, lParam);
}

void RouteDialog(HWND window) {
  if (!IsWindow(window) || FindStyleRecord(window)) return;
  StyleRecord record;
  record.window = window;
  Widen(window);
  ApplyRoundedRegion(window);
  record.captionButtons.Append(CloseButton());
  SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_SYSMENU);
  MakeLayered(window, false);
  // Invisible until the frame's fade-in raises the opacity.
  SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  int styleIndex = StyleRecordList.Append(std::move(record));
  LayoutCaptionButtons(styleIndex);
  InstallControlFamilies(styleIndex, window);
  SubclassWindow(window, FrameWndProc);
  WriteProperty(window, EntryIndexProperty, styleIndex);
}

void MakeLayered(HWND window, bool mouseTransparent) {
  LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED;
  if (mouseTransparent) exStyle |= WS_EX_TRANSPARENT;
  SetWindowLongA(window, GWL_EXSTYLE, exStyle);
}

void LayoutCaptionButtons(int styleIndex) {
  StyleRecord* record = RecordAt(styleIndex);
  if (!record) return;
  RECT rect = WindowRectAtOrigin(record->window);
  record->captionButtonsLeft = rect.right - CaptionButtonWidth;
  for (int i = 1; i <= record->captionButtons.Count(); ++i) {
    record->captionButtons[i].bounds =
        RectF{static_cast<float>(record->captionButtonsLeft), 0.0f,
              static_cast<float>(CaptionButtonWidth), static_cast<float>(CaptionButtonHeight)};
  }
}

void ApplyRoundedRegion(HWND window) {
  RECT rect = WindowRectAtOrigin(window);
  HRGN region = CreateRoundRectRgn(0, 0, rect.right + 1, rect.bottom + 1, 5, 5);
  // Once given, the region belongs to the window; a refused one is still ours to free.
  if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
}

void InstallChildFamilies(int styleIndex, HWND parent) {
  InstallControlFamilies(styleIndex, parent);
}
