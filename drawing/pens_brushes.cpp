#include "drawing/pens_brushes.h"

#include "drawing/native.h"
#include "drawing/paths_regions.h"

namespace {

constexpr Gdiplus::GpStatus kInvalidParameter = Gdiplus::InvalidParameter;

}  // namespace

// --- Pen ---

Pen::~Pen() { Delete(); }

bool Pen::Create(ARGB colour, float width, int unit) {
  Delete();
  Gdiplus::GpPen* native = nullptr;
  Gdiplus::GpStatus status =
      G::GdipCreatePen1(colour, width, static_cast<Gdiplus::GpUnit>(unit), &native);
  return Adopt(*this, status, native);
}

bool Pen::CreateFromBrush(Brush& brush, float width, int unit) {
  Delete();
  Gdiplus::GpPen* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreatePen2(As<Gdiplus::GpBrush>(brush), width,
                                               static_cast<Gdiplus::GpUnit>(unit), &native);
  return Adopt(*this, status, native);
}

bool Pen::SetWidth(float width) {
  return StoreStatus(G::GdipSetPenWidth(As<Gdiplus::GpPen>(*this), width));
}

bool Pen::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeletePen(As<Gdiplus::GpPen>(*this)));
  SetHandle(nullptr);
  return ok;
}

// --- Brushes ---

Brush::~Brush() { Delete(); }

bool Brush::Delete() {
  if (nativeHandle == nullptr) return false;
  bool ok = StoreStatus(G::GdipDeleteBrush(As<Gdiplus::GpBrush>(*this)));
  SetHandle(nullptr);
  return ok;
}

bool SolidBrush::Create(ARGB colour) {
  Delete();
  Gdiplus::GpSolidFill* native = nullptr;
  return Adopt(*this, G::GdipCreateSolidFill(colour, &native), native);
}

bool LinearGradientBrush::Create(const PointF& start, const PointF& end, ARGB startColour,
                                 ARGB endColour) {
  Delete();
  Gdiplus::GpLineGradient* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreateLineBrush(AsGdiplus(start), AsGdiplus(end), startColour,
                                                    endColour, Gdiplus::WrapModeTile, &native);
  return Adopt(*this, status, native);
}

bool LinearGradientBrush::SetPresetBlend(std::span<const ARGB> colours,
                                         std::span<const float> positions) {
  // GDI+ reads as many positions as colours.
  if (positions.size() < colours.size()) return StoreStatus(kInvalidParameter);
  return StoreStatus(G::GdipSetLinePresetBlend(As<Gdiplus::GpLineGradient>(*this),
                                               AsGdiplus(colours.data()), positions.data(),
                                               static_cast<INT>(colours.size())));
}

bool LinearGradientBrush::SetLinearBlend(float focus, float scale) {
  return StoreStatus(G::GdipSetLineLinearBlend(As<Gdiplus::GpLineGradient>(*this), focus, scale));
}

bool PathGradientBrush::CreateFromPath(GraphicsPath& path) {
  Delete();
  Gdiplus::GpPathGradient* native = nullptr;
  Gdiplus::GpStatus status = G::GdipCreatePathGradientFromPath(As<Gdiplus::GpPath>(path), &native);
  return Adopt(*this, status, native);
}

bool PathGradientBrush::SetCenterColor(ARGB colour) {
  return StoreStatus(G::GdipSetPathGradientCenterColor(As<Gdiplus::GpPathGradient>(*this), colour));
}

bool PathGradientBrush::SetSurroundColors(std::span<const ARGB> colours) {
  std::int32_t count = 0;
  return SetSurroundColors(colours, count, false);
}

bool PathGradientBrush::SetSurroundColors(std::span<const ARGB> colours, std::int32_t& count,
                                          bool countGiven) {
  if (!countGiven) count = static_cast<std::int32_t>(colours.size());
  // GDI+ reads `count` colours.
  if (count < 0 || static_cast<std::size_t>(count) > colours.size()) {
    return StoreStatus(kInvalidParameter);
  }
  INT used = count;
  bool ok = StoreStatus(G::GdipSetPathGradientSurroundColorsWithCount(
      As<Gdiplus::GpPathGradient>(*this), AsGdiplus(colours.data()), &used));
  count = used;
  return ok;
}

bool PathGradientBrush::SetFocusScales(float xScale, float yScale) {
  return StoreStatus(
      G::GdipSetPathGradientFocusScales(As<Gdiplus::GpPathGradient>(*this), xScale, yScale));
}
