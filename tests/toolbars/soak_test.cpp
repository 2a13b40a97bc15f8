// Opening styled windows many times in one process leaves the GDI handles and the private
// bytes where they were: message boxes, the gallery and every common dialog. The full counts
// run in tools/soak.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gallery/common_dialogs.h"
#include "styling/records/records.h"
#include "tests/toolbars/soak_runs.h"

namespace {

// A leak of one GDI object per opening shows as `count` slots; a few slots move with the
// system's own caches. Private bytes: 2 MiB for the heaps' own growth, far less than one
// leaked frame bitmap (about 1.8 MiB for the gallery) per opening would add.
constexpr int GdiTolerance = 4;
constexpr std::int64_t PrivateTolerance = 2 * 1024 * 1024;

struct SoakCase {
  std::string name;
  int count;
};

class SoakTest : public ::testing::TestWithParam<SoakCase> {};

TEST_P(SoakTest, LeavesGdiHandlesAndPrivateBytesWhereTheyWere) {
  const SoakCase& c = GetParam();
  SoakFigures figures = c.name == "boxes"     ? SoakStyledBoxes(c.count)
                        : c.name == "gallery" ? SoakGallery(c.count)
                                              : SoakCommonDialog(c.name.c_str(), c.count);
  PrintFigures(figures);
  EXPECT_GT(figures.freeGdiBefore, 1000) << "the count found the table's end";
  EXPECT_GE(figures.freeGdiAfter,
            figures.freeGdiBefore - GdiTolerance - figures.count * figures.systemLossPerOpening);
  EXPECT_LE(figures.privateAfter - figures.privateBefore, PrivateTolerance);
  EXPECT_EQ(StyleRecordList.Count(), 0) << "every record went with its window";
  EXPECT_EQ(MemoryDcRegistry.Count(), 0);
}

std::vector<SoakCase> Cases() {
  std::vector<SoakCase> cases = {{"boxes", 30}, {"gallery", 10}};
  for (const char* name : CommonDialogNames) cases.push_back({name, 5});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Windows, SoakTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
