#include "drawing/fonts_text.h"

#include <string>

#include "drawing/native.h"

// --- FontFamily ---

bool FontFamily::CreateFromName(const char* name, FontCollection& collection) {
  Delete();
  std::wstring wide = AnsiToUtf16(name);
  Gdiplus::GpFontFamily* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateFontFamilyFromName(
      wide.c_str(), As<Gdiplus::GpFontCollection>(collection), &native);
  return Adopt(*this, status, native);
}

std::string FontFamily::GetName() {
  WCHAR name[LF_FACESIZE] = {};
  if (!StoreStatus(G::GdipGetFamilyName(As<Gdiplus::GpFontFamily>(*this), name, 0))) return {};
  name[LF_FACESIZE - 1] = L'\0';
  return Utf16ToOem(name);
}

bool FontFamily::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteFontFamily(As<Gdiplus::GpFontFamily>(*this)));
  SetHandle(nullptr);
  return ok;
}

// --- Font ---

Font::~Font() { Delete(); }

bool Font::CreateFromFamilyName(const char* family, float emSize, int style, int unit) {
  Delete();
  FontFamily temporary;
  {
    FontCollection installed;
    temporary.CreateFromName(family, installed);
  }
  Gdiplus::GpFont* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateFont(As<Gdiplus::GpFontFamily>(temporary), emSize, style,
                                               static_cast<Gdiplus::Unit>(unit), &native);
  bool ok = Adopt(*this, status, native);
  // The font keeps no reference to the family.
  temporary.Delete();
  lastStatus = status;
  return ok;
}

bool Font::CreateFromHfont(HDC hdc, HFONT hfont) {
  Delete();
  Gdiplus::GpFont* native = nullptr;
  Gdiplus::GpStatus status;
  LOGFONTA logfont{};
  if (hfont != nullptr && GetObjectA(hfont, sizeof logfont, &logfont) != 0) {
    status = G::GdipCreateFontFromLogfontA(hdc, &logfont, &native);
  } else {
    status = G::GdipCreateFontFromDC(hdc, &native);
  }
  return Adopt(*this, status, native);
}

bool Font::GetFamily(FontFamily& family) {
  family.Delete();
  Gdiplus::GpFontFamily* native = nullptr;
  Gdiplus::GpStatus status = G::GdipGetFamily(As<Gdiplus::GpFont>(*this), &native);
  return Adopt(family, status, native);
}

int Font::GetStyle() {
  INT style = 0;
  if (!StoreStatus(G::GdipGetFontStyle(As<Gdiplus::GpFont>(*this), &style))) return 0;
  return style;
}

float Font::GetSize() {
  Gdiplus::REAL size = 0;
  if (!StoreStatus(G::GdipGetFontSize(As<Gdiplus::GpFont>(*this), &size))) return 0;
  return size;
}

bool Font::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteFont(As<Gdiplus::GpFont>(*this)));
  SetHandle(nullptr);
  return ok;
}

// --- StringFormat ---

StringFormat::~StringFormat() { Delete(); }

bool StringFormat::Create(int flags, int language) {
  Delete();
  Gdiplus::GpStringFormat* native = nullptr;
  Gdiplus::GpStatus status =
      G::GdipCreateStringFormat(flags, static_cast<LANGID>(language), &native);
  return Adopt(*this, status, native);
}

bool StringFormat::SetFlags(int flags) {
  return StoreStatus(G::GdipSetStringFormatFlags(As<Gdiplus::GpStringFormat>(*this), flags));
}

bool StringFormat::SetAlign(int alignment) {
  return StoreStatus(G::GdipSetStringFormatAlign(As<Gdiplus::GpStringFormat>(*this),
                                                 static_cast<Gdiplus::StringAlignment>(alignment)));
}

bool StringFormat::SetLineAlign(int alignment) {
  return StoreStatus(G::GdipSetStringFormatLineAlign(
      As<Gdiplus::GpStringFormat>(*this), static_cast<Gdiplus::StringAlignment>(alignment)));
}

bool StringFormat::SetTrimming(int trimming) {
  return StoreStatus(G::GdipSetStringFormatTrimming(
      As<Gdiplus::GpStringFormat>(*this), static_cast<Gdiplus::StringTrimming>(trimming)));
}

bool StringFormat::SetHotkeyPrefix(int prefix) {
  return StoreStatus(
      G::GdipSetStringFormatHotkeyPrefix(As<Gdiplus::GpStringFormat>(*this), prefix));
}

bool StringFormat::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteStringFormat(As<Gdiplus::GpStringFormat>(*this)));
  SetHandle(nullptr);
  return ok;
}
