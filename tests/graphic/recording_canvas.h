// A canvas that records every call, for the drawing tests.
#pragma once

#include <string>
#include <vector>

#include "graphic/canvas.h"

namespace kovrel {

class RecordingCanvas : public Canvas {
 public:
  struct Call {
    std::string what;  // "line", "circle", "arc", "point", "clear", "color", "style"
    std::vector<double> values;
  };

  RecordingCanvas(double width = 800, double height = 600) : width_(width), height_(height) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetWindow(const Window& window) override { window_ = window; }
  void Clear(int colour) override { calls.push_back({"clear", {double(colour)}}); }
  void SetColor(int colour) override { calls.push_back({"color", {double(colour)}}); }
  void SetStyle(LineStyle style) override { calls.push_back({"style", {double(style == LineStyle::kDashDot)}}); }
  void Line(double x1, double y1, double x2, double y2) override { calls.push_back({"line", {x1, y1, x2, y2}}); }
  void Circle(double cx, double cy, double r) override { calls.push_back({"circle", {cx, cy, r}}); }
  void Arc(double cx, double cy, double r, double a1, double a2) override {
    calls.push_back({"arc", {cx, cy, r, a1, a2}});
  }
  void Point(double x, double y) override { calls.push_back({"point", {x, y}}); }

  /// The calls of one kind, in order.
  std::vector<Call> Of(const std::string& what) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.what == what) found.push_back(call);
    }
    return found;
  }

  std::vector<Call> calls;
  Window window_;

 private:
  double width_, height_;
};

}  // namespace kovrel
