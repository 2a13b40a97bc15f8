#pragma once
// The common base of every drawing object, the process-wide GDI+ status and the text
// conversions used on the way to and from GDI+.

#include <cstdint>
#include <string>

using ARGB = std::uint32_t;  // GDI+ colour: 0xAARRGGBB

struct RectF {
  float x, y, width, height;
};

struct PointF {
  float x, y;
};

// Receives the GDI+ status of every drawing call that returns one; nobody is obliged to read it.
extern std::int32_t lastStatus;

// Owns one native GDI+ object. `handle` is the public copy of the native pointer that other
// objects' operations read; `nativeHandle` is the pointer written by the creating call.
// Non-copyable: exactly one object deletes the native one.
class DrawingObject {
 public:
  std::intptr_t handle = 0;
  void* nativeHandle = nullptr;

  DrawingObject() = default;
  DrawingObject(const DrawingObject&) = delete;
  DrawingObject& operator=(const DrawingObject&) = delete;

  std::intptr_t GetHandle() const { return handle; }
  // Sets both copies together; nullptr clears both.
  void SetHandle(void* native);

 protected:
  ~DrawingObject() = default;
};

// ANSI code page text to UTF-16 (a null text gives the empty text).
std::wstring AnsiToUtf16(const char* text);
// UTF-16 text back to the OEM code page.
std::string Utf16ToOem(const wchar_t* text);

// Records a GDI+ status in lastStatus; true exactly when it is Ok.
bool StoreStatus(int status);
