#include "drawing/drawing_object.h"

#include <windows.h>

std::int32_t lastStatus = 0;

void DrawingObject::SetHandle(void* native) {
  nativeHandle = native;
  handle = reinterpret_cast<std::intptr_t>(native);
}

std::wstring AnsiToUtf16(const char* text) {
  if (text == nullptr || *text == '\0') return {};
  int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
  wide.resize(static_cast<std::size_t>(units - 1));
  return wide;
}

std::string Utf16ToOem(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return {};
  int bytes = WideCharToMultiByte(CP_OEMCP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_OEMCP, 0, text, -1, narrow.data(), bytes, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(bytes - 1));
  return narrow;
}

bool StoreStatus(int status) {
  lastStatus = status;
  return status == 0;
}
