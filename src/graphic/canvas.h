// The drawing surface the view draws on: lines, circles, arcs and points in
// world coordinates (y upwards), a colour, a line width and a style. The
// window, a QImage, a printer, an SVG file and the tests' recorder
// implement it.
#pragma once

namespace kovrel {

enum class LineStyle { kSolid, kDashDot };

/// A colour held as a number (layer tables, LAYER.RGB, width files) as the
/// canvas takes it: a value beyond an int (a damaged file) draws black.
inline int CanvasColour(double value) {
  return value >= -2147483648.0 && value <= 2147483647.0 ? static_cast<int>(value) : 0;
}

/// The world rectangle shown on the surface: left and right edges in x,
/// top (largest y) and bottom (smallest y).
struct Window {
  float left = 0, right = 0, top = 0, bottom = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  /// The surface's size in its own units (pixels), for the window's aspect.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  /// The world window mapped onto the whole surface.
  virtual void SetWindow(const Window& window) = 0;
  /// Fills the surface with a colour (R + 256 G + 65536 B).
  virtual void Clear(int colour) = 0;
  virtual void SetColor(int colour) = 0;
  virtual void SetStyle(LineStyle style) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  virtual void Circle(double cx, double cy, double r) = 0;
  /// An arc counter-clockwise from angle a1 to a2 (radians); a1 = a2 draws
  /// the full circle.
  virtual void Arc(double cx, double cy, double r, double a1, double a2) = 0;
  virtual void Point(double x, double y) = 0;
};

}  // namespace kovrel
