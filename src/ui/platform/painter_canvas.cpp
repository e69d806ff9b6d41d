// Drawing the figure with QPainter; world y grows upwards.
#include "ui/platform/painter_canvas.h"

#include <cmath>

#include "core/arc_geometry.h"

namespace kovrel {

QColor ToQColor(int colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }
int FromQColor(const QColor& colour) { return colour.red() + 256 * colour.green() + 65536 * colour.blue(); }

PainterCanvas::PainterCanvas(QPainter& painter, double width, double height)
    : painter_(painter), width_(width), height_(height) {
  pen_.setCosmetic(true);
  pen_.setWidth(1);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

PainterCanvas::~PainterCanvas() { Flush(); }

void PainterCanvas::Flush() {
  if (!lines_.empty()) painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
  if (!points_.empty() && point_size_ > 0) {
    if (point_size_ != pen_.widthF()) {
      QPen dot = pen_;
      dot.setWidthF(point_size_);
      dot.setCapStyle(Qt::RoundCap);
      painter_.setPen(dot);
    }
    painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
    painter_.setPen(pen_);
  }
  lines_.clear();
  points_.clear();
  last_pixel_ = QPoint(-1, -1);
}

void PainterCanvas::SetLineWidth(double width) {
  Flush();
  pen_.setWidthF(width);
  pen_.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen_);
}

void PainterCanvas::SetPointSize(double size) {
  Flush();
  point_size_ = size;
}

void PainterCanvas::SetWindow(const Window& window) {
  window_ = window;
  const double span = window.right - window.left;
  scale_ = span != 0 ? width_ / span : 1;
}

void PainterCanvas::Clear(int colour) {
  lines_.clear();
  points_.clear();
  painter_.fillRect(QRectF(0, 0, width_, height_), ToQColor(colour));
}

void PainterCanvas::SetColor(int colour) {
  const QColor colour_value = ToQColor(colour);
  if (colour_value == pen_.color()) return;
  Flush();
  pen_.setColor(colour_value);
  painter_.setPen(pen_);
}

void PainterCanvas::SetStyle(LineStyle style) {
  const Qt::PenStyle pen_style = style == LineStyle::kDashDot ? Qt::DashDotLine : Qt::SolidLine;
  if (pen_style == pen_.style()) return;
  Flush();
  pen_.setStyle(pen_style);
  painter_.setPen(pen_);
}

void PainterCanvas::Line(double x1, double y1, double x2, double y2) {
  const QPointF from = ToDevice(x1, y1), to = ToDevice(x2, y2);
  // A line within one pixel is that pixel: a point, once (the cuts of a
  // surfacing program are many and tiny at a wide view).
  if (std::fabs(from.x() - to.x()) < 1 && std::fabs(from.y() - to.y()) < 1) {
    const QPoint pixel = to.toPoint();
    if (pixel == last_pixel_) return;
    last_pixel_ = pixel;
    points_.push_back(to);
    if (points_.size() >= 4096) Flush();
    return;
  }
  last_pixel_ = QPoint(-1, -1);
  lines_.emplace_back(from, to);
  if (lines_.size() >= 4096) Flush();
}

void PainterCanvas::Circle(double cx, double cy, double r) {
  Flush();
  const double radius = r * scale_;
  painter_.drawEllipse(ToDevice(cx, cy), radius, radius);
}

void PainterCanvas::Arc(double cx, double cy, double r, double a1, double a2) {
  Flush();
  const double radius = r * scale_;
  const QPointF centre = ToDevice(cx, cy);
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  double sweep = a2 - a1;
  while (sweep <= 0) sweep += 2 * kPi;
  if (a1 == a2) sweep = 2 * kPi;
  // Qt counts angles counter-clockwise on the screen in 1/16 degree, as the
  // world does with y upwards.
  painter_.drawArc(box, static_cast<int>(std::lround(a1 * 180 / kPi * 16)),
                   static_cast<int>(std::lround(sweep * 180 / kPi * 16)));
}

void PainterCanvas::Point(double x, double y) {
  points_.push_back(ToDevice(x, y));
  if (points_.size() >= 4096) Flush();
}

QPointF PainterCanvas::ToWorld(const QPointF& device) const {
  return {window_.left + device.x() / scale_, window_.top - device.y() / scale_};
}

}  // namespace kovrel
