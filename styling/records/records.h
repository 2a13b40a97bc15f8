#pragma once
// The styling engine's shared state: globals, style records and their lists.

#include <windows.h>

// Engine globals, set once at start-up.
extern bool StylingEnabled;   // every control installer does nothing while false
extern COLORREF AccentColour; // hover and pressed tint of the painters
extern bool TrackBarOption;
extern bool ListOption;
extern HICON ApplicationIcon;  // drawn in the caption of styled windows

// Start-up: empty style-record list and memory-DC registry.
void CreateStyleLists();
// Exit clean-up: frees every remaining style record and what it owns.
void ReleaseAllStyleRecords();
