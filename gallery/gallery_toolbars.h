#pragma once
// The gallery's toolbars: their buttons and images, made at run time by the rows' fill
// functions (messages alone cannot make an image list).

#include <windows.h>

// Ids of the gallery's toolbar region.
inline constexpr WORD TextBelowToolbarId = 601;
inline constexpr WORD ListToolbarId = 602;
inline constexpr WORD ContainerToolbarId = 603;
inline constexpr WORD ToolbarEditId = 604;   // a child of the container toolbar
inline constexpr WORD ToolbarComboId = 605;  // likewise

// Command ids of the buttons of the text-below toolbar, in order.
enum GalleryToolbarCommand : int {
  CommandNew = 610,
  CommandOpen,
  CommandSave,
  CommandBold,
  CommandDisabled,
  CommandUndecided,
  CommandDropDown,
  CommandCut,
  CommandCopy,
  CommandPaste,
  CommandFind,
  CommandGo,
  CommandList1,
  CommandList2,
  CommandList3,
};

// Text-below layout: normal, hot, pressed, checked, disabled and indeterminate buttons, a
// drop-down button, separators within the first row and one that starts the wrapped second row.
void FillTextBelowToolbar(HWND toolbar);
// List layout (text beside the icon), with a checked button and a separator.
void FillListToolbar(HWND toolbar);
// Two buttons around an edit and a combo box that are the toolbar's own children.
void FillContainerToolbar(HWND toolbar);
