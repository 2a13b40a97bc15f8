// dialogs.exe: shows the dialog templates of a module nobody here wrote, styled by the engine or
// in the system's own look, so that a styled dialog can be compared with the plain one.
//   dialogs.exe MODULE                  lists the module's dialog templates, one name a line
//                                       ("NAME page" for a page template)
//   dialogs.exe MODULE NAME [--plain]   shows that template (styled unless --plain) until closed;
//                                       prints "shown HWND" once it is on screen
//   dialogs.exe MODULE --sheet [--plain]  the module's page templates (WS_CHILD) as the pages of
//                                       one property sheet, as the module shows them
//   dialogs.exe MODULE --tabs [--plain]   the same pages in a dialog of our own with a tab
//                                       control, each made with CreateDialog when first selected
// A NAME is a number or "#"-less text, as the list prints it. A page template named alone is
// shown as a popup of its own, as a property sheet would frame it.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

constexpr UINT_PTR ShownTimer = 1;

std::string NameText(LPSTR name) {
  if (!IS_INTRESOURCE(name)) return name;
  return std::to_string(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(name)));
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(NameText(name));
  return TRUE;
}

// The template's bytes as the module holds them.
std::vector<BYTE> TemplateBytes(HMODULE module, const char* name) {
  LPCSTR id = name[0] >= '0' && name[0] <= '9' ? MAKEINTRESOURCEA(std::atoi(name)) : name;
  HRSRC found = FindResourceA(module, id, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!bytes) return {};
  return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

// Where the style lies: after the signature, version and help id of an extended template.
size_t StyleOffset(const std::vector<BYTE>& bytes) {
  bool extended = bytes.size() >= 16 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  return extended ? 12 : 0;
}

DWORD TemplateStyle(const std::vector<BYTE>& bytes) {
  DWORD style = 0;
  if (bytes.size() >= StyleOffset(bytes) + 4) {
    std::memcpy(&style, &bytes[StyleOffset(bytes)], sizeof style);
  }
  return style;
}

BOOL CALLBACK ListTemplate(HMODULE module, LPCSTR, LPSTR name, LONG_PTR) {
  std::string text = NameText(name);
  bool page = (TemplateStyle(TemplateBytes(module, text.c_str())) & WS_CHILD) != 0;
  std::printf("%s%s\n", text.c_str(), page ? " page" : "");
  return TRUE;
}

// The template's bytes, with a page's child style traded for a popup's so it can stand alone.
std::vector<BYTE> LoadTemplate(HMODULE module, const char* name) {
  std::vector<BYTE> copy = TemplateBytes(module, name);
  size_t styleAt = StyleOffset(copy);
  if (copy.size() < styleAt + 4) return {};
  DWORD style = TemplateStyle(copy);
  if (style & WS_CHILD) {
    style =
        (style & ~(WS_CHILD | WS_DISABLED)) | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::memcpy(&copy[styleAt], &style, sizeof style);
  }
  return copy;
}

// Ends on any button that would close a dialog and on the close box; reports when shown, after
// the fade-in has had its time.
INT_PTR CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(window, ShownTimer, 900, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wParam == ShownTimer) {
        KillTimer(window, ShownTimer);
        std::printf("shown %lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
        std::fflush(stdout);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(window, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(window, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

int ShowTemplate(HMODULE module, const char* name, bool styled) {
  std::vector<BYTE> bytes = LoadTemplate(module, name);
  if (bytes.empty()) {
    std::printf("error no template %s\n", name);
    return 2;
  }
  auto dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
  // The module's own instance, so that the icons and bitmaps its template names are found.
  if (styled) InstallStyleHook();
  INT_PTR result = DialogBoxIndirectParamA(module, dialogTemplate, nullptr, ViewerProc, 0);
  RemoveStyleHook();
  if (result == -1) {
    std::printf("error not made %s (%lu)\n", name, GetLastError());
    return 1;
  }
  return 0;
}

// The module's page templates (WS_CHILD), in the module's order.
std::vector<std::vector<BYTE>> PageTemplates(HMODULE module) {
  std::vector<std::string> names;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(5), CollectName, reinterpret_cast<LONG_PTR>(&names));
  std::vector<std::vector<BYTE>> pages;
  for (const std::string& name : names) {
    std::vector<BYTE> bytes = TemplateBytes(module, name.c_str());
    if (TemplateStyle(bytes) & WS_CHILD) pages.push_back(std::move(bytes));
  }
  return pages;
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void CALLBACK ReportShown(HWND window, UINT, UINT_PTR timer, DWORD) {
  KillTimer(window, timer);
  std::printf("shown %lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(stdout);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) SetTimer(sheet, ShownTimer, 900, ReportShown);
  return 0;
}

int ShowSheet(HMODULE module, bool styled) {
  std::vector<std::vector<BYTE>> templates = PageTemplates(module);
  if (templates.empty()) {
    std::printf("error no page templates\n");
    return 2;
  }
  std::vector<PROPSHEETPAGEA> pages;
  for (const std::vector<BYTE>& bytes : templates) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = module;
    page.pResource = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
    page.pfnDlgProc = PageProc;
    pages.push_back(page);
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  header.hInstance = module;
  header.pszCaption = "pages";
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  header.pfnCallback = SheetCallback;
  INT_PTR result = styled ? StyledPropertySheet(&header) : PropertySheetA(&header);
  return result == -1 ? 1 : 0;
}

// A program's own tab dialog: a tab control and, made on first selection, one child dialog a
// tab, shown over the tab control's page area.
struct TabDialog {
  HMODULE module = nullptr;
  std::vector<std::vector<BYTE>> templates;
  std::vector<HWND> pages;
};

constexpr WORD TabId = 100;
// Selects the tab of the page given in wParam, as a click on it would.
constexpr UINT SelectPageMessage = WM_APP + 1;

void SelectPage(HWND dialog, TabDialog& tabs) {
  HWND tab = GetDlgItem(dialog, TabId);
  auto selected = static_cast<size_t>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  if (selected >= tabs.pages.size()) return;
  if (!tabs.pages[selected]) {
    tabs.pages[selected] = CreateDialogIndirectParamA(
        tabs.module, reinterpret_cast<const DLGTEMPLATE*>(tabs.templates[selected].data()), dialog,
        PageProc, 0);
  }
  RECT area{};
  GetWindowRect(tab, &area);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (size_t i = 0; i < tabs.pages.size(); ++i) {
    if (!tabs.pages[i]) continue;
    if (i == selected) {
      SetWindowPos(tabs.pages[i], HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE);
    }
    ShowWindow(tabs.pages[i], i == selected ? SW_SHOW : SW_HIDE);
  }
}

INT_PTR CALLBACK TabDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* tabs = reinterpret_cast<TabDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      tabs = reinterpret_cast<TabDialog*>(lParam);
      HWND tab = GetDlgItem(dialog, TabId);
      for (size_t i = 0; i < tabs->templates.size(); ++i) {
        std::string title = "第 " + std::to_string(i + 1) + " 页";
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
      tabs->pages.assign(tabs->templates.size(), nullptr);
      SelectPage(dialog, *tabs);
      SetTimer(dialog, ShownTimer, 900, ReportShown);
      return TRUE;
    }
    case SelectPageMessage:
      SendDlgItemMessageA(dialog, TabId, TCM_SETCURSEL, wParam, 0);
      if (tabs) SelectPage(dialog, *tabs);
      return TRUE;
    case WM_NOTIFY:
      if (tabs && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
        SelectPage(dialog, *tabs);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

void AppendWords(std::vector<WORD>& words, std::initializer_list<WORD> values) {
  words.insert(words.end(), values);
}

void AppendText(std::vector<WORD>& words, const wchar_t* text) {
  for (; *text; ++text) words.push_back(static_cast<WORD>(*text));
  words.push_back(0);
}

void AppendDword(std::vector<WORD>& words, DWORD value) {
  AppendWords(words, {LOWORD(value), HIWORD(value)});
}

// The tab dialog's template: the tab control and the OK and Cancel buttons below it.
std::vector<WORD> TabDialogTemplate() {
  std::vector<WORD> words;
  AppendDword(words, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
  AppendDword(words, 0);
  AppendWords(words, {3, 0, 0, 300, 250, 0, 0});
  AppendText(words, L"tab pages");
  words.push_back(9);
  AppendText(words, L"宋体");
  struct Item {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    const wchar_t* className;
    const wchar_t* text;
  };
  const Item items[] = {
      {WS_TABSTOP | WS_CLIPSIBLINGS, 5, 5, 290, 220, TabId, L"SysTabControl32", L""},
      {WS_TABSTOP | BS_DEFPUSHBUTTON, 190, 230, 50, 14, IDOK, L"Button", L"确定"},
      {WS_TABSTOP, 245, 230, 50, 14, IDCANCEL, L"Button", L"取消"},
  };
  for (const Item& item : items) {
    if (words.size() % 2) words.push_back(0);
    AppendDword(words, item.style | WS_CHILD | WS_VISIBLE);
    AppendDword(words, 0);
    AppendWords(words, {static_cast<WORD>(item.x), static_cast<WORD>(item.y),
                        static_cast<WORD>(item.cx), static_cast<WORD>(item.cy), item.id});
    AppendText(words, item.className);
    AppendText(words, item.text);
    words.push_back(0);
  }
  return words;
}

int ShowTabDialog(HMODULE module, bool styled) {
  TabDialog tabs{module, PageTemplates(module), {}};
  if (tabs.templates.empty()) {
    std::printf("error no page templates\n");
    return 2;
  }
  std::vector<WORD> words = TabDialogTemplate();
  auto dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(words.data());
  auto parameter = reinterpret_cast<LPARAM>(&tabs);
  INT_PTR result =
      styled ? StyledDialogBox(nullptr, dialogTemplate, TabDialogProc, parameter)
             : DialogBoxIndirectParamA(module, dialogTemplate, nullptr, TabDialogProc, parameter);
  return result == -1 ? 1 : 0;
}

}  // namespace

int main(int count, char** arguments) {
  if (count < 2) {
    std::fprintf(stderr, "usage: dialogs MODULE [NAME [--plain]]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFFFF};
  InitCommonControlsEx(&controls);
  // As a data file: the module's code does not run, only its resources are read.
  HMODULE module = LoadLibraryExA(arguments[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    std::printf("error no module %s (%lu)\n", arguments[1], GetLastError());
    return 2;
  }
  if (count == 2) {
    EnumResourceNamesA(module, MAKEINTRESOURCEA(5), ListTemplate, 0);
    return 0;
  }
  StartStylingEngine();
  bool styled = !(count > 3 && std::strcmp(arguments[3], "--plain") == 0);
  int code = std::strcmp(arguments[2], "--sheet") == 0 ? ShowSheet(module, styled)
             : std::strcmp(arguments[2], "--tabs") == 0
                 ? ShowTabDialog(module, styled)
                 : ShowTemplate(module, arguments[2], styled);
  ReleaseAllStyleRecords();
  return code;
}
