// Process-wide values set at start-up.
#include "app/startup.h"

#include <gtest/gtest.h>

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

TEST(Startup, ApplicationIconFallsBackToTheNamedResource) {
  // The test executable carries no icon under either name: the look-up yields null.
  EXPECT_EQ(LoadApplicationIcon(GetModuleHandleA(nullptr)), nullptr);
}

}  // namespace
