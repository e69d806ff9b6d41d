// A canvas that writes an SVG drawing: the command line's vector output of
// the view.
#pragma once

#include <string>

#include "graphic/canvas.h"

namespace kovrel {

class SvgCanvas : public Canvas {
 public:
  SvgCanvas(int width, int height) : width_(width), height_(height) {}

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetWindow(const Window& window) override { window_ = window; }
  void Clear(int colour) override;
  void SetColor(int colour) override { colour_ = colour; }
  void SetStyle(LineStyle style) override { style_ = style; }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double cx, double cy, double r) override;
  void Arc(double cx, double cy, double r, double a1, double a2) override;
  void Point(double x, double y) override;

  /// The whole SVG document.
  std::string Document() const;

 private:
  double X(double x) const;
  double Y(double y) const;
  double Scale() const;
  std::string Stroke() const;

  int width_, height_;
  Window window_;
  int colour_ = 0;
  LineStyle style_ = LineStyle::kSolid;
  std::string body_;
};

}  // namespace kovrel
