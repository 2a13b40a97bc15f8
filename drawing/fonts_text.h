#pragma once
// Fonts (from a family name or from a control's HFONT), font families, the installed-fonts
// collection and string formats for alignment, wrapping and trimming.

#include <windows.h>

#include <string>

#include "drawing/drawing_object.h"

class FontFamily;

// No native collection is ever made: handle 0 stands for the installed fonts.
class FontCollection : public DrawingObject {};

// Not deleted by destruction: whoever fills a family deletes it with Delete.
class FontFamily : public DrawingObject {
 public:
  // Fails, leaving the family empty, for a name that is not installed.
  bool CreateFromName(const char* name, FontCollection& collection);
  std::string GetName();  // empty on failure
  bool Delete();
};

class Font : public DrawingObject {
 public:
  Font() = default;
  ~Font();

  // Style bits: bold 1, italic 2, underline 4, strikeout 8. Units: 0 World, 2 Pixel.
  bool CreateFromFamilyName(const char* family, float emSize, int style, int unit);
  // The font of `hfont`, or the DC's selected font when hfont is 0 or cannot be read.
  bool CreateFromHfont(HDC hdc, HFONT hfont);
  // Fills `family` (deleting what it held); the caller deletes it.
  bool GetFamily(FontFamily& family);
  int GetStyle();   // 0 on failure
  float GetSize();  // 0 on failure
  bool Delete();
};

class StringFormat : public DrawingObject {
 public:
  StringFormat() = default;
  ~StringFormat();

  // Flags used: 0, 0x800 MeasureTrailingSpaces, 0x1000 NoWrap, 2 DirectionVertical.
  bool Create(int flags = 0, int language = 0);
  bool SetFlags(int flags);
  bool SetAlign(int alignment);      // 0 Near, 1 Center, 2 Far
  bool SetLineAlign(int alignment);  // 0 Near, 1 Center, 2 Far
  bool SetTrimming(int trimming);    // 3 EllipsisCharacter
  // How "&" marks are drawn: 0 None (as text), 1 Show (the next character underlined), 2 Hide
  // (removed); in the last two "&&" is one "&".
  bool SetHotkeyPrefix(int prefix);
  bool Delete();
};
