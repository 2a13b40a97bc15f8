#pragma once
// Pieces of the window procedures of controls that the engine paints whole (track bars,
// progress bars, up-down controls, headers): the system's own drawing never reaches the screen.

#include <windows.h>

#include <optional>

#include "styling/records/printing.h"
#include "styling/records/records.h"

// Where a styled control's procedure finds itself: its record ("Hw_FuID") and its entry
// position ("Hw_lbID").
struct ControlPlace {
  int styleIndex = 0;
  int position = 0;
};
inline ControlPlace PlaceOf(HWND control) {
  return {static_cast<int>(ReadProperty(control, StyleIndexProperty)),
          static_cast<int>(ReadProperty(control, EntryIndexProperty))};
}

// What a styled control's procedure looks up first: its record, its entry and its place. Both
// pointers are null when the window is not (or no longer) that entry's control; the message
// then goes straight on to the system.
template <typename Entry>
struct StyledControl {
  StyleRecord* record = nullptr;
  Entry* entry = nullptr;
  ControlPlace place;
};
template <typename Entry>
StyledControl<Entry> StyledControlOf(HWND control, FamilyList<Entry> StyleRecord::*family) {
  Entry* entry = ControlEntry(control, family);
  if (!entry) return {};
  return {RecordOfControl(control), entry, PlaceOf(control)};
}

// What WM_PAINT answers once the window is painted and validated. (DefWindowProc's answer is the
// same, after it has begun and ended another paint of the validated window: a round trip to
// the server under Wine for nothing.)
inline constexpr LRESULT PaintedAnswer = 0;

// The control whose WM_PAINT is in its BeginPaint: the WM_NCPAINT sent from there needs no look
// of its own when the paint that follows draws the whole window.
inline thread_local HWND beginningPaint = nullptr;

// WM_PAINT: validates the window around paint(); the system's painting is never asked for.
template <typename Paint>
LRESULT PaintInsteadOfSystem(HWND control, WPARAM, LPARAM, Paint&& paint) {
  PAINTSTRUCT ps{};
  HWND outer = beginningPaint;
  beginningPaint = control;
  BeginPaint(control, &ps);
  beginningPaint = outer;
  paint();
  EndPaint(control, &ps);
  return PaintedAnswer;
}

// WM_PAINT of a control whose look covers its client area only: paint(dc) draws into the
// BeginPaint DC, which saves a DC of its own.
template <typename Paint>
LRESULT PaintIntoPaintDc(HWND control, WPARAM, LPARAM, Paint&& paint) {
  PAINTSTRUCT ps{};
  HWND outer = beginningPaint;
  beginningPaint = control;
  HDC dc = BeginPaint(control, &ps);
  beginningPaint = outer;
  if (dc) paint(dc);
  EndPaint(control, &ps);
  return PaintedAnswer;
}

// Whether the look covers the non-client area too (border included): then WM_NCPAINT paints it
// instead of the system.
enum class NonClientArea { System, Painted };

// The paint messages every control painted whole answers alike: a move paints the look at its
// new place and goes on to the system; WM_PAINT paints instead of the system; the background is
// left to the look; WM_NCPAINT as `nonClient` says; WM_PRINTCLIENT and WM_PRINT paint the same
// look into the DC they give. paint(HDC) takes that DC (null: the window's own), its origin at
// the whole window's when the look covers the non-client area, else at the client area's. True,
// with the result, when answered here.
template <typename Paint>
bool AnswerPaintMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                        NonClientArea nonClient, Paint&& paint, LRESULT& result) {
  switch (message) {
    case WM_MOVE:
      paint();
      return false;
    case WM_PAINT:
      result = PaintInsteadOfSystem(control, wParam, lParam, paint);
      return true;
    case WM_ERASEBKGND:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = 1;
      return true;
    case WM_NCPAINT:
      if (nonClient == NonClientArea::System) return false;
      // Sent from the BeginPaint of our WM_PAINT, whose look covers the border as well.
      if (beginningPaint != control) paint();
      result = 1;
      return true;
    case WM_PRINTCLIENT:
      result = PrintClient(
          control, reinterpret_cast<HDC>(wParam),
          nonClient == NonClientArea::Painted ? LookArea::WholeWindow : LookArea::Client, paint);
      return true;
    case WM_PRINT:
      result = PrintWindowParts(
          control, reinterpret_cast<HDC>(wParam), lParam,
          nonClient == NonClientArea::Painted ? std::function<void(HDC)>(paint) : nullptr);
      return true;
    default:
      return false;
  }
}

// A procedure's first step: a message to a window that is not (or no longer) its entry's control
// goes on to the system; a paint message is answered by AnswerPaintMessage. Empty when the
// procedure has the message to itself.
template <typename Entry, typename Paint>
std::optional<LRESULT> AnswerFirst(HWND control, const Entry* entry, UINT message, WPARAM wParam,
                                   LPARAM lParam, NonClientArea nonClient, Paint&& paint) {
  if (!entry) return ForwardMessage(control, message, wParam, lParam);
  if (LRESULT answer = 0;
      AnswerPaintMessage(control, message, wParam, lParam, nonClient, paint, answer)) {
    return answer;
  }
  return std::nullopt;
}

// Passes the message on, then paints the styled look at once: the system may answer the
// message by drawing the control itself there and then, outside WM_PAINT.
template <typename Paint>
LRESULT ForwardThenPaint(HWND control, UINT message, WPARAM wParam, LPARAM lParam, Paint&& paint) {
  LRESULT result = ForwardMessage(control, message, wParam, lParam);
  paint();
  return result;
}
