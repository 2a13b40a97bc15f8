#pragma once
// The GDI+ session and the image objects: images decoded from byte sets, bitmaps that are
// drawn on, handed to window code as HBITMAPs and encoded back to bytes.

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <span>

#include "drawing/drawing_object.h"
#include "resources/byte_set.h"

extern std::uintptr_t gdiplusToken;  // 0 until the session is open

// Opens the GDI+ session (version 1 unless given) and keeps the token; never shut down.
std::uintptr_t StartGdiplus(std::int32_t version = 1, bool versionGiven = false);

// Keeps the memory behind an image loaded from bytes alive: GDI+ reads such images lazily
// from their stream, so the stream and its block must outlive the native image.
class MemoryStreamHolder {
 public:
  HGLOBAL block = nullptr;        // movable, zero-initialised; owned
  void* lockedAddress = nullptr;  // valid only between lock and unlock
  IStream* stream = nullptr;      // one reference owned; does not free `block` on release

  MemoryStreamHolder() = default;
  MemoryStreamHolder(const MemoryStreamHolder&) = delete;
  MemoryStreamHolder& operator=(const MemoryStreamHolder&) = delete;
  ~MemoryStreamHolder() { ReleaseStream(); }

  // Closes any open stream, then opens a new one over a copy of the bytes (at most `size`
  // of them when given); the position stays at 0. Returns the stream, nullptr on failure.
  IStream* OpenOnBytes(std::span<const std::uint8_t> bytes, std::int32_t size = 0,
                       bool sizeGiven = false);
  void ReleaseStream();
  std::size_t BlockSize() const;
  IStream* GetStream() const { return stream; }
  HGLOBAL GetBlock() const { return block; }
  // The bytes written to the stream so far (after a save: the encoded file).
  ByteSet ToBytes();
};

class Image : public DrawingObject {
 public:
  MemoryStreamHolder holder;

  Image() = default;
  ~Image();

  // Decodes an image from a copy of the bytes; an image already held is disposed first.
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, bool useIcm = false);
  std::int32_t Width();   // 0 on failure
  std::int32_t Height();  // 0 on failure
  // Encodes the image with the encoder of the format id ("{B96B3CAF-...}" text), or of the
  // image's own raw format when none is given; an empty byte set on failure.
  ByteSet SaveToBytes(const char* formatId, bool formatGiven);
  // False (and nothing changes) when empty.
  bool Dispose();
};

class Bitmap : public Image {
 public:
  bool LoadFromBytes(std::span<const std::uint8_t> bytes, bool useIcm = false);
  bool CreateEmpty(int width, int height, int pixelFormat = 0x26200A, bool formatGiven = false);
  bool FromHBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
  bool FromHIcon(HICON icon);
  // A new HBITMAP owned by the caller; nullptr on failure.
  HBITMAP ToHBitmap(ARGB background);
  ARGB GetPixel(int x, int y);  // 0 on failure
  bool SetPixel(int x, int y, ARGB colour);
};

// The encoder class id (as "{...}" text) for an image format id text; empty when none.
std::string FindEncoderClsid(const char* formatId);
