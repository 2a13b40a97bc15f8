#pragma once
// For the drawing layer's own sources only: the GDI+ flat interface and the casts from a
// drawing object's handle to its native pointer.

#include <windows.h>
#include <gdiplus.h>

#include "drawing/drawing_object.h"

namespace G = Gdiplus::DllExports;

template <typename Native>
Native* As(const DrawingObject& object) {
  return reinterpret_cast<Native*>(object.handle);
}

inline const Gdiplus::RectF* AsGdiplus(const RectF& rect) {
  static_assert(sizeof(RectF) == sizeof(Gdiplus::RectF));
  return reinterpret_cast<const Gdiplus::RectF*>(&rect);
}

inline const Gdiplus::PointF* AsGdiplus(const PointF& point) {
  static_assert(sizeof(PointF) == sizeof(Gdiplus::PointF));
  return reinterpret_cast<const Gdiplus::PointF*>(&point);
}

inline const Gdiplus::ARGB* AsGdiplus(const ARGB* colours) {
  static_assert(sizeof(ARGB) == sizeof(Gdiplus::ARGB));
  return reinterpret_cast<const Gdiplus::ARGB*>(colours);
}

// Stores the native pointer of a create call (nothing when it failed) and records the status.
// `native` is read here, after the create call among the arguments has run.
template <typename Native>
bool Adopt(DrawingObject& object, Gdiplus::GpStatus status, Native* const& native) {
  object.SetHandle(status == Gdiplus::Ok ? native : nullptr);
  return StoreStatus(status);
}
