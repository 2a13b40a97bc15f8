#include "drawing/paths_regions.h"

#include <algorithm>
#include <string>

#include "drawing/fonts_text.h"
#include "drawing/native.h"

// --- GraphicsPath ---

GraphicsPath::~GraphicsPath() { Delete(); }

bool GraphicsPath::Create(int fillMode, bool fillModeGiven) {
  Delete();
  Gdiplus::GpPath* native = nullptr;
  Gdiplus::GpStatus status =
      G::GdipCreatePath(static_cast<Gdiplus::GpFillMode>(fillModeGiven ? fillMode : 0), &native);
  return Adopt(*this, status, native);
}

bool GraphicsPath::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeletePath(As<Gdiplus::GpPath>(*this)));
  SetHandle(nullptr);
  return ok;
}

bool GraphicsPath::Reset() { return StoreStatus(G::GdipResetPath(As<Gdiplus::GpPath>(*this))); }

bool GraphicsPath::CloseFigure() {
  return StoreStatus(G::GdipClosePathFigure(As<Gdiplus::GpPath>(*this)));
}

bool GraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return StoreStatus(G::GdipAddPathLine(As<Gdiplus::GpPath>(*this), x1, y1, x2, y2));
}

bool GraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                          float sweepAngle) {
  return StoreStatus(
      G::GdipAddPathArc(As<Gdiplus::GpPath>(*this), x, y, width, height, startAngle, sweepAngle));
}

bool GraphicsPath::AddRectangle(float x, float y, float width, float height) {
  return StoreStatus(G::GdipAddPathRectangle(As<Gdiplus::GpPath>(*this), x, y, width, height));
}

bool GraphicsPath::AddRoundRect(float x, float y, float width, float height, int roundness) {
  roundness = std::clamp(roundness, 1, 100);
  // Whole-pixel corner boxes, truncated toward zero.
  float cornerWidth = static_cast<float>(static_cast<int>(width * roundness / 100));
  float cornerHeight = static_cast<float>(static_cast<int>(height * roundness / 100));
  float right = x + width - cornerWidth;
  float bottom = y + height - cornerHeight;
  AddArc(right, y, cornerWidth, cornerHeight, 270, 90);
  AddArc(right, bottom, cornerWidth, cornerHeight, 0, 90);
  AddArc(x, bottom, cornerWidth, cornerHeight, 90, 90);
  AddArc(x, y, cornerWidth, cornerHeight, 180, 90);
  return CloseFigure();
}

bool GraphicsPath::AddEllipse(float x, float y, float width, float height) {
  return StoreStatus(G::GdipAddPathEllipse(As<Gdiplus::GpPath>(*this), x, y, width, height));
}

bool GraphicsPath::AddString(const char* text, FontFamily& family, int emSize, const RectF& layout,
                             int style, StringFormat& format) {
  std::wstring wide = AnsiToUtf16(text);
  return StoreStatus(G::GdipAddPathString(
      As<Gdiplus::GpPath>(*this), wide.c_str(), static_cast<INT>(wide.size()),
      As<Gdiplus::GpFontFamily>(family), style, static_cast<Gdiplus::REAL>(emSize),
      AsGdiplus(layout), As<Gdiplus::GpStringFormat>(format)));
}

// --- Region ---

Region::~Region() { Delete(); }

bool Region::Create() {
  Delete();
  Gdiplus::GpRegion* native = nullptr;
  return Adopt(*this, G::GdipCreateRegion(&native), native);
}

bool Region::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteRegion(As<Gdiplus::GpRegion>(*this)));
  SetHandle(nullptr);
  return ok;
}
