#pragma once
// The gallery's property sheet and wizard: three pages that between them hold every styled
// control family (the gallery's own rows, a block of them a page), the last one holding a child
// dialog of its own. gallery.exe sheet and gallery.exe wizard show them.

#include <windows.h>
#include <prsht.h>

#include <vector>

#include "gallery/gallery_table.h"

inline constexpr int GalleryPageCount = 3;
// The control ids of the child dialog on the last page, and of that dialog itself.
inline constexpr WORD NestedDialogId = 900;
inline constexpr WORD NestedCheckBoxId = 901;
inline constexpr WORD NestedEditId = 902;

// The rows of page `page` (0 ... GalleryPageCount - 1), placed from the page's top-left.
std::vector<GalleryControl> GalleryPageRows(int page);

// "sheet" or "wizard".
bool IsGallerySheetName(const char* name);

// The sheet's header as PropertySheetA takes it: its pages' templates and procedure, modal.
class GallerySheet {
 public:
  explicit GallerySheet(bool wizard);
  GallerySheet(const GallerySheet&) = delete;
  GallerySheet& operator=(const GallerySheet&) = delete;

  PROPSHEETHEADERA& Header() { return header_; }
  // Another page like page `page`, for PSM_ADDPAGE; PSM_REMOVEPAGE or the sheet destroys it.
  HPROPSHEETPAGE CreatePage(int page);

 private:
  std::vector<DialogTemplate> templates_;
  std::vector<PROPSHEETPAGEA> pages_;
  PROPSHEETHEADERA header_{};
};

// Shows the named sheet, styled or in the system's own look; 0 when it closed with OK (or
// Finish), 1 otherwise.
int ShowGallerySheet(const char* name, bool styled);
