// The gallery's layouts of ordinary programs' dialogs, each shown styled and in the system's
// own look: no control gives up its face, every text keeps the system's lines and stays inside
// its control, the frame's border stays whole and the dialog grows by its 6 pixels only.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "gallery/gallery_table.h"
#include "styling/records/paint_helpers.h"
#include "tests/buttons_statics/styled_host.h"
#include "tests/styling/test_support.h"

namespace {

const bool classesRegistered = (RegisterGalleryControlClasses(), true);

enum class Expect {
  Face,       // the control's own face (or the panel under it) shows over all of its window
  Frame,      // the frame shows behind it (a borderless read-only edit holding a value)
  Lines,      // its text has the system's lines and no glyph reaches its last column or row
  Border,     // the frame's border beside it is drawn as it is elsewhere
  Top,        // its caption's first line is where the system puts it
  Mark,       // its box or circle tells its check state apart from the control of the id before
  Greyed,     // its caption is drawn in grey, not black
  Value,      // its face is nearer the frame's tone than an editable field's white
  BoxRight,   // its check box lies at its right edge, as the system puts it
  NoLight,    // (id 0: the dialog) its client area outside the controls shows the frame
  GroupEdge,  // the right edge of the group box of the id before is whole beside it
  Readable,   // its strokes stand apart from what lies around them, not a blur
  LeftEdge,   // no dark sliver runs down its left edge (a list's sunken edge within it)
  Kept,       // its drop button or scroll bar shows the engine's tint, and looks the same, after
              // the focus and the pointer have passed through it (the focus ends on the id after
              // the layout's last)
  Swatch,     // the colour its owner draws for the selected item shows, and another item's
              // colour once another is selected
};

struct Check {
  WORD id;
  Expect expect;
};

struct LayoutCase {
  const char* name;
  WORD firstId;
  std::vector<Check> checks;
};

const LayoutCase Layouts[] = {
    {"lists in a group box declared first", 700, {{701, Expect::Face}, {702, Expect::Face}}},
    {"a label over the top of an edit", 710, {{711, Expect::Face}}},
    {"Chinese labels of two and three lines", 720, {{720, Expect::Lines}, {721, Expect::Lines}}},
    {"check boxes as wide as the system needs",
     730,
     {{730, Expect::Lines}, {731, Expect::Lines}, {732, Expect::Top}}},
    {"right-aligned and centred labels", 740, {{740, Expect::Lines}, {742, Expect::Lines}}},
    {"a value in a borderless read-only edit", 750, {{751, Expect::Frame}}},
    {"a label past the client edge", 760, {{760, Expect::Border}}},
    {"disabled and read-only controls showing their state",
     770,
     {{771, Expect::Mark},
      {772, Expect::Mark},
      {779, Expect::Mark},
      {773, Expect::Greyed},
      {774, Expect::Value},
      {775, Expect::Value},
      {777, Expect::BoxRight}}},
    {"a white panel over the top third",
     780,
     {{0, Expect::NoLight}, {781, Expect::Face}, {782, Expect::Face}}},
    {"an etched separator and a disabled label",
     790,
     {{0, Expect::NoLight}, {793, Expect::Greyed}, {793, Expect::Readable}}},
    {"a progress bar with labels only", 800, {{0, Expect::NoLight}}},
    {"a link among labels", 810, {{0, Expect::NoLight}}},
    {"a label reaching a group box's edge", 820, {{821, Expect::GroupEdge}}},
    {"an editable combo box and owner-drawn lists",
     830,
     {{830, Expect::Kept},
      {831, Expect::Kept},
      {832, Expect::LeftEdge},
      {832, Expect::Kept},
      {834, Expect::Kept},
      {835, Expect::Kept}}},
    {"an owner-drawn drop-down list of colour swatches", 840, {{840, Expect::Swatch}}},
};

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool FrameLike(Rgb p) { return p.Near(Rgb{100, 100, 100}, 20); }
bool Dark(Rgb p) { return p.r < 90 && p.g < 90 && p.b < 90; }

// Share of the rows [top, bottom) of a snapshot whose pixels pass the test.
template <typename Test>
double ShareOf(const Snapshot& shot, int top, int bottom, Test test) {
  int count = 0, all = 0;
  for (int y = top; y < bottom && y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x, ++all) count += test(shot.At(x, y)) ? 1 : 0;
  }
  return all ? static_cast<double>(count) / all : 0;
}

// Text lines as bands of rows holding dark pixels (a blank row or more between two).
int TextLines(const Snapshot& shot) {
  int lines = 0;
  bool inLine = false;
  for (int y = 0; y < shot.height; ++y) {
    bool dark = false;
    for (int x = 0; x < shot.width && !dark; ++x) dark = Dark(shot.At(x, y));
    if (dark && !inLine) ++lines;
    inLine = dark;
  }
  return lines;
}

