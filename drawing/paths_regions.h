#pragma once
// Paths that painters fill, stroke, clip with and turn into gradient brushes; regions.

#include "drawing/drawing_object.h"

class FontFamily;
class StringFormat;

// Angles in degrees, clockwise from the positive x axis.
class GraphicsPath : public DrawingObject {
 public:
  GraphicsPath() = default;
  ~GraphicsPath();

  // Fill mode 0 (Alternate) unless given; 1 is Winding.
  bool Create(int fillMode = 0, bool fillModeGiven = false);
  bool Delete();
  // Empties the figure list and keeps the native path for the next shape.
  bool Reset();
  bool CloseFigure();
  bool AddLine(float x1, float y1, float x2, float y2);
  bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddRectangle(float x, float y, float width, float height);
  // A closed rectangle whose corners are quarter ellipses `roundness` percent (1..100) of the
  // width and height across; the result is that of closing the figure.
  bool AddRoundRect(float x, float y, float width, float height, int roundness);
  bool AddEllipse(float x, float y, float width, float height);
  bool AddString(const char* text, FontFamily& family, int emSize, const RectF& layout, int style,
                 StringFormat& format);
};

// No painter uses regions; the object exists so that the layer is complete in kind.
class Region : public DrawingObject {
 public:
  Region() = default;
  ~Region();

  bool Create();  // the infinite region
  bool Delete();
};
