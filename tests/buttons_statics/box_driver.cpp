// Shows one styled message box for the end-to-end tests and writes what StyledMessageBox
// returned into a file, so that a test can press the box's buttons with the real mouse.
//   bs_box_driver.exe TYPE RESULT-FILE [TEXT [CAPTION]]   (TYPE: MB_ flags, decimal or 0x hex)
//   bs_box_driver.exe dialog RESULT-FILE [CAPTION]
// "dialog" shows a styled dialog of labels instead (mnemonic marks, SS_NOPREFIX, a group box,
// an image static without an image) and writes the button that ended it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drawing/session_images.h"
#include "styling/hook/hook.h"
#include "styling/records/records.h"

namespace {

// A dialog template in memory: DLGTEMPLATE with a font, then DWORD-aligned items.
class DialogTemplate {
 public:
  DialogTemplate(const wchar_t* caption, short width, short height) {
    DLGTEMPLATE head{
        DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, width, height};
    Append(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(caption);
    Word(9);
    Text(L"宋体");
  }
  void Item(const wchar_t* className, const wchar_t* text, DWORD style, short x, short y, short cx,
            short cy, WORD id) {
    Align();
    DLGITEMTEMPLATE item{WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy, id};
    Append(&item, sizeof item);
    Text(className);
    Text(text);
    Word(0);  // no creation data
    auto* head = reinterpret_cast<DLGTEMPLATE*>(bytes_.data());
    ++head->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Append(const void* data, size_t size) {
    auto* at = static_cast<const char*>(data);
    bytes_.insert(bytes_.end(), at, at + size);
  }
  void Word(WORD value) { Append(&value, sizeof value); }
  void Text(const wchar_t* text) { Append(text, (std::wcslen(text) + 1) * sizeof(wchar_t)); }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<char> bytes_;
};

INT_PTR CALLBACK LabelsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

int ShowLabelsDialog(const char* caption) {
  std::wstring title(64, L'\0');
  title.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_ACP, 0, caption, -1, title.data(), static_cast<int>(title.size()))));
  DialogTemplate dialog(title.c_str(), 170, 92);
  dialog.Item(L"Static", L"查找(&N):", SS_LEFT, 10, 8, 60, 10, 101);
  dialog.Item(L"Static", L"R&&D 与 T&&T", SS_LEFT, 80, 8, 80, 10, 102);
  dialog.Item(L"Static", L"原样 a&b", SS_LEFT | SS_NOPREFIX, 10, 24, 60, 10, 103);
  dialog.Item(L"Static", L"", SS_ICON, 80, 22, 20, 20, 104);
  dialog.Item(L"Button", L"分组(&G)", BS_GROUPBOX, 10, 40, 150, 24, 105);
  dialog.Item(L"Button", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 70, 50, 14, IDOK);
  return static_cast<int>(StyledDialogBox(nullptr, dialog.Get(), LabelsProc, 0));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  const bool labels = std::strcmp(__argv[1], "dialog") == 0;
  auto type = static_cast<UINT>(std::strtoul(__argv[1], nullptr, 0));
  const char* resultFile = __argv[2];
  const char* text = __argc > 3 ? __argv[3] : "styled box";
  const char* caption = __argc > 4 ? __argv[4] : "styled caption";

  CreateStyleLists();
  StartGdiplus();
  ApplicationIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  int result = labels ? ShowLabelsDialog(__argc > 3 ? __argv[3] : "styled labels")
                      : StyledMessageBox(nullptr, text, type, caption);
  ReleaseAllStyleRecords();

  FILE* out = std::fopen(resultFile, "w");
  if (!out) return 3;
  std::fprintf(out, "%d\n", result);
  std::fclose(out);
  return 0;
}
