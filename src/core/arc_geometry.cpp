// Directions and radius arcs.
#include "core/arc_geometry.h"

#include <cmath>
#include <string>

#include "core/failure.h"
#include "core/number_format.h"

namespace kovrel {

double DirectionDegrees(double dx, double dy) {
  double t = dx != 0 ? std::fabs(std::atan(dy / dx)) * 180 / kPi : 90;
  if (dx >= 0 && dy < 0) {
    t = 360 - t;
  } else if (dx < 0 && dy < 0) {
    t = t + 180;
  } else if (dx < 0 && dy >= 0) {
    t = 180 - t;
  }
  return t;
}

double DirectionRadians(double dx, double dy) {
  if (dx == 0) return dy >= 0 ? kPi / 2 : 3 * kPi / 2;
  const double angle = std::atan(dy / dx) + (dx < 0 ? kPi : 0);
  if (angle > 0) return angle;
  return angle < 0 ? angle + 2 * kPi : 0.0;  // never -0
}

ArcDirections ArcDirectionsRadians(double i, double j, double cx, double cy, double ex, double ey) {
  const double start = i == 0 && j == 0 ? 3 * kPi / 2 : DirectionRadians(-i, -j);
  return {start, DirectionRadians(ex - cx, ey - cy)};
}

ArcOffsets RadiusArcOffsets(double px, double py, double ex, double ey, double r, bool counter_clockwise) {
  const double hx = (ex - px) / 2, hy = (ey - py) / 2;
  const double mx = px + hx, my = py + hy;
  const double d = std::sqrt(hx * hx + hy * hy);
  double square = r * r - d * d;
  // A half circle computed in single precision may miss by a rounding; only
  // a radius really shorter than half the chord is refused.
  if (square < 0 && square > -1e-5 * r * r) square = 0;
  if (!(square >= 0)) {
    Fail(FailureKind::kInvalidValue, "半径 R" + FormatGeneral(r) + " が弦の半分 " + FormatGeneral(d) + " より短い円弧です");
  }
  const double q = std::sqrt(square);
  const double a = (hx != 0 ? std::atan(hy / hx) * 180 / kPi + 90 : 180) * kPi / 180;
  double cx = mx + q * std::cos(a), cy = my + q * std::sin(a);
  ArcOffsets offsets{cx - px, cy - py};
  double s = DirectionDegrees(-offsets.i, -offsets.j);
  double e = DirectionDegrees(ex - cx, ey - cy);
  double sweep;
  if (counter_clockwise) {
    if (e < s) e += 360;
    sweep = std::fabs(e - s);
  } else {
    if (e > s) s += 360;
    sweep = std::fabs(s - e);
  }
  if ((r > 0 && sweep > 180) || (r < 0 && sweep < 180)) {
    cx = mx - q * std::cos(a);
    cy = my - q * std::sin(a);
    offsets = {cx - px, cy - py};
  }
  return offsets;
}

}  // namespace kovrel
