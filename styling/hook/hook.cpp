#include "styling/hook/hook.h"

#include <cstring>
#include <vector>

#include "resources/images/images.h"
#include "styling/buttons/buttons.h"
#include "styling/edits/edits.h"
#include "styling/frame/frame.h"
#include "styling/headers/headers.h"
#include "styling/lists/lists.h"
#include "styling/pages/pages.h"
#include "styling/records/child_windows.h"
#include "styling/records/records.h"
#include "styling/scrollbars/scrollbar_controls.h"
#include "styling/statics/statics.h"
#include "styling/tabs/tabs.h"
#include "styling/toolbars/toolbars.h"
#include "styling/trackbars/trackbars.h"
#include "styling/updowns/updowns.h"

thread_local HHOOK StyleHookHandle = nullptr;

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

void Widen(HWND window, DpiScale scale) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MoveWindow(window, rect.left, rect.top, rect.right - rect.left + scale(ExtraWidth),
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
  // The installers walk the same children again and again; the windows they make of their own
  // (scroll-bar covers) they note.
  EngineAloneScope engineAlone;
  // Push buttons, check boxes and radio buttons, edits, track bars, progress bars, list-type
  // controls, up-down controls, headers, statics (extra width 6), toolbars: each family adds
  // its installer call here as it is built.
  InstallPushButtons(styleIndex, dialog);
  InstallCheckBoxesAndRadioButtons(styleIndex, dialog);
  InstallEditControls(styleIndex, dialog);
  InstallTrackBars(styleIndex, dialog);
  InstallProgressBars(styleIndex, dialog);
  InstallListControls(styleIndex, dialog);
  InstallScrollBarControls(styleIndex, dialog);
  InstallUpDowns(styleIndex, dialog);
  InstallHeaders(styleIndex, dialog);
  const StyleRecord* record = RecordAt(styleIndex);
  InstallStatics(styleIndex, dialog, (record ? record->scale : ScaleOf(dialog))(StaticExtraWidth));
  InstallToolbars(styleIndex, dialog);
  InstallTabControls(styleIndex, dialog);
  // Last: a child dialog's own controls go through this list again.
  InstallChildDialogs(styleIndex, dialog);
}

// Hooks are thread hooks: each thread keeps its own hook, styled calls and waiting dialogs.
thread_local int openStyledCalls = 0;  // StyledMessageBox and StyledDialogBox calls under way

// Top-level dialogs seen created and not routed yet. Each is subclassed from its creation, so
// that its own messages tell when it is shown, by whatever call (ShowWindow, SetWindowPos with
// SWP_SHOWWINDOW, a style with WS_VISIBLE): it is made layered and transparent just before, and
// the system's look never reaches the screen. A dialog shown without activation is routed once
// it is shown, rather than waiting invisible for an activation that does not come. Child
// dialogs (property pages) are styled with their parent and stay as they are.
struct WaitingDialog {
  HWND window = nullptr;
  WNDPROC priorProc = nullptr;
  bool unicode = false;      // subclassed through the window's own character set: no conversion
  bool hidden = false;       // made layered and transparent by us
  bool passThrough = false;  // done waiting, but subclassed over since: only forwards
};
thread_local std::vector<WaitingDialog> waitingDialogs;

WaitingDialog* FindWaiting(HWND window) {
  for (WaitingDialog& waiting : waitingDialogs) {
    if (waiting.window == window) return &waiting;
  }
  return nullptr;
}

bool IsDialogClass(HWND window) {
  char className[255] = "";
  GetClassNameA(window, className, sizeof className);
  return std::strcmp(className, "#32770") == 0;
}

LRESULT CALLBACK WaitingDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

