// The gallery at the display's DPI (the sandbox sets it from LANZHOU_DPI: 96, 144, 192): each
// styled control's marks measured in pixels against the same control drawn by the system at
// that DPI, and a window told that its DPI changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

int SystemMetricAt(int index, UINT dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const auto function = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  return function ? function(index, dpi) : MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

int Distance(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The first mark from the left: the first run of columns holding a pixel that stands out from
// the control's background (its top-right pixel, which no caption reaches), and the rows the
// mark covers within those columns.
SIZE LeftMark(const Snapshot& shot) {
  const Rgb background = shot.At(shot.width - 1, 0);
  auto inked = [&](int x, int y) { return Distance(shot.At(x, y), background) > 60; };
  int first = -1, last = -1, top = shot.height, bottom = -1;
  for (int x = 0; x < shot.width; ++x) {
    bool any = false;
    for (int y = 0; y < shot.height; ++y) {
      if (!inked(x, y)) continue;
      any = true;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
    if (any && first < 0) first = x;
    if (!any && first >= 0) break;
    if (any) last = x;
  }
  if (first < 0) return SIZE{0, 0};
  return SIZE{last - first + 1, bottom - top + 1};
}

// The width of a part drawn at the right inside a white face (a drop button, a scroll bar):
// along the middle row, from the right, past the control's border and the white gap, the run of
// columns that are not the face's white.
int PartAtTheRight(const Snapshot& shot) {
  const int y = shot.height / 2;
  auto white = [&](int x) { return Distance(shot.At(x, y), Rgb{255, 255, 255}) < 12; };
  int x = shot.width - 1;
  while (x > 0 && !white(x)) --x;  // the border
  while (x > 0 && white(x)) --x;   // the gap
  const int right = x;
  while (x > 0 && !white(x)) --x;  // the button
  return right - x;
}

Rgb FramePixel(const StyleRecord& record, int x, int y) {
  const COLORREF colour = GetPixel(record.frameDC, x, y);
  return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The frame bitmap's caption band: down a column clear of text and buttons, the first row from
// which the frame is the body's one colour (the band's gradient crosses that colour once, but
// does not stay on it).
int CaptionBandHeight(const StyleRecord& record) {
  RECT window{};
  GetWindowRect(record.window, &window);
  const int height = window.bottom - window.top;
  const int x = window.right - window.left - MulDiv(80, static_cast<int>(record.scale.dpi), 96);
  const Rgb body = FramePixel(record, x, height / 2);
  const int run = MulDiv(6, static_cast<int>(record.scale.dpi), 96);
  auto isBody = [&](int y) { return Distance(FramePixel(record, x, y), body) <= 3; };
  for (int y = 1; y + run < height / 2; ++y) {
    bool stays = true;
    for (int below = 0; below <= run && stays; ++below) stays = isBody(y + below);
    if (stays) return y;
  }
  return 0;
}

Snapshot CaptureControl(HWND dialog, int id) { return Capture(GetDlgItem(dialog, id)); }

enum class Look { Styled, Plain, PlainAt96 };

// The gallery styled, then plain, then plain in windows that are not DPI-aware (which the
// system draws at 96 DPI); `measure` runs in each while it is shown. A big dialog at a high DPI
// takes a while to show: the run is given time.
void InEveryLook(const std::function<void(HWND dialog, Look look)>& measure) {
  ASSERT_TRUE(classesRegistered);
  constexpr int Patience = 30000;
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        PumpFor(300);
        measure(dialog, Look::Styled);
      },
      GalleryDialogProc, Patience);
  for (Look look : {Look::Plain, Look::PlainAt96}) {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    static const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    const auto unaware = reinterpret_cast<HANDLE>(-1);  // DPI_AWARENESS_CONTEXT_UNAWARE
    HANDLE previous = look == Look::PlainAt96 && setContext ? setContext(unaware) : nullptr;
    RunPlainDialog(
        dialogTemplate.Get(),
        [&](HWND dialog) {
          PumpFor(300);
          measure(dialog, look);
        },
        GalleryDialogProc);
    if (previous) setContext(previous);
  }
}

TEST(GalleryAtDpi, TheProgramIsDpiAwareAtTheDisplaysDpi) {
  EXPECT_EQ(SystemDpi(), ExpectedDpi()) << "the sandbox's display DPI";
  // The manifest declares the awareness: an unaware program would be given 96 by GetDpiForWindow.
  HWND probe =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(DpiOfWindow(probe), ExpectedDpi());
  DestroyWindow(probe);
}

TEST(GalleryAtDpi, TheShippedProgramsCarryTheDpiAwareManifest) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of("\\/") + 1);
  for (const char* program : {"lanzhou.exe", "gallery.exe"}) {
    HMODULE module = LoadLibraryExA((folder + program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << program;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr) << program << " has no manifest";
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(text, SizeofResource(module, found));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos) << program;
    EXPECT_NE(manifest.find("true/pm"), std::string::npos) << program;
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos) << program;
    FreeLibrary(module);
  }
}

int Larger(SIZE size) { return std::max(size.cx, size.cy); }

