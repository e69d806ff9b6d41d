// Arc geometry shared by the conversions and the graphic view: the one pi
// of the program, the direction of a vector in degrees (0 to 360, placed in
// its quadrant) and in radians, the start and end directions of an arc
// given by its centre offsets, and the centre of an arc given by its end
// points and a signed radius.
#pragma once

namespace kovrel {

/// Pi as the program computes with it, to 15 significant digits.
inline constexpr double kPi = 3.14159265358979;

/// Direction of (dx, dy) in degrees: |arctan(dy/dx)| (90 when dx is 0)
/// placed in its quadrant, so straight up is 90 and straight down 270. The
/// HP-GL, Gerber and router conversions compute directions so; the DXF
/// writer and the view compute them in radians as below. The two agree in
/// value but not always in the last bit, and each conversion's results are
/// kept exactly as they are, so both stay.
double DirectionDegrees(double dx, double dy);

/// Direction of (dx, dy) in radians in [0, 2 pi): arctan(dy/dx), plus pi
/// when dx < 0, plus 2 pi when still negative; with dx = 0, pi/2 when
/// dy >= 0 and 3 pi/2 otherwise.
double DirectionRadians(double dx, double dy);

/// The directions (radians, [0, 2 pi)) from an arc's centre to its start
/// and to its end (ex, ey); (i, j) are the centre's offsets from the start
/// and (cx, cy) the centre. The start direction is that of (-i, -j), with
/// i = j = 0 read as 3 pi/2 as the programs of these files read it.
struct ArcDirections {
  double start = 0, end = 0;
};
ArcDirections ArcDirectionsRadians(double i, double j, double cx, double cy, double ex, double ey);

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
