#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "styling/records/dpi_scale.h"

const std::array<const char*, kTabPageCount> kTabPageCaptions = {"青语言入门教程", "CE修改教程"};

const std::array<LessonButton, 9> kLessonButtons = {{
    {"按钮1", 1, "第一课下载", 4, 32, 80, 24, "https://pan.baidu.com/s/1qyyLesson01aKp3"},
    {"按钮3", 1, "第二课下载", 84, 32, 80, 24, "https://pan.baidu.com/s/1qyyLesson02bRt7"},
    {"按钮4", 1, "第三课下载", 164, 32, 80, 24, "https://pan.baidu.com/s/1qyyLesson03cWm2"},
    {"按钮2", 1, "第四课下载", 4, 56, 80, 24, "https://pan.baidu.com/s/1qyyLesson04dZq8"},
    {"按钮5", 1, "第五课下载", 84, 56, 80, 24, "https://pan.baidu.com/s/1qyyLesson05eHv4"},
    {"按钮6", 1, "第六课下载", 164, 56, 80, 24, "https://pan.baidu.com/s/1qyyLesson06fJx9"},
    {"按钮7", 2, "第一课", 5, 40, 80, 24, "https://pan.baidu.com/s/1ceLesson01gNb5"},
    {"按钮9", 2, "第二课", 85, 40, 80, 23, "https://pan.baidu.com/s/1ceLesson02hSc1"},
    {"按钮8", 2, "第三课", 165, 40, 80, 24, "https://pan.baidu.com/s/1ceLesson03kTd6"},
}};

namespace {

constexpr int kTabControlId = 100;
constexpr int kFirstButtonId = 101;  // button i of kLessonButtons has id kFirstButtonId + i
// The layout below is in pixels at 96 DPI; the window scales it to its own DPI.
constexpr int kWindowLeft = 50, kWindowTop = 50, kWindowWidth = 256, kWindowHeight = 288;
constexpr int kTabWidth = 304, kTabHeight = 264;
constexpr int kFontHeight = -12;

HFONT CreateLayoutFont(DpiScale scale) {
  return CreateFontA(scale(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "宋体");
}

// The layout font lives as long as the main window (or until its DPI changes); freed on
// WM_NCDESTROY.
HFONT layoutFont = nullptr;

HWND CreateTabControl(HWND parent, HINSTANCE instance) {
  HWND tab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                             kTabWidth, kTabHeight, parent, reinterpret_cast<HMENU>(kTabControlId),
                             instance, nullptr);
  for (int i = 0; i < kTabPageCount; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kTabPageCaptions[i]);
    SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  return tab;
}

void CreateLessonButtons(HWND parent, HINSTANCE instance) {
  for (std::size_t i = 0; i < kLessonButtons.size(); ++i) {
    const LessonButton& b = kLessonButtons[i];
    CreateWindowExA(0, "BUTTON", b.caption, WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
                    b.left, b.top, b.width, b.height, parent,
                    reinterpret_cast<HMENU>(kFirstButtonId + i), instance, nullptr);
  }
}

// The tab control and the lesson buttons at the window's DPI, in a font made for it.
void LayOutChildren(HWND window, DpiScale scale) {
  HFONT previous = layoutFont;
  layoutFont = CreateLayoutFont(scale);
  HWND tab = GetDlgItem(window, kTabControlId);
  SetWindowPos(tab, nullptr, 0, 0, scale(kTabWidth), scale(kTabHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(tab, WM_SETFONT, reinterpret_cast<WPARAM>(layoutFont), TRUE);
  for (std::size_t i = 0; i < kLessonButtons.size(); ++i) {
    const LessonButton& b = kLessonButtons[i];
    HWND button = GetDlgItem(window, kFirstButtonId + static_cast<int>(i));
    SetWindowPos(button, nullptr, scale(b.left), scale(b.top), scale(b.width), scale(b.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(layoutFont), TRUE);
  }
  if (previous) DeleteObject(previous);
}

// Moved to a monitor of another DPI: the suggested rectangle, and the layout made anew for it.
void OnDpiChanged(HWND window, WPARAM wParam, const RECT& suggested) {
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutChildren(window, DpiScale{LOWORD(wParam)});
  InvalidateRect(window, nullptr, TRUE);
}

void OnCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int index = id - kFirstButtonId;
  if (HIWORD(wParam) == BN_CLICKED && index >= 0 &&
      index < static_cast<int>(kLessonButtons.size())) {
    OpenLink(kLessonButtons[index].link);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kTabControlId && header->code == TCN_SELCHANGE) {
        ShowTabPage(window,
                    static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)) + 1);
      }
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(window, wParam, *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      DeleteObject(layoutFont);
      layoutFont = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "DEFAULT_ICON");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool OpenLink(const char* url) {
  const auto answer = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", "iexplore.exe", url, "", SW_SHOWNORMAL));
  return answer != ERROR_FILE_NOT_FOUND;
}

void ShowTabPage(HWND mainWindow, int page) {
  for (std::size_t i = 0; i < kLessonButtons.size(); ++i) {
    HWND button = GetDlgItem(mainWindow, kFirstButtonId + static_cast<int>(i));
    ShowWindow(button, kLessonButtons[i].page == page ? SW_SHOW : SW_HIDE);
  }
}

HWND CreateMainWindow(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterMainWindowClass(instance)) return nullptr;

  // The system's DPI places the window; the window's own DPI (its monitor's) lays it out.
  const DpiScale system = ScaleOf(nullptr);
  HWND window =
      CreateWindowExA(0, kMainWindowClass, kMainWindowCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      system(kWindowLeft), system(kWindowTop), system(kWindowWidth),
                      system(kWindowHeight), nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  const DpiScale scale = ScaleOf(window);
  if (scale.dpi != system.dpi) {
    SetWindowPos(window, nullptr, 0, 0, scale(kWindowWidth), scale(kWindowHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND tab = CreateTabControl(window, instance);
  CreateLessonButtons(window, instance);
  LayOutChildren(window, scale);
  // The buttons lie over the tab pages: keep the tab control below its siblings.
  SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowTabPage(window, 1);
  return window;
}