// The first column holding a dark pixel: where the text begins (-1 for none).
int FirstDarkColumn(const Snapshot& shot) {
  for (int x = 0; x < shot.width; ++x) {
    for (int y = 0; y < shot.height; ++y) {
      if (Dark(shot.At(x, y))) return x;
    }
  }
  return -1;
}

// The first row holding a dark pixel right of the box of a check box: its caption's top.
int FirstDarkRow(const Snapshot& shot) {
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 20; x < shot.width; ++x) {
      if (Dark(shot.At(x, y))) return y;
    }
  }
  return -1;
}

bool Light(Rgb p) { return p.r > 200 && p.g > 200 && p.b > 200; }
int Brightness(Rgb p) { return (p.r + p.g + p.b) / 3; }

// Pixels of the first 16 columns (where a box or circle lies) that differ between two shots.
int MarkPixelsApart(const Snapshot& a, const Snapshot& b) {
  int apart = 0;
  for (int y = 0; y < a.height && y < b.height; ++y) {
    for (int x = 0; x < 16 && x < a.width && x < b.width; ++x) {
      apart += a.At(x, y).Near(b.At(x, y), 40) ? 0 : 1;
    }
  }
  return apart;
}

int MeanBrightness(const Snapshot& shot) {
  long sum = 0;
  for (const Rgb& p : shot.pixels) sum += Brightness(p);
  return shot.pixels.empty() ? 0 : static_cast<int>(sum / static_cast<long>(shot.pixels.size()));
}

// Share of the dialog's client pixels outside every visible control that are light.
double LightShareOutsideControls(HWND dialog) {
  Snapshot shot = Capture(dialog);
  std::vector<RECT> controls;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    controls.push_back(place);
  }
  int light = 0, all = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      bool inside = false;
      for (const RECT& place : controls) inside = inside || PtInRect(&place, POINT{x, y});
      if (inside) continue;
      ++all;
      light += Light(shot.At(x, y)) ? 1 : 0;
    }
  }
  return all ? static_cast<double>(light) / all : 0;
}

bool DarkInColumn(const Snapshot& shot, int x) {
  for (int y = 0; y < shot.height; ++y) {
    if (Dark(shot.At(x, y))) return true;
  }
  return false;
}

// Where the left half of the static lies in the dialog's whole window, for the border check.
int MiddleRowInWindow(HWND dialog, HWND control) {
  RECT own{}, place{};
  GetWindowRect(dialog, &own);
  GetWindowRect(control, &place);
  return (place.top + place.bottom) / 2 - own.top;
}

// The focus goes into the control and on to `away`; the pointer passes over its client area
// and over its vertical bar (a simple combo box's is on its list).
void PassThrough(HWND control, HWND away) {
  // A combo box's own edit takes the focus, as a file name field's does; an extended combo
  // box holds its combo box, which holds the edit.
  HWND inner = FindWindowExA(control, nullptr, "ComboBox", nullptr);
  HWND field = FindWindowExA(inner ? inner : control, nullptr, "Edit", nullptr);
  SetFocus(field ? field : control);
  PumpFor(50);
  HWND barred = FindWindowExA(control, nullptr, "ComboLBox", nullptr);
  barred = barred ? barred : control;
  RECT bar{};
  GetWindowRect(barred, &bar);
  // The pointer moves for real: the system tracks it over the bars and buttons itself.
  for (POINT to : {POINT{bar.right - 8, bar.top + 4}, POINT{bar.right - 8, bar.bottom - 6},
                   POINT{bar.left + 4, bar.top + 4}, POINT{1, 1}}) {
    SetCursorPos(to.x, to.y);
    PumpFor(80);
  }
  SetFocus(away);
  PumpFor(100);
}

// Pixels of the right 20 columns inside the border (a drop button, a bar) that differ.
int RightPixelsApart(const Snapshot& a, const Snapshot& b) {
  int apart = 0;
  for (int y = 3; y < a.height - 3 && y < b.height; ++y) {
    for (int x = std::max(a.width - 20, 0); x < a.width - 3 && x < b.width; ++x) {
      apart += a.At(x, y).Near(b.At(x, y), 24) ? 0 : 1;
    }
  }
  return apart;
}

// Contrast of two pixels as the accessibility guidelines measure it (its helper's own table
// is in the records' tests).
double Contrast(Rgb a, Rgb b) { return ContrastRatio(RGB(a.r, a.g, a.b), RGB(b.r, b.g, b.b)); }