WNDPROC SetProcedure(HWND window, bool unicode, WNDPROC procedure) {
  auto value = reinterpret_cast<LONG_PTR>(procedure);
  return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                           : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

// Seen created: a top-level dialog waits, subclassed, for its showing. Not made transparent now:
// Wine sets the extended style from its creation parameters again after the hook has run.
void NoteCreated(HWND window, const CREATESTRUCTA& create) {
  // A dialog its creator made layered is drawn by that creator until the router takes it.
  if ((create.style & WS_CHILD) || (create.dwExStyle & WS_EX_LAYERED)) return;
  if (!IsDialogClass(window) || FindWaiting(window)) return;
  WaitingDialog waiting{window};
  waiting.unicode = IsWindowUnicode(window) != FALSE;
  waiting.priorProc = SetProcedure(window, waiting.unicode, WaitingDialogProc);
  if (waiting.priorProc) waitingDialogs.push_back(waiting);
}

// Ends the wait: the dialog gets its procedure back, unless someone has subclassed it over ours
// since; then ours stays in the chain and only forwards until the window goes.
void StopWaiting(HWND window) {
  WaitingDialog* waiting = FindWaiting(window);
  if (!waiting || waiting->passThrough) return;
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  if (current != WaitingDialogProc) {
    waiting->passThrough = true;
    return;
  }
  SetProcedure(window, waiting->unicode, waiting->priorProc);
  std::erase_if(waitingDialogs, [window](const WaitingDialog& w) { return w.window == window; });
}

// Called before the window becomes visible, and so before its first paint.
void HideUntilRouted(HWND window) {
  WaitingDialog* waiting = FindWaiting(window);
  if (!waiting || waiting->hidden || FindStyleRecord(window)) return;
  MakeLayered(window, false);
  SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  waiting->hidden = true;
}

// Shown and still not routed: no activation took it (SW_SHOWNA, SWP_NOACTIVATE, a dialog
// opened while another is being activated). It is routed now, so its first paint fades it in.
void RouteIfShown(HWND window) {
  WaitingDialog* waiting = FindWaiting(window);
  if (waiting && waiting->hidden && IsWindowVisible(window)) RouteDialog(window);
}

bool GainsVisibleStyle(WPARAM which, LPARAM lParam) {
  const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
  return which == static_cast<WPARAM>(GWL_STYLE) && change &&
         (change->styleNew & ~change->styleOld & WS_VISIBLE);
}

LRESULT CALLBACK WaitingDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WaitingDialog* waiting = FindWaiting(window);
  if (!waiting) return DefWindowProcA(window, message, wParam, lParam);
  // Copied: the list may change under the call (a nested dialog, the router).
  const WNDPROC prior = waiting->priorProc;
  const bool unicode = waiting->unicode;
  const bool watching = !waiting->passThrough;
  const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (watching) {
    if ((message == WM_SHOWWINDOW && wParam) ||
        (message == WM_WINDOWPOSCHANGING && position && (position->flags & SWP_SHOWWINDOW)) ||
        (message == WM_STYLECHANGING && GainsVisibleStyle(wParam, lParam))) {
      HideUntilRouted(window);
    }
  }
  LRESULT result = unicode ? CallWindowProcW(prior, window, message, wParam, lParam)
                           : CallWindowProcA(prior, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    std::erase_if(waitingDialogs, [window](const WaitingDialog& w) { return w.window == window; });
  } else if (watching &&
             ((message == WM_WINDOWPOSCHANGED && position && (position->flags & SWP_SHOWWINDOW)) ||
              (message == WM_STYLECHANGED && GainsVisibleStyle(wParam, lParam)))) {
    RouteIfShown(window);
  }
  return result;
}

