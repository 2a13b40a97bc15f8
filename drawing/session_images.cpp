#include "drawing/session_images.h"

#include <windows.h>
#include <gdiplus.h>

std::uintptr_t gdiplusToken = 0;

std::uintptr_t StartGdiplus(std::int32_t version, bool versionGiven) {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = versionGiven ? static_cast<UINT32>(version) : 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  gdiplusToken = token;
  return token;
}