// Pixels two apart in a row that differ at 3:1 or more: the edges of legible strokes (a
// colour chosen at 4.5:1 shows less in the antialiased one-pixel strokes of a 12-pixel face).
// A caption blurred by a halo has none.
int SharpEdges(const Snapshot& shot) {
  int edges = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x + 2 < shot.width; ++x) {
      edges += Contrast(shot.At(x, y), shot.At(x + 2, y)) >= 3.0 ? 1 : 0;
    }
  }
  return edges;
}

// The engine's drop buttons and bars carry the accent's cyan; the system's are grey.
bool Tinted(Rgb p) { return p.b > p.r + 16 && p.g > p.r + 16; }

// Tinted pixels in the right 20 columns of a shot.
int RightPixelsTinted(const Snapshot& shot) {
  int tinted = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = std::max(shot.width - 20, 0); x < shot.width; ++x) {
      tinted += Tinted(shot.At(x, y)) ? 1 : 0;
    }
  }
  return tinted;
}

// Pixels of a shot near the colour that the selected item's data holds.
int PixelsOfSelectedColour(HWND combo) {
  auto selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  auto colour = static_cast<COLORREF>(SendMessageA(combo, CB_GETITEMDATA, selected, 0));
  Rgb swatch{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  return Capture(combo, true).Count([&](Rgb p) { return p.Near(swatch, 30); });
}

struct Shown {
  int width = 0;
  std::map<WORD, int> lines;
  std::map<WORD, int> textLeft;
  std::map<WORD, bool> lastColumnDark;
  std::map<WORD, int> widths, textTop;
};

// Saves a snapshot as a 24-bit BMP under build/screenshots, for looking at.
void Save(const Snapshot& shot, const std::string& name) {
  CreateDirectoryA("screenshots", nullptr);
  FILE* out = std::fopen(("screenshots/" + name + ".bmp").c_str(), "wb");
  if (!out) return;
  int row = (shot.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + row * shot.height), 0, 0, 54};
  BITMAPINFOHEADER info{sizeof info, shot.width, shot.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::vector<unsigned char> line(static_cast<size_t>(row));
  for (int y = shot.height - 1; y >= 0; --y) {
    for (int x = 0; x < shot.width; ++x) {
      Rgb p = shot.At(x, y);
      line[x * 3] = static_cast<unsigned char>(p.b);
      line[x * 3 + 1] = static_cast<unsigned char>(p.g);
      line[x * 3 + 2] = static_cast<unsigned char>(p.r);
    }
    std::fwrite(line.data(), 1, line.size(), out);
  }
  std::fclose(out);
}

TEST(GalleryLayouts, EachShowsStyledWhatTheSystemShowsAndGrowsBySixPixelsOnly) {
  ASSERT_TRUE(classesRegistered);
  for (const LayoutCase& layout : Layouts) {
    SCOPED_TRACE(layout.name);
    std::vector<GalleryControl> rows = GalleryLayout(layout.firstId);
    DialogTemplate dialogTemplate = BuildGalleryTemplate(rows, "layout");
    std::string file = "layout_" + std::to_string(layout.firstId);
    Shown plain;
    RunPlainDialog(
        dialogTemplate.Get(),
        [&](HWND dialog) {
          PumpFor(100);
          plain.width = Capture(dialog, true).width;
          Save(Capture(dialog, true), file + "_plain");
          for (const Check& check : layout.checks) {
            Snapshot shot = Capture(GetDlgItem(dialog, check.id));
            plain.lines[check.id] = TextLines(shot);
            plain.textLeft[check.id] = FirstDarkColumn(shot);
            plain.lastColumnDark[check.id] = DarkInColumn(shot, shot.width - 1);
            plain.widths[check.id] = shot.width;
            plain.textTop[check.id] = FirstDarkRow(shot);
          }
        },
        GalleryDialogProc);
    RunStyledDialog(
        dialogTemplate.Get(),
        [&](HWND dialog) {
          PumpFor(300);
          Snapshot whole = Capture(dialog, true);
          Save(whole, file + "_styled");
          EXPECT_EQ(whole.width, plain.width + 6);
          for (const Check& check : layout.checks) {
            if (check.expect == Expect::NoLight) {
              // Painted again whole: a brush some control freed after the first paint shows.
              RedrawWindow(dialog, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
              PumpFor(100);
              EXPECT_LT(LightShareOutsideControls(dialog), 0.02);
              continue;
            }
            HWND control = GetDlgItem(dialog, check.id);
            Snapshot shot = Capture(control, check.expect == Expect::Face);
            switch (check.expect) {
              case Expect::Face:
                EXPECT_LT(ShareOf(shot, 0, shot.height, FrameLike), 0.05) << check.id;
                EXPECT_LT(ShareOf(shot, 0, 3, FrameLike), 0.05) << check.id << " top rows";
                break;
              case Expect::Frame:
                EXPECT_GT(ShareOf(shot, 0, shot.height, FrameLike), 0.5) << check.id;
                break;
              case Expect::Lines:
                EXPECT_EQ(TextLines(shot), plain.lines[check.id]) << check.id;
                // A static's text begins where the system's does (its own box is drawn
                // darker than the system's, so a check box's text is not found this way).
                if (ClassOf(control) == "Static") {
                  EXPECT_NEAR(FirstDarkColumn(shot), plain.textLeft[check.id], 4) << check.id;
                }
                // The columns past the control's own width: a static's added pixels are room
                // for the halo, not for its text (GDI+'s glyphs may fill the last own column,
                // where the system's bitmap glyphs of the same cells leave it blank).
                for (int x = plain.widths[check.id]; x < shot.width; ++x) {
                  if (plain.lastColumnDark[check.id]) break;
                  EXPECT_FALSE(DarkInColumn(shot, x)) << check.id << " column " << x;
                }
                break;
              case Expect::Top:
                EXPECT_NEAR(FirstDarkRow(shot), plain.textTop[check.id], 2) << check.id;
                break;
              case Expect::Mark:
                EXPECT_GT(MarkPixelsApart(shot, Capture(GetDlgItem(dialog, check.id - 1))), 5)
                    << check.id;
                break;
              case Expect::Greyed:
                EXPECT_EQ(shot.Count(Dark), 0) << check.id;
                EXPECT_GT(shot.Count([](Rgb p) { return Brightness(p) < 150; }), 10) << check.id;
                break;
              case Expect::Value: {
                // An editable field's face is white; the frame's is about 100.
                int face = MeanBrightness(shot);
                EXPECT_LT(face, (100 + 255) / 2 + 20) << check.id;
                EXPECT_GT(face, 140) << check.id << " text stays on a light enough face";
                break;
              }
              case Expect::BoxRight: {
                // The box's white face: in the last 16 columns, none in the first 16.
                int right = 0, left = 0;
                for (int y = 0; y < shot.height; ++y) {
                  for (int x = 0; x < 16; ++x) {
                    left += shot.At(x, y).Near(Rgb{255, 255, 255}, 12) ? 1 : 0;
                    right += shot.At(shot.width - 1 - x, y).Near(Rgb{255, 255, 255}, 12) ? 1 : 0;
                  }
                }
                EXPECT_GT(right, 40) << check.id;
                EXPECT_LT(left, right / 4) << check.id;
                break;
              }
              case Expect::NoLight:
                break;
              case Expect::LeftEdge: {
                // The engine's border is a light grey (about 175); the list's sunken edge
                // within is darker (about 106 under Wine, black on Windows).
                int dark = 0;
                for (int y = 0; y < shot.height; ++y) {
                  for (int x = 0; x < 4 && x < shot.width; ++x) {
                    dark += Brightness(shot.At(x, y)) < 140 ? 1 : 0;
                  }
                }
                EXPECT_EQ(dark, 0) << check.id;
                break;
              }
              case Expect::Readable:
                EXPECT_GT(SharpEdges(shot), 20) << check.id;
                break;
              case Expect::Kept: {
                Snapshot before = Capture(control, true);
                PassThrough(control, GetDlgItem(dialog, layout.checks.back().id + 1));
                Snapshot after = Capture(control, true);
                EXPECT_LT(RightPixelsApart(before, after), 8) << check.id;
                EXPECT_GT(RightPixelsTinted(after), 30) << check.id;
                break;
              }
              case Expect::Swatch:
                EXPECT_GT(PixelsOfSelectedColour(control), 60) << check.id;
                SendMessageA(control, CB_SETCURSEL, 1, 0);
                PumpFor(100);
                EXPECT_GT(PixelsOfSelectedColour(control), 60) << check.id << " another item";
                break;
              case Expect::GroupEdge: {
                RECT box{}, label{};
                GetWindowRect(GetDlgItem(dialog, check.id - 1), &box);
                GetWindowRect(control, &label);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&label), 2);
                Snapshot client = Capture(dialog);
                int x = box.right - 2, y = (label.top + label.bottom) / 2;
                Rgb beside = client.At(x, y), below = client.At(x, box.bottom - 10);
                EXPECT_TRUE(beside.Near(below, 8))
                    << beside.r << "," << beside.g << "," << beside.b;
                break;
              }
              case Expect::Border: {
                int y = MiddleRowInWindow(dialog, control), x = whole.width - 2;
                Rgb beside = whole.At(x, y), elsewhere = whole.At(x, whole.height / 2);
                EXPECT_TRUE(beside.Near(elsewhere, 8))
                    << beside.r << "," << beside.g << "," << beside.b;
                break;
              }
            }
          }
        },
        GalleryDialogProc);
  }
}

}  // namespace
