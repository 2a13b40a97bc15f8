#pragma once
// The program's entry: process-wide values, the main window and the start-up work.

#include <windows.h>

// Loads the program's icon: resource 129, else the resource "DEFAULT_ICON"; null when neither.
HICON LoadApplicationIcon(HINSTANCE module);

// Sets the styling engine's globals to their start-up values.
void SetStylingGlobals();

// Starts the styling engine, in this order: the style lists, GDI+, the program's icon (drawn in
// styled captions) and the globals. Every program that shows styled windows begins with it.
void StartStylingEngine();

// The main window's created handler: the start-up work, in its fixed order. False when the
// update check has asked the main window to close: it is then never shown.
bool RunStartupWork(HWND mainWindow);

// The start-up sequence and message loop; returns the process exit code.
int RunLauncher(HINSTANCE instance);
