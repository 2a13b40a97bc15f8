#pragma once
// The three kinds of skinned windows and the catcher that finds them. Each kind is a
// comctl32 subclass of its own; being subclassed is what "skinned" means.

#include <windows.h>

namespace skin {

inline constexpr UINT_PTR kSubclassId = 0x53484531;  // "SHE1"

// Top-level windows: frame, caption, caption buttons, client background.
bool SkinFrame(HWND window);
bool IsSkinnedFrame(HWND window);
// After a new theme: new frame metrics and region, and a repaint of the whole window.
void RefreshFrame(HWND window);

// Tab controls: tabs and page area.
bool SkinTabControl(HWND tab);
bool IsSkinnedTab(HWND window);
// The page area in the tab control's client coordinates.
bool TabPageRect(HWND tab, RECT* page);

// Push buttons: normal, hover, pressed and disabled looks.
bool SkinPushButton(HWND button);
bool IsSkinnedButton(HWND window);

// Skins the calling thread's present top-level windows and their children, and repaints
// every window already skinned.
void SkinThreadWindows();
// Installs the calling thread's creation hook once; false when it could not be installed.
bool CatchFutureWindows();

}  // namespace skin
