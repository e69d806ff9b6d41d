// Arc geometry shared by the conversions and the graphic view: the
// direction of a vector in degrees (0 to 360, placed in its quadrant) and
// the centre of an arc given by its end points and a signed radius.
#pragma once

namespace kovrel {

inline constexpr double kPi = 3.14159265358979;

/// Direction of (dx, dy) in degrees: |arctan(dy/dx)| (90 when dx is 0)
/// placed in its quadrant, so straight up is 90 and straight down 270.
double DirectionDegrees(double dx, double dy);

/// Centre offsets (from the start point) of an arc.
struct ArcOffsets {
  double i = 0;
  double j = 0;
};

/// The centre of the arc from (px, py) to (ex, ey) with the signed radius
/// r: a positive radius gives the arc of 180 degrees or less, a negative one
/// the larger arc; `counter_clockwise` is G03. Throws Failure 380 (invalid
/// value) when the radius is shorter than half the chord.
ArcOffsets RadiusArcOffsets(double px, double py, double ex, double ey, double r, bool counter_clockwise);

}  // namespace kovrel
