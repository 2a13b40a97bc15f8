#include "gallery/common_dialogs.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "styling/hook/hook.h"

namespace {

constexpr char FindOwnerClass[] = "GalleryFindOwner";
bool styled = true;

// The style hook for the next dialog, unless the plain system look was asked for.
void HookWhenStyled() {
  if (styled) InstallStyleHook();
}

CommonDialogOutcome Finish(BOOL accepted, std::string detail = {}) {
  CommonDialogOutcome outcome;
  outcome.known = true;
  outcome.accepted = accepted != FALSE;
  outcome.error = accepted ? 0 : CommDlgExtendedError();
  if (accepted) outcome.detail = std::move(detail);
  return outcome;
}

void FreeDeviceBlocks(HGLOBAL& mode, HGLOBAL& names) {
  if (mode) GlobalFree(mode);
  if (names) GlobalFree(names);
  mode = names = nullptr;
}

CommonDialogOutcome ShowFileDialog(bool save) {
  char path[MAX_PATH] = "";
  char folder[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  OPENFILENAMEA file{};
  file.lpstrInitialDir = folder;  // not the folder the last dialog of any program showed
  file.lStructSize = sizeof file;
  file.lpstrFilter = "文本文件 (*.txt)\0*.txt\0所有文件 (*.*)\0*.*\0";
  file.nFilterIndex = 2;
  file.lpstrFile = path;
  file.nMaxFile = sizeof path;
  file.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
               (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  HookWhenStyled();
  BOOL accepted = save ? GetSaveFileNameA(&file) : GetOpenFileNameA(&file);
  return Finish(accepted, std::string("file=") + path);
}

CommonDialogOutcome ShowFontDialog() {
  LOGFONTA font{};
  font.lfHeight = -16;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(font.lfFaceName, "宋体");
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof choose;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  HookWhenStyled();
  BOOL accepted = ChooseFontA(&choose);
  char detail[160];
  std::snprintf(detail, sizeof detail, "font=%s size=%d weight=%ld italic=%d", font.lfFaceName,
                choose.iPointSize / 10, font.lfWeight, font.lfItalic ? 1 : 0);
  return Finish(accepted, detail);
}

CommonDialogOutcome ShowColourDialog() {
  static COLORREF custom[16] = {};
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.rgbResult = RGB(34, 202, 221);
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  HookWhenStyled();
  BOOL accepted = ChooseColorA(&choose);
  char detail[32];
  std::snprintf(detail, sizeof detail, "colour=%02X%02X%02X", GetRValue(choose.rgbResult),
                GetGValue(choose.rgbResult), GetBValue(choose.rgbResult));
  return Finish(accepted, detail);
}

CommonDialogOutcome ShowPrintDialog() {
  PRINTDLGA print{};
  print.lStructSize = sizeof print;
  print.Flags = PD_ALLPAGES | PD_NOSELECTION;
  HookWhenStyled();
  BOOL accepted = PrintDlgA(&print);
  CommonDialogOutcome outcome = Finish(accepted, "printed=1");
  FreeDeviceBlocks(print.hDevMode, print.hDevNames);
  return outcome;
}

CommonDialogOutcome ShowPageSetupDialog() {
  PAGESETUPDLGA setup{};
  setup.lStructSize = sizeof setup;
  HookWhenStyled();
  BOOL accepted = PageSetupDlgA(&setup);
  char detail[64];
  std::snprintf(detail, sizeof detail, "paper=%ldx%ld", setup.ptPaperSize.x, setup.ptPaperSize.y);
  CommonDialogOutcome outcome = Finish(accepted, detail);
  FreeDeviceBlocks(setup.hDevMode, setup.hDevNames);
  return outcome;
}

// The state of one find or replace dialog, reached from its owner window's procedure.
struct FindSession {
  FINDREPLACEA request{};
  char findWhat[80] = "fox";
  char replaceWith[80] = "cat";
  std::string text = CommonDialogSampleText;
  CommonDialogOutcome outcome;
  bool ended = false;
};
FindSession* currentFind = nullptr;
UINT findMessage = 0;

void Search(FindSession& session) {
  const FINDREPLACEA& r = session.request;
  std::string_view what = r.lpstrFindWhat;
  session.outcome.accepted = true;
  if (r.Flags & (FR_REPLACE | FR_REPLACEALL)) {
    int count = 0;
    for (size_t at = session.text.find(what); !what.empty() && at != std::string::npos;
         at = session.text.find(what, at + std::strlen(r.lpstrReplaceWith))) {
      session.text.replace(at, what.size(), r.lpstrReplaceWith);
      ++count;
      if (!(r.Flags & FR_REPLACEALL)) break;
    }
    session.outcome.detail = "replaced=" + std::to_string(count) + " text=" + session.text;
    return;
  }
  size_t at = what.empty() ? std::string::npos : session.text.find(what);
  session.outcome.detail = at == std::string::npos
                               ? "notfound=" + std::string(what)
                               : "found=" + std::string(what) + " at=" + std::to_string(at);
}

LRESULT CALLBACK FindOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == findMessage && findMessage && currentFind) {
    const auto* request = reinterpret_cast<const FINDREPLACEA*>(lParam);
    if (request->Flags & FR_DIALOGTERM) {
      currentFind->ended = true;
    } else if (request->Flags & (FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL)) {
      Search(*currentFind);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeFindOwner() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FindOwnerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = FindOwnerClass;
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
  return CreateWindowExA(0, FindOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

CommonDialogOutcome ShowFindDialog(bool replace) {
  findMessage = RegisterWindowMessageA(FINDMSGSTRINGA);
  FindSession session;
  session.outcome.known = true;
  HWND owner = MakeFindOwner();
  FINDREPLACEA& r = session.request;
  r.lStructSize = sizeof r;
  r.hwndOwner = owner;
  r.Flags = FR_DOWN;
  r.lpstrFindWhat = session.findWhat;
  r.wFindWhatLen = sizeof session.findWhat;
  r.lpstrReplaceWith = session.replaceWith;
  r.wReplaceWithLen = sizeof session.replaceWith;
  FindSession* outer = currentFind;
  currentFind = &session;
  HookWhenStyled();
  HWND dialog = replace ? ReplaceTextA(&r) : FindTextA(&r);
  if (!dialog) {
    session.outcome.error = CommDlgExtendedError();
    session.ended = true;
  }
  MSG msg;
  while (!session.ended && IsWindow(dialog) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  currentFind = outer;
  if (owner) DestroyWindow(owner);
  return session.outcome;
}

}  // namespace

bool IsCommonDialogName(const char* name) {
  if (!name) return false;
  for (const char* known : CommonDialogNames) {
    if (std::strcmp(name, known) == 0) return true;
  }
  return false;
}

CommonDialogOutcome ShowCommonDialog(const char* name, bool withStyle) {
  styled = withStyle;
  std::string_view which = name ? name : "";
  if (which == "open") return ShowFileDialog(false);
  if (which == "save") return ShowFileDialog(true);
  if (which == "font") return ShowFontDialog();
  if (which == "colour") return ShowColourDialog();
  if (which == "find") return ShowFindDialog(false);
  if (which == "replace") return ShowFindDialog(true);
  if (which == "print") return ShowPrintDialog();
  if (which == "pagesetup") return ShowPageSetupDialog();
  return {};
}
