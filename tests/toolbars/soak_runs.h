#pragma once
// Opening styled windows over and over in one process, and what that leaves behind: the free
// GDI handle slots and the private bytes before and after. Shared by the soak test (small
// counts) and the soak program (the full counts).

#include <cstdint>
#include <functional>

struct SoakFigures {
  const char* what = "";
  int count = 0;
  int freeGdiBefore = 0;
  int freeGdiAfter = 0;
  std::int64_t privateBefore = 0;
  std::int64_t privateAfter = 0;
  double seconds = 0;
  // What one opening loses with the engine off: the system's own controls' share (Wine's
  // IP-address control loses a font per instance), not the engine's.
  int systemLossPerOpening = 0;
};

// Opens the window `count` times after one warm-up opening (first-use caches of the system and
// of GDI+); `open` returns once the window is closed. Windows are closed as soon as they have
// painted.
SoakFigures Soak(const char* what, int count, const std::function<void()>& open);

SoakFigures SoakStyledBoxes(int count);
SoakFigures SoakGallery(int count);
SoakFigures SoakCommonDialog(const char* name, int count);

// One line of figures on stdout.
void PrintFigures(const SoakFigures& figures);
