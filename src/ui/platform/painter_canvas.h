// The canvas on a QPainter: the view window, images for the command line
// and the printer draw the figure through it.
#pragma once

#include <QPainter>
#include <QPen>

#include <vector>

#include "graphic/canvas.h"

namespace kovrel {

class PainterCanvas : public Canvas {
 public:
  /// Draws with `painter` on a surface of width x height device units.
  PainterCanvas(QPainter& painter, double width, double height);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetWindow(const Window& window) override;
  void Clear(int colour) override;
  void SetColor(int colour) override;
  void SetStyle(LineStyle style) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double cx, double cy, double r) override;
  void Arc(double cx, double cy, double r, double a1, double a2) override;
  void Point(double x, double y) override;

  /// The world point at a device point, and back.
  QPointF ToWorld(const QPointF& device) const;
  QPointF ToDevice(double x, double y) const { return {(x - window_.left) * scale_, (window_.top - y) * scale_}; }

  /// Draws the lines and points collected so far.
  void Flush();

  /// The width of lines in device units (1 by default) and the size of a
  /// point: 0 or less draws no points, the default draws them one unit
  /// wide. Lines end flat at their end points, so a line of any width is as
  /// long as its element (the printer draws to scale).
  void SetLineWidth(double width);
  void SetPointSize(double size);

 private:
  // Lines and points are collected and drawn together: one call for
  // thousands of segments of one colour.
  std::vector<QLineF> lines_;
  std::vector<QPointF> points_;
  QPoint last_pixel_{-1, -1};  // the pixel a line within one pixel drew last
  QPainter& painter_;
  double width_, height_;
  Window window_;
  double scale_ = 1;
  double point_size_ = 1;
  QPen pen_;
};

/// A colour R + 256 G + 65536 B as a QColor.
QColor ToQColor(int colour);
/// A QColor as R + 256 G + 65536 B.
int FromQColor(const QColor& colour);

}  // namespace kovrel
