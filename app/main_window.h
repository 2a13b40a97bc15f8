#pragma once
// The main window: a tab control with two pages of lesson buttons, each opening a download page.

#include <windows.h>

#include <array>

// One lesson button of the fixed layout; `page` is 1 or 2.
struct LessonButton {
  const char* element;
  int page;
  const char* caption;
  int left, top, width, height;
  const char* link;
};

inline constexpr int kTabPageCount = 2;
extern const std::array<const char*, kTabPageCount> kTabPageCaptions;
// In page, row, column order: the element names follow another order.
extern const std::array<LessonButton, 9> kLessonButtons;

inline constexpr char kMainWindowCaption[] = "1.1";  // also the local version text
inline constexpr char kMainWindowClass[] = "LanzhouMainWindow";

// Asks the shell to open the URL in Internet Explorer; false only when the shell answers
// "file not found".
bool OpenLink(const char* url);

// Creates the main window hidden, with its tab control and buttons. Returns 0 on failure.
HWND CreateMainWindow(HINSTANCE instance);

// Shows the buttons of the page (1-based) and hides the others.
void ShowTabPage(HWND mainWindow, int page);
