// Process-wide values set at start-up.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>

#include "styling/records/records.h"

namespace {

TEST(Startup, StylingGlobalsGetTheirStartValues) {
  StylingEnabled = false;
  AccentColour = 0;
  TrackBarOption = false;
  ListOption = false;
  SetStylingGlobals();
  EXPECT_TRUE(StylingEnabled);
  EXPECT_EQ(AccentColour, 0x00DDCA22u);
  EXPECT_TRUE(TrackBarOption);
  EXPECT_TRUE(ListOption);
}

// The program beside this test executable in bin/.
std::string ProgramPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return text.substr(0, text.find_last_of('\\') + 1) + "lanzhou.exe";
}

TEST(Startup, ApplicationIconIsTheNamedResourceOfTheProgram) {
  HMODULE program = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  // Nothing under 129: the named resource is the one that loads.
  EXPECT_EQ(FindResourceA(program, MAKEINTRESOURCEA(129), RT_GROUP_ICON), nullptr);
  EXPECT_NE(LoadApplicationIcon(program), nullptr);
  for (int size : {16, 20, 24, 32, 40, 48, 64}) {
    HICON icon = static_cast<HICON>(LoadImageA(program, "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmBitsPixel, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  FreeLibrary(program);
}

TEST(Startup, ApplicationIconIsNullWithoutEitherResource) {
  // This test executable carries no icon under either name.
  EXPECT_EQ(LoadApplicationIcon(GetModuleHandleA(nullptr)), nullptr);
}

}  // namespace
