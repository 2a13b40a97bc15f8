#include "drawing/graphics.h"

#include <string>

#include "drawing/fonts_text.h"
#include "drawing/native.h"
#include "drawing/paths_regions.h"
#include "drawing/pens_brushes.h"
#include "drawing/session_images.h"

Graphics::~Graphics() { Delete(); }

bool Graphics::CreateFromHdc(HDC hdc, HANDLE device, bool useDevice) {
  Delete();
  Gdiplus::GpGraphics* native = nullptr;
  Gdiplus::GpStatus status =
      useDevice ? G::GdipCreateFromHDC2(hdc, device, &native) : G::GdipCreateFromHDC(hdc, &native);
  return Adopt(*this, status, native);
}

bool Graphics::CreateFromImage(Image& image) {
  Delete();
  Gdiplus::GpGraphics* native = nullptr;
  Gdiplus::GpStatus status = G::GdipGetImageGraphicsContext(As<Gdiplus::GpImage>(image), &native);
  return Adopt(*this, status, native);
}

bool Graphics::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteGraphics(As<Gdiplus::GpGraphics>(*this)));
  SetHandle(nullptr);
  return ok;
}

bool Graphics::SetCompositingQuality(int quality) {
  return StoreStatus(G::GdipSetCompositingQuality(
      As<Gdiplus::GpGraphics>(*this), static_cast<Gdiplus::CompositingQuality>(quality)));
}

bool Graphics::SetSmoothingMode(int mode) {
  return StoreStatus(G::GdipSetSmoothingMode(As<Gdiplus::GpGraphics>(*this),
                                             static_cast<Gdiplus::SmoothingMode>(mode)));
}

bool Graphics::SetInterpolationMode(int mode) {
  return StoreStatus(G::GdipSetInterpolationMode(As<Gdiplus::GpGraphics>(*this),
                                                 static_cast<Gdiplus::InterpolationMode>(mode)));
}

bool Graphics::SetPixelOffsetMode(int mode) {
  return StoreStatus(G::GdipSetPixelOffsetMode(As<Gdiplus::GpGraphics>(*this),
                                               static_cast<Gdiplus::PixelOffsetMode>(mode)));
}

bool Graphics::DrawLine(Pen& pen, float x1, float y1, float x2, float y2) {
  return StoreStatus(
      G::GdipDrawLine(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpPen>(pen), x1, y1, x2, y2));
}

bool Graphics::DrawRectangle(Pen& pen, float x, float y, float width, float height) {
  return StoreStatus(G::GdipDrawRectangle(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpPen>(pen),
                                          x, y, width, height));
}

bool Graphics::DrawPath(Pen& pen, GraphicsPath& path) {
  return StoreStatus(G::GdipDrawPath(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpPen>(pen),
                                     As<Gdiplus::GpPath>(path)));
}

bool Graphics::Clear(ARGB colour) {
  return StoreStatus(G::GdipGraphicsClear(As<Gdiplus::GpGraphics>(*this), colour));
}

bool Graphics::FillRectangle(Brush& brush, float x, float y, float width, float height) {
  return StoreStatus(G::GdipFillRectangle(As<Gdiplus::GpGraphics>(*this),
                                          As<Gdiplus::GpBrush>(brush), x, y, width, height));
}

bool Graphics::FillPath(Brush& brush, GraphicsPath& path) {
  return StoreStatus(G::GdipFillPath(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpBrush>(brush),
                                     As<Gdiplus::GpPath>(path)));
}

bool Graphics::DrawString(const char* text, Font& font, Brush& brush, const RectF& layout,
                          StringFormat& format) {
  return DrawString(AnsiToUtf16(text), font, brush, layout, format);
}

bool Graphics::DrawString(const std::wstring& text, Font& font, Brush& brush, const RectF& layout,
                          StringFormat& format) {
  return StoreStatus(G::GdipDrawString(As<Gdiplus::GpGraphics>(*this), text.c_str(),
                                       static_cast<INT>(text.size()), As<Gdiplus::GpFont>(font),
                                       AsGdiplus(layout), As<Gdiplus::GpStringFormat>(format),
                                       As<Gdiplus::GpBrush>(brush)));
}

bool Graphics::MeasureString(const char* text, Font& font, const RectF& layout,
                             StringFormat& format, RectF& bounds) {
  std::wstring wide = AnsiToUtf16(text);
  Gdiplus::RectF measured;
  bool ok = StoreStatus(G::GdipMeasureString(
      As<Gdiplus::GpGraphics>(*this), wide.c_str(), static_cast<INT>(wide.size()),
      As<Gdiplus::GpFont>(font), AsGdiplus(layout), As<Gdiplus::GpStringFormat>(format), &measured,
      nullptr, nullptr));
  if (ok) bounds = {measured.X, measured.Y, measured.Width, measured.Height};
  return ok;
}

bool Graphics::DrawImage(Image& image, float x, float y) {
  return StoreStatus(
      G::GdipDrawImage(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpImage>(image), x, y));
}

bool Graphics::DrawImageRect(Image& image, float x, float y, float width, float height, int unit,
                             bool unitGiven) {
  float sourceWidth = static_cast<float>(image.Width());
  float sourceHeight = static_cast<float>(image.Height());
  return StoreStatus(G::GdipDrawImageRectRect(
      As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpImage>(image), x, y, width, height, 0, 0,
      sourceWidth, sourceHeight, static_cast<Gdiplus::GpUnit>(unitGiven ? unit : 2), nullptr,
      nullptr, nullptr));
}

bool Graphics::SetClipPath(GraphicsPath& path, int combineMode) {
  return StoreStatus(G::GdipSetClipPath(As<Gdiplus::GpGraphics>(*this), As<Gdiplus::GpPath>(path),
                                        static_cast<Gdiplus::CombineMode>(combineMode)));
}

bool Graphics::SetClipRect(float x, float y, float width, float height, int combineMode) {
  return StoreStatus(G::GdipSetClipRect(As<Gdiplus::GpGraphics>(*this), x, y, width, height,
                                        static_cast<Gdiplus::CombineMode>(combineMode)));
}

bool Graphics::ResetClip() { return StoreStatus(G::GdipResetClip(As<Gdiplus::GpGraphics>(*this))); }
