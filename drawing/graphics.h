#pragma once
// The drawing surface of every painter: opened on a DC or an image, then filled, stroked,
// written on and clipped.

#include <windows.h>

#include <string>

#include "drawing/drawing_object.h"

class Brush;
class Font;
class GraphicsPath;
class Image;
class Pen;
class StringFormat;

class Graphics : public DrawingObject {
 public:
  Graphics() = default;
  ~Graphics();

  bool CreateFromHdc(HDC hdc, HANDLE device = nullptr, bool useDevice = false);
  bool CreateFromImage(Image& image);
  bool Delete();

  bool SetCompositingQuality(int quality);
  bool SetSmoothingMode(int mode);
  bool SetInterpolationMode(int mode);
  bool SetPixelOffsetMode(int mode);

  bool DrawLine(Pen& pen, float x1, float y1, float x2, float y2);
  bool DrawRectangle(Pen& pen, float x, float y, float width, float height);
  bool DrawPath(Pen& pen, GraphicsPath& path);
  bool Clear(ARGB colour);
  bool FillRectangle(Brush& brush, float x, float y, float width, float height);
  bool FillPath(Brush& brush, GraphicsPath& path);
  bool DrawString(const char* text, Font& font, Brush& brush, const RectF& layout,
                  StringFormat& format);
  // The same for a text already in UTF-16.
  bool DrawString(const std::wstring& text, Font& font, Brush& brush, const RectF& layout,
                  StringFormat& format);
  // Writes the bounding rectangle of the laid-out text into `bounds`.
  bool MeasureString(const char* text, Font& font, const RectF& layout, StringFormat& format,
                     RectF& bounds);
  bool DrawImage(Image& image, float x, float y);
  // The whole image stretched into the rectangle; the unit counts only when `unitGiven`,
  // otherwise pixels.
  bool DrawImageRect(Image& image, float x, float y, float width, float height, int unit = 2,
                     bool unitGiven = false);

  // Combine modes: 0 Replace (also when omitted), 3 Xor.
  bool SetClipPath(GraphicsPath& path, int combineMode = 0);
  bool SetClipRect(float x, float y, float width, float height, int combineMode = 0);
  bool ResetClip();
};
