#pragma once
// Pens for outlines; solid, linear-gradient and path-gradient brushes for fills.

#include <cstdint>
#include <span>

#include "drawing/drawing_object.h"

class Brush;
class GraphicsPath;

class Pen : public DrawingObject {
 public:
  Pen() = default;
  ~Pen();

  bool Create(ARGB colour, float width, int unit = 0);
  // The pen keeps no reference to the brush: the brush may be deleted first.
  bool CreateFromBrush(Brush& brush, float width, int unit = 0);
  bool SetWidth(float width);
  bool Delete();
};

// The common part of the three brushes.
class Brush : public DrawingObject {
 public:
  bool Delete();

 protected:
  Brush() = default;
  ~Brush();
};

class SolidBrush : public Brush {
 public:
  bool Create(ARGB colour);
};

class LinearGradientBrush : public Brush {
 public:
  // Tile wrap mode: a fill beyond the start-end span repeats the gradient.
  bool Create(const PointF& start, const PointF& end, ARGB startColour, ARGB endColour);
  // One stop per colour; fails without touching the brush when fewer positions than
  // colours are given.
  bool SetPresetBlend(std::span<const ARGB> colours, std::span<const float> positions);
  bool SetLinearBlend(float focus, float scale);
};

class PathGradientBrush : public Brush {
 public:
  bool CreateFromPath(GraphicsPath& path);
  bool SetCenterColor(ARGB colour);
  bool SetSurroundColors(std::span<const ARGB> colours);
  // `count` (all colours unless given; never more than there are) receives how many GDI+ used.
  bool SetSurroundColors(std::span<const ARGB> colours, std::int32_t& count, bool countGiven);
  bool SetFocusScales(float xScale, float yScale);
};
