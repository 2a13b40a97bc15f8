// The gallery at the display's DPI (the sandbox sets it from LANZHOU_DPI: 96, 144, 192): each
// styled control's marks measured in pixels against the same control drawn by the system, and a
// window told that its DPI changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "gallery/gallery_table.h"
#include "styling/records/records.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);

UINT ExpectedDpi() {
  const char* asked = std::getenv("LANZHOU_DPI");
  return asked && *asked ? static_cast<UINT>(std::atoi(asked)) : 96;
}

int AtDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

int Distance(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The look the gallery is shown in. The system draws windows that are not DPI-aware at 96 DPI.
enum class Look { Styled, Plain, PlainAt96 };

// The larger side of the first mark from the left: the first run of columns holding a pixel
// that stands out from the control's top-right pixel (no caption reaches it), and its rows.
int LeftMark(HWND control) {
  const Snapshot shot = Capture(control);
  const Rgb background = shot.At(shot.width - 1, 0);
  int first = -1, last = -1, top = shot.height, bottom = -1;
  for (int x = 0; x < shot.width && (first < 0 || last == x - 1); ++x) {
    for (int y = 0; y < shot.height; ++y) {
      if (Distance(shot.At(x, y), background) <= 60) continue;
      if (first < 0) first = x;
      last = x;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return first < 0 ? 0 : std::max(last - first, bottom - top) + 1;
}

// The width of a part drawn at the right inside a white face (a drop button, a scroll bar):
// along the middle row, from the right, past the border and the white gap, the columns that are
// not the face's white.
int PartAtTheRight(HWND control) {
  const Snapshot shot = Capture(control, true);
  const int y = shot.height / 2;
  auto white = [&](int x) { return Distance(shot.At(x, y), Rgb{255, 255, 255}) < 12; };
  int x = shot.width - 1;
  while (x > 0 && !white(x)) --x;
  while (x > 0 && white(x)) --x;
  const int right = x;
  while (x > 0 && !white(x)) --x;
  return right - x;
}

Rgb FramePixel(const StyleRecord& record, int x, int y) {
  const COLORREF colour = GetPixel(record.frameDC, x, y);
  return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The frame bitmap's caption band: down a column clear of text and buttons, the first row from
// which the frame stays the body's colour (the band's gradient crosses it once, not for long).
int CaptionBand(HWND dialog) {
  const StyleRecord& record = *RecordAt(FindStyleRecord(dialog));
  RECT window{};
  GetWindowRect(dialog, &window);
  const int height = window.bottom - window.top;
  const int x = window.right - window.left - AtDpi(80, record.scale.dpi);
  const Rgb body = FramePixel(record, x, height / 2);
  const int run = AtDpi(6, record.scale.dpi);
  for (int y = 1; y + run < height / 2; ++y) {
    int below = 0;
    while (below <= run && Distance(FramePixel(record, x, y + below), body) <= 3) ++below;
    if (below > run) return y;
  }
  return 0;
}

int SystemMetricAt(int index, UINT dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const auto function = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  return function ? function(index, dpi)
                  : MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), ExpectedDpi());
}

// A size of the gallery in one look, in pixels.
using Measure = std::function<int(HWND dialog, Look look)>;

Measure Mark(int id) {
  return [id](HWND dialog, Look) { return LeftMark(GetDlgItem(dialog, id)); };
}

Measure DropButton(int id) {
  return [id](HWND dialog, Look look) {
    HWND combo = GetDlgItem(dialog, id);
    if (look == Look::Styled) return PartAtTheRight(combo);
    COMBOBOXINFO info{sizeof info};
    GetComboBoxInfo(combo, &info);
    return static_cast<int>(info.rcButton.right - info.rcButton.left);
  };
}

// The styled vertical scroll bar of an edit: along the middle row, from the first column right
// of the middle that is not the face's white to the last one left of the edit's border.
int ScrollBarAtTheRight(HWND edit) {
  const Snapshot shot = Capture(edit, true);
  const int y = shot.height / 2;
  auto white = [&](int x) { return Distance(shot.At(x, y), Rgb{255, 255, 255}) < 12; };
  const Rgb border = shot.At(shot.width - 1, y);
  int right = shot.width - 1, left = shot.width / 2;
  while (right > left && Distance(shot.At(right, y), border) <= 6) --right;
  while (right > left && white(right)) --right;
  while (left < right && white(left)) ++left;
  return right - left + 1;
}

Measure ScrollBar(int id) {
  return [id](HWND dialog, Look look) {
    HWND edit = GetDlgItem(dialog, id);
    if (look == Look::Styled) return ScrollBarAtTheRight(edit);
    SCROLLBARINFO info{sizeof info};
    GetScrollBarInfo(edit, OBJID_VSCROLL, &info);
    return static_cast<int>(info.rcScrollBar.right - info.rcScrollBar.left);
  };
}

// The styled band against the system's caption height.
int CaptionBandOrCaption(HWND dialog, Look look) {
  if (look == Look::Styled) return CaptionBand(dialog);
  return SystemMetricAt(SM_CYCAPTION, look == Look::Plain ? ExpectedDpi() : 96);
}

// The gallery in each look, `measure` run while it is shown. A big dialog at a high DPI takes a
// while to show: the run is given time.
void InEveryLook(const std::function<void(HWND dialog, Look look)>& measure) {
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  static const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  auto measured = [&](Look look) {
    return [&measure, look](HWND dialog) {
      PumpFor(300);
      measure(dialog, look);
    };
  };
  constexpr int Patience = 30000;
  RunStyledDialog(dialogTemplate.Get(), measured(Look::Styled), GalleryDialogProc, Patience);
  RunPlainDialog(dialogTemplate.Get(), measured(Look::Plain), GalleryDialogProc, Patience);
  const auto unaware = reinterpret_cast<HANDLE>(-1);  // DPI_AWARENESS_CONTEXT_UNAWARE
  HANDLE previous = setContext ? setContext(unaware) : nullptr;
  RunPlainDialog(dialogTemplate.Get(), measured(Look::PlainAt96), GalleryDialogProc, Patience);
  if (previous) setContext(previous);
}

TEST(GalleryAtDpi, TheProgramsAreDpiAwareThroughTheirManifest) {
  HWND probe =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(DpiOfWindow(probe), ExpectedDpi()) << "an unaware program is given 96";
  DestroyWindow(probe);
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of("\\/") + 1);
  for (const char* program : {"lanzhou.exe", "gallery.exe"}) {
    HMODULE module = LoadLibraryExA((folder + program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : 0;
    ASSERT_NE(found, nullptr) << program << " has no manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos) << program;
    EXPECT_NE(manifest.find("true/pm"), std::string::npos) << program;
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << program << ": comctl32 5";
    FreeLibrary(module);
  }
}

// A styled size keeps its proportion to the system's: styled at 96 DPI times the system's size
// at this DPI over the system's at 96, within two pixels (Wine's radio circle is smaller than its
// square; Windows' is not). At 96 DPI every styled size is what it always was.
struct SizeRow {
  const char* what;
  Measure measure;
  int styledAt96;
};

TEST(GalleryAtDpi, StyledSizesKeepTheirProportionToTheSystemsAtThisDpi) {
  ASSERT_TRUE(classesRegistered);
  const SizeRow rows[] = {
      {"unchecked check box's square", Mark(202), 13},
      {"checked check box's square", Mark(201), 13},
      {"unchecked radio button's circle", Mark(212), 13},
      {"checked radio button's circle", Mark(211), 13},
      {"drop-down list's button", DropButton(310), 17},
      {"caption band (the system's caption)", CaptionBandOrCaption, 26},
      {"multiline edit's vertical scroll bar", ScrollBar(301), 17},
  };
  constexpr size_t Count = std::size(rows);
  int styled[Count]{}, system[Count]{}, systemAt96[Count]{};
  InEveryLook([&](HWND dialog, Look look) {
    int* sizes = look == Look::Styled ? styled : (look == Look::Plain ? system : systemAt96);
    for (size_t i = 0; i < Count; ++i) sizes[i] = rows[i].measure(dialog, look);
  });
  for (size_t i = 0; i < Count; ++i) {
    SCOPED_TRACE(rows[i].what);
    std::printf("at %u DPI, %s: styled %d, system %d (at 96: %d, %d)\n", ExpectedDpi(),
                rows[i].what, styled[i], system[i], rows[i].styledAt96, systemAt96[i]);
    ASSERT_GT(systemAt96[i], 0);
    EXPECT_NEAR(styled[i], MulDiv(rows[i].styledAt96, system[i], systemAt96[i]), 2);
    if (ExpectedDpi() == 96) {
      EXPECT_EQ(styled[i], rows[i].styledAt96);
    }
  }
}

// The window moved to a monitor of another DPI takes the suggested rectangle, and its frame and
// its controls' looks are drawn anew at the new DPI (to one whose square fits the old layout).
TEST(GalleryAtDpi, AWindowToldOfAnotherDpiTakesTheRectangleAndIsDrawnAnew) {
  ASSERT_TRUE(classesRegistered);
  const UINT from = ExpectedDpi(), to = from == 96 ? 120 : (from == 192 ? 144 : 192);
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  RECT suggested{}, taken{};
  int band = 0, box = 0;
  UINT kept = 0;
  auto moved = [&](HWND dialog) {
    PumpFor(300);
    RECT now{};
    GetWindowRect(dialog, &now);
    suggested = {now.left + 10, now.top + 10,
                 now.left + 10 + MulDiv(now.right - now.left, to, from),
                 now.top + 10 + MulDiv(now.bottom - now.top, to, from)};
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    PumpFor(300);
    GetWindowRect(dialog, &taken);
    kept = RecordAt(FindStyleRecord(dialog))->scale.dpi;
    band = CaptionBand(dialog);
    box = LeftMark(GetDlgItem(dialog, 202));
  };
  RunStyledDialog(dialogTemplate.Get(), moved, GalleryDialogProc, 30000);
  EXPECT_TRUE(EqualRect(&taken, &suggested));
  EXPECT_EQ(kept, to);
  EXPECT_NEAR(band, AtDpi(26, to), 1);
  EXPECT_NEAR(box, AtDpi(12, to) + 1, 1);
}

}  // namespace
