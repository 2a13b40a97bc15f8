#pragma once
// A plain top-level window registered as a style record, with a frame bitmap of one colour
// behind its children, so that controls can be styled and painted without a message box.

#include <windows.h>

#include <utility>
#include <vector>

struct StyleRecord;

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
  bool Near(Rgb other, int tolerance) const;
};
Rgb PixelOf(HWND window, int x, int y);  // from the window's client DC

// The client area (or, with wholeWindow, the whole window) as it is on screen now.
struct Snapshot {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  template <typename Test>
  int Count(Test test) const {
    int count = 0;
    for (const Rgb& p : pixels) count += test(p) ? 1 : 0;
    return count;
  }
};
Snapshot Capture(HWND window, bool wholeWindow = false);

class StyledHost {
 public:
  explicit StyledHost(COLORREF frameColour = RGB(200, 200, 200), int width = 320, int height = 240);
  ~StyledHost();
  StyledHost(const StyledHost&) = delete;
  StyledHost& operator=(const StyledHost&) = delete;

  HWND AddChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                int height, DWORD exStyle = 0);
  StyleRecord& Record();
  int StyleIndex() const;

  HWND window = nullptr;
  // WM_COMMAND notifications the host received: (control id, notification code).
  std::vector<std::pair<int, int>> commands;
  HBRUSH staticBrush = nullptr;  // answered to WM_CTLCOLORSTATIC when set
  HFONT font = nullptr;          // answered to WM_GETFONT when set
};

// Dispatches pending messages (paints among them).
void Pump();