// A dialog that no hook is left to take over gets its procedure back, and the system's look if
// it was hidden, rather than staying invisible.
void ShowUnroutedDialogs() {
  std::vector<WaitingDialog> ended;
  for (const WaitingDialog& waiting : waitingDialogs) {
    if (!waiting.passThrough) ended.push_back(waiting);
  }
  for (const WaitingDialog& waiting : ended) {
    StopWaiting(waiting.window);
    if (!waiting.hidden || !IsWindow(waiting.window) || FindStyleRecord(waiting.window)) continue;
    SetWindowLongA(waiting.window, GWL_EXSTYLE,
                   GetWindowLongA(waiting.window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    RedrawWindow(waiting.window, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void Unhook() {
  if (!StyleHookHandle) return;
  UnhookWindowsHookEx(StyleHookHandle);
  StyleHookHandle = nullptr;
}

// The hook of one styled call: its window's activation removes it; a call that made no window
// (or none that was activated) removes it on return, so that the thread's next plain dialog is
// not taken over. A hook found waiting belongs to an outer call whose window has not been
// activated yet (a box shown from a dialog's WM_INITDIALOG): it is put back for that window,
// which stays hidden until then.
class StyleHookScope {
 public:
  StyleHookScope() : outerWaiting_(StyleHookHandle != nullptr) {
    ++openStyledCalls;
    InstallStyleHook();
  }
  ~StyleHookScope() {
    --openStyledCalls;
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

INT_PTR StyledPropertySheet(const PROPSHEETHEADERA* header) {
  if (!header) return -1;
  // A modeless sheet is activated before PropertySheetA returns, and so taken over by then.
  StyleHookScope hook;
  return PropertySheetA(header);
}

void InstallStyleHook() {
  Unhook();  // one hook at a time
  StyleHookHandle = SetWindowsHookExA(WH_CBT, StyleHook, nullptr, GetCurrentThreadId());
}

void RemoveStyleHook() {
  Unhook();
  // Within a styled call a hook may come back for a dialog still waiting (see StyleHookScope).
  if (openStyledCalls == 0) ShowUnroutedDialogs();
}

LRESULT CALLBACK StyleHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && lParam) {
    const CREATESTRUCTA* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
    if (create) NoteCreated(reinterpret_cast<HWND>(wParam), *create);
  } else if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    // The property makes the takeover happen once, however often the dialog is activated.
    if (IsDialogClass(window) && !GetPropA(window, ProcProperty)) RouteDialog(window);
  }
  return CallNextHookEx(StyleHookHandle, code, wParam, lParam);
}

namespace {

// Whether the dialog was made layered and transparent while it waited, and is still.
bool HiddenWhileWaiting(HWND window) {
  const WaitingDialog* waiting = FindWaiting(window);
  return waiting && waiting->hidden && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

void AddStyle(HWND window, LONG bits) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  // Each change is a round trip and a style message: none when the bits are there.
  if ((style & bits) != bits) SetWindowLongA(window, GWL_STYLE, style | bits);
}

}  // namespace

void RouteDialog(HWND window) {
  if (!IsWindow(window) || FindStyleRecord(window)) return;
  StyleRecord record;
  record.window = window;
  record.scale = ScaleOf(window);
  const bool hidden = HiddenWhileWaiting(window);
  StopWaiting(window);  // the frame procedure takes the dialog's own one
  Widen(window, record.scale);
  ApplyRoundedRegion(window);
  record.captionButtons.Append(CloseButton());
  AddStyle(window, WS_SYSMENU);
  if (!hidden) {
    MakeLayered(window, false);
    // Invisible until the frame's fade-in raises the opacity.
    SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
  }
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
  const DpiScale scale = record->scale;
  record->captionButtonsLeft = rect.right - scale(CaptionButtonWidth);
  for (int i = 1; i <= record->captionButtons.Count(); ++i) {
    record->captionButtons[i].bounds = RectF{static_cast<float>(record->captionButtonsLeft), 0.0f,
                                             static_cast<float>(scale(CaptionButtonWidth)),
                                             static_cast<float>(scale(CaptionButtonHeight))};
  }
}

void ApplyRoundedRegion(HWND window) {
  RECT rect = WindowRectAtOrigin(window);
  const int styleIndex = FindStyleRecord(window);
  const int corner = (styleIndex ? RecordAt(styleIndex)->scale : ScaleOf(window))(5);
  HRGN region = CreateRoundRectRgn(0, 0, rect.right + 1, rect.bottom + 1, corner, corner);
  // Once given, the region belongs to the window; a refused one is still ours to free.
  if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
}

void InstallChildFamilies(int styleIndex, HWND parent) {
  InstallControlFamilies(styleIndex, parent);
}
