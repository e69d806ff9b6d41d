// SVG output of the view.
#include "graphic/svg_canvas.h"

#include <cmath>
#include <cstdio>

#include "core/arc_geometry.h"

namespace kovrel {
namespace {

std::string Hex(int colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

}  // namespace

double SvgCanvas::Scale() const { return width_ / static_cast<double>(window_.right - window_.left); }
double SvgCanvas::X(double x) const { return (x - window_.left) * Scale(); }
double SvgCanvas::Y(double y) const { return (window_.top - y) * Scale(); }

std::string SvgCanvas::Stroke() const {
  std::string stroke = " fill=\"none\" stroke=\"" + Hex(colour_) + "\" stroke-width=\"1\"";
  if (style_ == LineStyle::kDashDot) stroke += " stroke-dasharray=\"8 3 2 3\"";
  return stroke;
}

void SvgCanvas::Clear(int colour) {
  body_ = "<rect width=\"100%\" height=\"100%\" fill=\"" + Hex(colour) + "\"/>\n";
}

void SvgCanvas::Line(double x1, double y1, double x2, double y2) {
  body_ += "<line x1=\"" + Num(X(x1)) + "\" y1=\"" + Num(Y(y1)) + "\" x2=\"" + Num(X(x2)) + "\" y2=\"" + Num(Y(y2)) +
           "\"" + Stroke() + "/>\n";
}

void SvgCanvas::Circle(double cx, double cy, double r) {
  body_ += "<circle cx=\"" + Num(X(cx)) + "\" cy=\"" + Num(Y(cy)) + "\" r=\"" + Num(r * Scale()) + "\"" + Stroke() + "/>\n";
}

void SvgCanvas::Arc(double cx, double cy, double r, double a1, double a2) {
  double sweep = a2 - a1;
  while (sweep <= 0) sweep += 2 * kPi;
  if (a1 == a2 || sweep >= 2 * kPi) {
    Circle(cx, cy, r);
    return;
  }
  const double x1 = cx + r * std::cos(a1), y1 = cy + r * std::sin(a1);
  const double x2 = cx + r * std::cos(a2), y2 = cy + r * std::sin(a2);
  // Counter-clockwise in the world is clockwise on the screen (y down).
  body_ += "<path d=\"M " + Num(X(x1)) + " " + Num(Y(y1)) + " A " + Num(r * Scale()) + " " + Num(r * Scale()) + " 0 " +
           (sweep > kPi ? "1" : "0") + " 0 " + Num(X(x2)) + " " + Num(Y(y2)) + "\"" + Stroke() + "/>\n";
}

void SvgCanvas::Point(double x, double y) {
  body_ += "<rect x=\"" + Num(X(x) - 0.5) + "\" y=\"" + Num(Y(y) - 0.5) + "\" width=\"1\" height=\"1\" fill=\"" +
           Hex(colour_) + "\"/>\n";
}

std::string SvgCanvas::Document() const {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
         std::to_string(width_) + " " + std::to_string(height_) + "\">\n" + body_ + "</svg>\n";
}

}  // namespace kovrel
