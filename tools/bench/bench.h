#pragma once
// Shared pieces of the paint-speed benchmark: the clock, medians, alternating runs and the table.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The hidden window that owns every box of the bench.
extern HWND benchOwner;

// Opens a box or dialog with `show` (owned by benchOwner) and runs `whileShown` inside its modal
// loop at the first idle moment with no paint left, the end of its first complete paint; the
// box is closed when that returns.
void WithBox(const std::function<void()>& show, const std::function<void(HWND)>& whileShown);

// Dispatches messages for the time given.
void Settle(int milliseconds);
void PlaceAt(HWND window, int x, int y);

// Milliseconds on the performance counter.
double NowMs();
double Median(std::vector<double> values);

// The styled and the plain side of one measure.
struct Pair {
  double styled = 0;
  double plain = 0;
  // The display server's processor time per sample (ms), when it can be read.
  double styledDisplay = -1;
  double plainDisplay = -1;
  int rounds = 0;     // samples taken of each side
  double halves = 0;  // how far apart the ratios of the first and second half of them lie
  double Ratio() const { return plain > 0 ? styled / plain : 0; }
};

// Medians of two timed actions run alternately, the order swapped every round: at least `rounds`
// rounds, and more, a block of `rounds` at a time, until the first and the second half of the
// samples give ratios within 4 % of each other (so that two runs come out close), at most eight
// blocks (BENCH_MAX_BLOCKS).
Pair AlternateMedians(int rounds, const std::function<double()>& styled,
                      const std::function<double()>& plain);

// The project's goals, styled against plain.
inline constexpr double FamilyRepaintGoal = 1.0;   // any family's controls repainted
inline constexpr double FamilyRepaintLimit = 1.1;  // and none over this in any run
inline constexpr double WelcomeRepaintGoal = 1.0;
inline constexpr double FirstPaintGoal = 1.15;

// A full synchronous repaint of the window: frame, client and every child.
double TimeRepaint(HWND window);

// A count from the environment variable, else the fallback.
int Repeats(const char* name, int fallback);

// One row of the table: both medians, their ratio, the goal for it and whether it was met, the
// rounds and how far their halves lay apart.
void PrintRow(const std::string& what, const Pair& pair, double goal);
// A row without a goal: a share of a measure, for finding where its time goes.
void PrintShare(const std::string& what, const Pair& pair);

// Gallery: every control family's controls repainted, styled against plain, grouped by class.
void GalleryRepaints();

// BENCH_TRACE set: the messages of `rounds` repaints, counted and timed per window class.
bool Tracing();
void TraceRepaints(const std::string& what, const std::function<double()>& repaint, int rounds);