// A mark of the styled look against the system's own, in pixels: at 96 DPI the styled square
// and circle are 13 pixels, outline included; at this DPI they keep their proportion to the
// system's mark (Wine's radio circle is smaller than its square, Windows' is not).
struct MarkRow {
  const char* what;
  int id;
};

TEST(GalleryAtDpi, StyledMarksKeepTheirProportionToTheSystemsAtThisDpi) {
  const MarkRow rows[] = {
      {"unchecked check box's square", 202},
      {"checked check box's square", 201},
      {"unchecked radio button's circle", 212},
      {"checked radio button's circle", 211},
  };
  constexpr int StyledAt96 = 13;
  int styled[std::size(rows)]{}, plain[std::size(rows)]{}, plainAt96[std::size(rows)]{};
  InEveryLook([&](HWND dialog, Look look) {
    int* sizes = look == Look::Styled ? styled : (look == Look::Plain ? plain : plainAt96);
    for (size_t i = 0; i < std::size(rows); ++i) {
      sizes[i] = Larger(LeftMark(CaptureControl(dialog, rows[i].id)));
    }
  });
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].what);
    std::printf("at %u DPI, %s: styled %d, system %d (%d at 96)\n", ExpectedDpi(), rows[i].what,
                styled[i], plain[i], plainAt96[i]);
    ASSERT_GT(plainAt96[i], 0);
    EXPECT_NEAR(styled[i], MulDiv(StyledAt96, plain[i], plainAt96[i]), 2)
        << "system's mark " << plain[i] << " at this DPI, " << plainAt96[i] << " at 96";
    if (ExpectedDpi() == 96) {
      EXPECT_EQ(styled[i], StyledAt96);
    }
  }
}

TEST(GalleryAtDpi, TheDropListsButtonIsAsWideAsTheSystemsAtThisDpi) {
  int styled = 0, plain = 0;
  InEveryLook([&](HWND dialog, Look look) {
    HWND combo = GetDlgItem(dialog, 310);
    if (look == Look::Styled) {
      styled = PartAtTheRight(Capture(combo, true));
    } else if (look == Look::Plain) {
      COMBOBOXINFO info{sizeof info};
      GetComboBoxInfo(combo, &info);
      plain = info.rcButton.right - info.rcButton.left;
    }
  });
  std::printf("at %u DPI, drop list's button: styled %d, system %d\n", ExpectedDpi(), styled,
              plain);
  EXPECT_GT(plain, 0);
  EXPECT_NEAR(styled, plain, MulDiv(2, static_cast<int>(ExpectedDpi()), 96));
  if (ExpectedDpi() == 96) {
    EXPECT_EQ(styled, 17);
  }
}

TEST(GalleryAtDpi, TheCaptionBandKeepsItsProportionToTheSystemsCaption) {
  int band = 0;
  InEveryLook([&](HWND dialog, Look look) {
    if (look == Look::Styled) band = CaptionBandHeight(*RecordAt(FindStyleRecord(dialog)));
  });
  const UINT dpi = ExpectedDpi();
  const int expected =
      MulDiv(26, SystemMetricAt(SM_CYCAPTION, dpi), SystemMetricAt(SM_CYCAPTION, 96));
  std::printf("at %u DPI, caption band: styled %d, system's caption %d (%d at 96), so %d\n", dpi,
              band, SystemMetricAt(SM_CYCAPTION, dpi), SystemMetricAt(SM_CYCAPTION, 96), expected);
  EXPECT_NEAR(band, expected, 2);
  if (dpi == 96) {
    EXPECT_EQ(band, 26);
  }
}

// The window moved to a monitor of another DPI: it takes the suggested rectangle, and its frame
// and its controls' looks are drawn anew at the new DPI.
TEST(GalleryAtDpi, AWindowToldOfAnotherDpiTakesTheRectangleAndIsDrawnAnew) {
  ASSERT_TRUE(classesRegistered);
  // A DPI whose check-box square still fits the controls the dialog was laid out with.
  const UINT from = ExpectedDpi(), to = from == 96 ? 120 : (from == 192 ? 144 : 192);
  DialogTemplate dialogTemplate = BuildGalleryTemplate();
  RECT suggested{}, taken{};
  int band = 0, styleIndex = 0;
  SIZE box{};
  RunStyledDialog(
      dialogTemplate.Get(),
      [&](HWND dialog) {
        PumpFor(300);
        RECT now{};
        GetWindowRect(dialog, &now);
        suggested = {now.left + 10, now.top + 10,
                     now.left + 10 + MulDiv(now.right - now.left, to, from),
                     now.top + 10 + MulDiv(now.bottom - now.top, to, from)};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpFor(300);
        GetWindowRect(dialog, &taken);
        styleIndex = FindStyleRecord(dialog);
        band = CaptionBandHeight(*RecordAt(styleIndex));
        box = LeftMark(CaptureControl(dialog, 202));
        EXPECT_EQ(RecordAt(styleIndex)->scale.dpi, to);
      },
      GalleryDialogProc, 30000);
  EXPECT_NE(styleIndex, 0);
  EXPECT_TRUE(EqualRect(&taken, &suggested));
  EXPECT_NEAR(band, MulDiv(26, to, 96), 1);
  EXPECT_NEAR(box.cx, MulDiv(12, to, 96) + 1, 1);
}

}  // namespace
