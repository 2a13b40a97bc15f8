#include "tests/buttons_statics/styled_host.h"

#include <cstdlib>

#include "styling/buttons/buttons.h"
#include "styling/records/canvas.h"
#include "styling/records/records.h"

namespace {

constexpr char HostClass[] = "ButtonsStaticsTestHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* host = reinterpret_cast<StyledHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host) {
    switch (message) {
      case WM_COMMAND:
        host->commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return 0;
      case WM_DRAWITEM: {
        // As a styled container does: push buttons go to their painter.
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        PaintPushButton(item->hwndItem, item->hDC, item->itemState, item->rcItem);
        return TRUE;
      }
      case WM_CTLCOLORSTATIC:
        if (!host->staticBrush) break;
        // A parent whose statics show what lies behind them.
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(host->staticBrush);
      case WM_GETFONT:
        return reinterpret_cast<LRESULT>(host->font);
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterHostClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = HostClass;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  RegisterClassA(&wc);
  registered = true;
}

// The frame bitmap a styled window's painter would have left: one colour all over.
void PaintFrameBitmap(StyleRecord& record, COLORREF colour) {
  RECT rect{};
  GetWindowRect(record.window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  HBITMAP bitmap = CreateArgbBitmap(rect.right, rect.bottom);
  record.frameDC = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(record.frameDC, bitmap);
  SetPropA(record.window, FramePreviousObjectProperty, previous);
  SetPropA(record.window, FrameBitmapProperty, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(record.frameDC, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

bool Rgb::Near(Rgb other, int tolerance) const {
  return std::abs(r - other.r) <= tolerance && std::abs(g - other.g) <= tolerance &&
         std::abs(b - other.b) <= tolerance;
}

Rgb PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

Snapshot Capture(HWND window, bool wholeWindow) {
  RECT client{};
  GetClientRect(window, &client);
  if (wholeWindow) {
    GetWindowRect(window, &client);
    OffsetRect(&client, -client.left, -client.top);
  }
  Snapshot shot;
  shot.width = client.right;
  shot.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  HDC screen = wholeWindow ? GetWindowDC(window) : GetDC(window);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  ReleaseDC(window, screen);
  GdiFlush();
  const auto* words = static_cast<const DWORD*>(bits);
  for (int i = 0; i < shot.width * shot.height; ++i) {
    DWORD w = words[i];
    shot.pixels.push_back({static_cast<int>((w >> 16) & 0xFF), static_cast<int>((w >> 8) & 0xFF),
                           static_cast<int>(w & 0xFF)});
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return shot;
}

StyledHost::StyledHost(COLORREF frameColour, int width, int height) {
  RegisterHostClass();
  window = CreateWindowExA(0, HostClass, "host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 60, 60,
                           width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  StyleRecord record;
  record.window = window;
  int index = StyleRecordList.Append(std::move(record));
  PaintFrameBitmap(StyleRecordList[index], frameColour);
}

StyledHost::~StyledHost() {
  // Children go first, as in a dialog: the record is removed after them.
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  RemoveStyleRecord(window);
  if (staticBrush) DeleteObject(staticBrush);
  if (font) DeleteObject(font);
  Pump();
}

HWND StyledHost::AddChild(const char* className, const char* text, DWORD style, int x, int y,
                          int width, int height, DWORD exStyle) {
  static int nextId = 100;
  return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                         height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)),
                         GetModuleHandleA(nullptr), nullptr);
}

StyleRecord& StyledHost::Record() { return StyleRecordList[StyleIndex()]; }
int StyledHost::StyleIndex() const { return FindStyleRecord(window); }

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
