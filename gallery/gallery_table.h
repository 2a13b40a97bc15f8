#pragma once
// The gallery: one dialog holding every styled control family in the states worth seeing, made
// from one table of controls. gallery.exe shows it through the style hook; the benchmark and the
// tests build the same dialog from the same table.

#include <windows.h>

#include <vector>

// A message sent to a control after the dialog is made; `text`, when given, is the lParam.
struct GallerySend {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  const char* text = nullptr;
};

// Where a control lies in the dialog, in dialog units.
struct GalleryPlace {
  short x = 0, y = 0, width = 0, height = 0;
};

// One control of the gallery dialog; rows name their fields (designated initializers).
struct GalleryControl {
  const char* className = "";
  const char* text = "";
  DWORD style = 0;  // WS_CHILD and WS_VISIBLE are always added
  GalleryPlace place;
  WORD id = 0;
  std::vector<GallerySend> setup;        // sent in order on WM_INITDIALOG
  void (*fill)(HWND control) = nullptr;  // contents that messages cannot express
  DWORD exStyle = 0;
};

// The caption of the gallery dialog.
inline constexpr char GalleryCaption[] = "控件一览";

const std::vector<GalleryControl>& GalleryControls();

// The rows of one layout of ordinary programs' dialogs (ids firstId ... firstId + 9 of the
// 700 block), to show on their own in a dialog of the gallery's template.
std::vector<GalleryControl> GalleryLayout(WORD firstId);

// An in-memory dialog template (DLGTEMPLATE with DS_SETFONT and its items), kept DWORD-aligned.
class DialogTemplate {
 public:
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  std::vector<WORD>& Words() { return words_; }

 private:
  std::vector<WORD> words_;
};

// The template of a dialog holding the given controls (the gallery's table by default).
DialogTemplate BuildGalleryTemplate(const std::vector<GalleryControl>& controls = GalleryControls(),
                                    const char* caption = GalleryCaption);

// Sends each control's setup messages and runs its fill function.
void FillGalleryControls(HWND dialog,
                         const std::vector<GalleryControl>& controls = GalleryControls());

// The common controls the gallery holds (list views, track bars, date pickers...).
void RegisterGalleryControlClasses();

// The gallery's dialog procedure: fills the controls, draws the items of its owner-drawn colour
// list, ends on IDOK, IDCANCEL and WM_CLOSE.
INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
