// Snapping, measuring and marking of the coordinate check.
#include "graphic/coordinate_check.h"

#include <cmath>

#include "core/number_format.h"

namespace kovrel {

int NearestPick(const PickTable& picks, float wx, float wy, float tolerance) {
  float best = tolerance;
  int found = 0;
  const float left = wx - tolerance, right = wx + tolerance, bottom = wy - tolerance, top = wy + tolerance;
  const int count = picks.PickCount();
  for (int n = 1; n <= count; ++n) {
    const PickPoint& point = picks.points[static_cast<std::size_t>(n)];
    if (!(left < point.x && point.x < right && bottom < point.y && point.y < top)) continue;
    const auto d = static_cast<float>(std::hypot(static_cast<double>(wx) - point.x, static_cast<double>(wy) - point.y));
    if (d < best) {
      best = d;
      found = n;
    }
  }
  return found;
}

Measurement Measure(float x1, float y1, float px, float py) {
  Measurement m;
  m.x = px;
  m.y = py;
  m.i = px - x1;
  m.j = py - y1;
  m.cx = px - m.i / 2;
  m.cy = py - m.j / 2;
  m.d = static_cast<float>(std::sqrt(static_cast<double>(m.i) * m.i + static_cast<double>(m.j) * m.j));
  m.a = m.i != 0 ? static_cast<float>(std::atan(static_cast<double>(m.j) / m.i) * 180 / 3.141592654) : 90.0f;
  return m;
}

std::optional<Measurement> CoordinateCheck::Click(const PickTable& picks, float wx, float wy, float arc_step) {
  const int found = NearestPick(picks, wx, wy, arc_step);
  if (found == 0) return std::nullopt;
  const PickPoint& p = picks.points[static_cast<std::size_t>(found)];
  const Measurement measured = Measure(x1, y1, p.x, p.y);
  x2 = x1;
  y2 = y1;
  x1 = p.x;
  y1 = p.y;
  if (markers.empty() || markers.back().x != p.x || markers.back().y != p.y) {
    if (markers.size() == 2) markers.erase(markers.begin());
    markers.push_back({p.x, p.y, arc_step});
  } else {
    markers.back().size = arc_step;  // the same point again: drawn anew at this size
  }
  return measured;
}

void DrawMarkers(const CoordinateCheck& check, Canvas& canvas) {
  constexpr int kRed = 255;
  canvas.SetStyle(LineStyle::kSolid);
  canvas.SetColor(kRed);
  for (const Marker& m : check.markers) {
    canvas.Line(m.x - m.size, m.y - m.size, m.x + m.size, m.y + m.size);
    canvas.Line(m.x - m.size, m.y + m.size, m.x + m.size, m.y - m.size);
  }
}

CheckTexts FormatCheck(const Measurement& measured, float origin_x, float origin_y) {
  static const Mask four = ParseMask("####0.0000");
  static const Mask five = ParseMask("####0.0000#");
  static const Mask angle = ParseMask("###0.000###");
  CheckTexts texts;
  texts.x = FormatMask(measured.x, four);
  texts.y = FormatMask(measured.y, four);
  texts.counter_x = FormatMask(measured.x - origin_x, four);
  texts.counter_y = FormatMask(measured.y - origin_y, four);
  texts.cx = FormatMask(measured.cx, five);
  texts.cy = FormatMask(measured.cy, five);
  texts.i = FormatMask(measured.i, four);
  texts.j = FormatMask(measured.j, four);
  texts.d = FormatMask(measured.d, five);
  texts.a = FormatMask(measured.a, angle);
  return texts;
}

}  // namespace kovrel
