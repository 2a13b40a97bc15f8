#include "drawing/session_images.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "drawing/native.h"

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

// --- MemoryStreamHolder ---

IStream* MemoryStreamHolder::OpenOnBytes(std::span<const std::uint8_t> bytes, std::int32_t size,
                                         bool sizeGiven) {
  ReleaseStream();
  std::size_t length = sizeGiven ? static_cast<std::size_t>(std::max(size, 0)) : bytes.size();
  block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length);
  if (block == nullptr) return nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) {
    stream = nullptr;
    GlobalFree(block);
    block = nullptr;
    return nullptr;
  }
  // A size beyond the bytes given leaves the rest of the block zero instead of over-reading.
  std::size_t copied = std::min(length, bytes.size());
  if (copied > 0) {
    lockedAddress = GlobalLock(block);
    if (lockedAddress != nullptr) {
      std::memcpy(lockedAddress, bytes.data(), copied);
      GlobalUnlock(block);
    }
  }
  return stream;
}

void MemoryStreamHolder::ReleaseStream() {
  if (stream != nullptr) stream->Release();
  if (block != nullptr) GlobalFree(block);
  stream = nullptr;
  block = nullptr;
  lockedAddress = nullptr;
}

std::size_t MemoryStreamHolder::BlockSize() const {
  return block != nullptr ? GlobalSize(block) : 0;
}

ByteSet MemoryStreamHolder::ToBytes() {
  if (block == nullptr) return {};
  std::size_t size = GlobalSize(block);
  // The block may be larger than what was written to it; the stream knows the real length.
  STATSTG stat{};
  if (stream != nullptr && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
      stat.cbSize.QuadPart < size) {
    size = static_cast<std::size_t>(stat.cbSize.QuadPart);
  }
  if (size == 0) return {};
  lockedAddress = GlobalLock(block);
  if (lockedAddress == nullptr) return {};
  const auto* first = static_cast<const std::uint8_t*>(lockedAddress);
  ByteSet bytes(first, first + size);
  GlobalUnlock(block);
  return bytes;
}

// --- Image ---

namespace {

Gdiplus::GpImage* NativeImage(const DrawingObject& image) {
  return reinterpret_cast<Gdiplus::GpImage*>(image.handle);
}

Gdiplus::GpBitmap* NativeBitmap(const DrawingObject& bitmap) {
  return reinterpret_cast<Gdiplus::GpBitmap*>(bitmap.handle);
}

std::string GuidText(const GUID& guid) {
  wchar_t wide[40] = {};
  if (StringFromGUID2(guid, wide, 40) == 0) return {};
  return Utf16ToOem(wide);
}

CLSID GuidFromText(const std::string& text) {
  CLSID clsid{};
  if (text.empty()) return clsid;
  std::wstring wide = AnsiToUtf16(text.c_str());
  if (FAILED(CLSIDFromString(wide.c_str(), &clsid))) clsid = CLSID{};
  return clsid;
}

}  // namespace

std::string FindEncoderClsid(const char* formatId) {
  if (formatId == nullptr || *formatId == '\0') return {};
  UINT count = 0;
  UINT size = 0;
  if (G::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0) {
    return {};
  }
  std::vector<std::uint8_t> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (G::GdipGetImageEncoders(count, size, encoders) != Gdiplus::Ok) return {};
  for (UINT i = 0; i < count; ++i) {
    if (GuidText(encoders[i].FormatID) == formatId) return GuidText(encoders[i].Clsid);
  }
  return {};
}

Image::~Image() { Dispose(); }

bool Image::LoadFromBytes(std::span<const std::uint8_t> bytes, bool useIcm) {
  // The old image may still read from the holder's stream: it goes before the stream does.
  Dispose();
  IStream* source = holder.OpenOnBytes(bytes);
  Gdiplus::GpImage* native = nullptr;
  Gdiplus::GpStatus status = useIcm ? G::GdipLoadImageFromStreamICM(source, &native)
                                    : G::GdipLoadImageFromStream(source, &native);
  return Adopt(*this, status, native);
}

std::int32_t Image::Width() {
  UINT width = 0;
  if (!StoreStatus(G::GdipGetImageWidth(NativeImage(*this), &width))) return 0;
  return static_cast<std::int32_t>(width);
}

std::int32_t Image::Height() {
  UINT height = 0;
  if (!StoreStatus(G::GdipGetImageHeight(NativeImage(*this), &height))) return 0;
  return static_cast<std::int32_t>(height);
}

ByteSet Image::SaveToBytes(const char* formatId, bool formatGiven) {
  std::string format;
  if (formatGiven) {
    format = formatId != nullptr ? formatId : "";
  } else {
    GUID raw{};
    if (StoreStatus(G::GdipGetImageRawFormat(NativeImage(*this), &raw))) format = GuidText(raw);
  }
  CLSID encoder = GuidFromText(FindEncoderClsid(format.c_str()));
  MemoryStreamHolder target;
  IStream* stream = target.OpenOnBytes({});
  if (!StoreStatus(G::GdipSaveImageToStream(NativeImage(*this), stream, &encoder, nullptr))) {
    return {};
  }
  return target.ToBytes();
}

bool Image::Dispose() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDisposeImage(NativeImage(*this)));
  SetHandle(nullptr);
  holder.ReleaseStream();
  return ok;
}

// --- Bitmap ---

bool Bitmap::LoadFromBytes(std::span<const std::uint8_t> bytes, bool useIcm) {
  Dispose();
  IStream* source = holder.OpenOnBytes(bytes);
  Gdiplus::GpBitmap* native = nullptr;
  Gdiplus::GpStatus status = useIcm ? G::GdipCreateBitmapFromStreamICM(source, &native)
                                    : G::GdipCreateBitmapFromStream(source, &native);
  return Adopt(*this, status, native);
}

bool Bitmap::CreateEmpty(int width, int height, int pixelFormat, bool formatGiven) {
  Dispose();
  Gdiplus::GpBitmap* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateBitmapFromScan0(
      width, height, 0, formatGiven ? pixelFormat : PixelFormat32bppARGB, nullptr, &native);
  return Adopt(*this, status, native);
}

bool Bitmap::FromHBitmap(HBITMAP bitmap, HPALETTE palette) {
  Dispose();
  Gdiplus::GpBitmap* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateBitmapFromHBITMAP(bitmap, palette, &native);
  return Adopt(*this, status, native);
}

bool Bitmap::FromHIcon(HICON icon) {
  Dispose();
  Gdiplus::GpBitmap* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateBitmapFromHICON(icon, &native);
  return Adopt(*this, status, native);
}

HBITMAP Bitmap::ToHBitmap(ARGB background) {
  HBITMAP result = nullptr;
  if (!StoreStatus(G::GdipCreateHBITMAPFromBitmap(NativeBitmap(*this), &result, background))) {
    if (result != nullptr) DeleteObject(result);
    return nullptr;
  }
  return result;
}

ARGB Bitmap::GetPixel(int x, int y) {
  Gdiplus::ARGB colour = 0;
  if (!StoreStatus(G::GdipBitmapGetPixel(NativeBitmap(*this), x, y, &colour))) return 0;
  return colour;
}

bool Bitmap::SetPixel(int x, int y, ARGB colour) {
  return StoreStatus(G::GdipBitmapSetPixel(NativeBitmap(*this), x, y, colour));
}
