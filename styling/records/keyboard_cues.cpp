#include "styling/records/keyboard_cues.h"

#include "drawing/drawing.h"
#include "styling/records/paint_helpers.h"
#include "styling/records/records.h"

namespace {

constexpr int FocusAlpha = 200;  // as the focused frame of lists
constexpr int FocusCorner = 4;

LRESULT UiStateOf(HWND window) { return SendMessageA(window, WM_QUERYUISTATE, 0, 0); }

}  // namespace

bool ShowsFocusCues(HWND window) { return !(UiStateOf(window) & UISF_HIDEFOCUS); }

bool ShowsAccelerators(HWND window) { return !(UiStateOf(window) & UISF_HIDEACCEL); }

bool ShowsFocusLook(HWND window) { return GetFocus() == window && ShowsFocusCues(window); }

AccessKeyMode CaptionAccessKeys(HWND window) {
  return ShowsAccelerators(window) ? AccessKeyMode::Show : AccessKeyMode::Hide;
}

void DrawFocusOutline(Graphics& graphics, float x, float y, float width, float height,
                      DpiScale scale) {
  const float line = static_cast<float>(scale(1));
  GraphicsPath outline;
  outline.Create();
  // A wider line lies wholly inside the area, as the single pixel does.
  const float inset = (line - 1) / 2;
  AddRoundedRect(outline, x + inset, y + inset, width - 1 - 2 * inset, height - 1 - 2 * inset,
                 scale(FocusCorner));
  StrokePath(graphics, outline, ToArgb(AccentColour, FocusAlpha, true), line);
}
