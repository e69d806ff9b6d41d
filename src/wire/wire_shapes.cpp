// The shape turtle and the outline of each shape code.
#include "wire/wire_shapes.h"

#include <cmath>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "wire/wire_numbers.h"

namespace kovrel {
namespace {

// Pi as a single holds it: the headings of the turtle are turned into
// radians with it.
constexpr double kTurtlePi = 3.14159274;

// The turtle: the point P, starting at the reference point, moved by steps
// of a length in a direction (degrees; 0 is +X, 90 is +Y) turned by the
// shape's angle; each move is rounded to eight decimals.
class Turtle {
 public:
  Turtle(double angle, float x0, float y0, std::string& out) : angle_(angle), x0_(x0), y0_(y0), x_(x0), y_(y0), out_(out) {}

  void Step(double length, double direction) {
    const double heading = Heading(direction);
    x_ = ToSingle(x_ + RoundToEightPlaces(length * std::cos(heading)));
    y_ = ToSingle(y_ + RoundToEightPlaces(length * std::sin(heading)));
  }
  // The line from the reference point onto the outline.
  void Approach() { AppendLine(out_, "G01X", Coordinate(x_), "Y", Coordinate(y_)); }
  void Cut(double length, double direction) {
    Step(length, direction);
    Approach();
  }
  // A half circle whose diameter is the step: its centre lies `radius`
  // along the step from the start.
  void Arc(double length, double direction, double radius) {
    Step(length, direction);
    ArcAlong(radius, direction);
  }
  // A rounded corner of `radius` where the outline turns from `direction`
  // to `direction` - 90: the arc from `radius` before the sharp corner to
  // `radius` after it.
  void Corner(double radius, double direction) {
    Step(radius, direction);
    Step(radius, direction - 90);
    ArcAlong(radius, direction - 90);
  }
  // A step, then the arc of it centred on the reference point.
  void ArcAboutReference(double length, double direction) {
    const float start_x = x_, start_y = y_;
    Step(length, direction);
    ArcLine(x0_ - start_x, y0_ - start_y);
  }

 private:
  // The heading in radians: the angle plus the direction rounded to a
  // whole degree (halves to even), reduced to 0..360.
  double Heading(double direction) const {
    double degrees = std::fmod(RoundHalfEven(angle_ + direction), 360.0);
    if (degrees < 0) degrees += 360;
    return degrees * kTurtlePi / 180;
  }
  void ArcAlong(double radius, double direction) {
    const double heading = Heading(direction);
    ArcLine(ToSingle(radius * std::cos(heading)), ToSingle(radius * std::sin(heading)));
  }
  void ArcLine(float i, float j) {
    AppendLine(out_, "G02X", Coordinate(x_), "Y", Coordinate(y_), "I", Coordinate(i), "J", Coordinate(j));
  }

  double angle_;
  float x0_, y0_;
  float x_, y_;
  std::string& out_;
};

// The sizes of one shape: W and T, and their halves.
struct Size {
  double W, T, w, t;
  explicit Size(const ShapeSizes& sizes) : W(sizes.width), T(sizes.height), w(W / 2), t(T / 2) {}
};

// L1100 (and, turned half round, L1200): the rectangle whose reference
// point is t in from the left side (wide) or w down from the top (tall).
void SideRectangle(Turtle& p, const Size& s) {
  if (s.W >= s.T) {
    p.Step(s.t, 270);
    p.Approach();
    p.Cut(s.t, 180), p.Cut(s.T, 90), p.Cut(s.W, 0), p.Cut(s.T, 270), p.Cut(s.W - s.t, 180);
  } else {
    p.Step(s.w, 180);
    p.Approach();
    p.Cut(s.w, 90), p.Cut(s.W, 0), p.Cut(s.T, 270), p.Cut(s.W, 180), p.Cut(s.T - s.w, 90);
  }
}

void CentreRectangle(Turtle& p, const Size& s) {
  if (s.W >= s.T) {
    p.Step(s.t, 90);
    p.Approach();
    p.Cut(s.w, 0), p.Cut(s.T, 270), p.Cut(s.W, 180), p.Cut(s.T, 90), p.Cut(s.w, 0);
  } else {
    p.Step(s.w, 0);
    p.Approach();
    p.Cut(s.t, 270), p.Cut(s.W, 180), p.Cut(s.T, 90), p.Cut(s.W, 0), p.Cut(s.t, 270);
  }
}

// L2000, L2100, L2200: the slot from its centre, from the centre of its
// left (top) end, or from the centre of its right (bottom) end.
void Slot(Turtle& p, const Size& s, int reference) {
  if (s.W > s.T) {
    if (reference == 1) p.Step(s.W - s.T, 0);
    p.Step(s.t, 90);
    if (reference == 0) p.Step(s.w - s.t, 0);
    p.Approach();
    p.Arc(s.T, 270, s.t), p.Cut(s.W - s.T, 180), p.Arc(s.T, 90, s.t), p.Cut(s.W - s.T, 0);
  } else {
    if (reference == 1) p.Step(s.T - s.W, 270);
    p.Step(s.w, 0);
    if (reference == 0) p.Step(s.t - s.w, 270);
    p.Approach();
    p.Arc(s.W, 180, s.w), p.Cut(s.T - s.W, 90), p.Arc(s.W, 0, s.w), p.Cut(s.T - s.W, 270);
  }
}

double FlatHalfLength(double radius, double half_gap) {
  const double square = radius * radius - half_gap * half_gap;
  if (square < 0) Fail(FailureKind::kInvalidArgument, "L3000");
  return std::sqrt(square);
}

// L3000: the circle of diameter max(W, T) with two flats min(W, T) apart;
// both arcs are centred on the reference point.
void FlattedCircle(Turtle& p, const Size& s) {
  if (s.W > s.T) {
    const double half = FlatHalfLength(s.w, s.t);
    p.Step(s.t, 90);
    p.Approach();
    p.Cut(half, 0), p.ArcAboutReference(s.T, 270), p.Cut(2 * half, 180), p.ArcAboutReference(s.T, 90), p.Cut(half, 0);
  } else {
    const double half = FlatHalfLength(s.t, s.w);
    p.Step(s.w, 0);
    p.Approach();
    p.Cut(half, 270), p.ArcAboutReference(s.W, 180), p.Cut(2 * half, 90), p.ArcAboutReference(s.W, 0),
        p.Cut(half, 270);
  }
}

// L4100 (and, turned half round, L4200): the D shape from the centre of its
// round end, on the left (wide) or at the top (tall).
void DShape(Turtle& p, const Size& s) {
  if (s.W > s.T) {
    p.Step(s.t, 270);
    p.Approach();
    p.Arc(s.T, 90, s.t), p.Cut(s.W - s.t, 0), p.Cut(s.T, 270), p.Cut(s.W - s.t, 180);
  } else {
    p.Step(s.w, 180);
    p.Approach();
    p.Arc(s.W, 0, s.w), p.Cut(s.T - s.w, 270), p.Cut(s.W, 180), p.Cut(s.T - s.w, 90);
  }
}

// L5000 to L6200: the rectangle with rounded corners, from its centre. The
// outline starts in the middle of the top side (wide) or of the right side
// (tall) and goes round clockwise; `r` holds the radius of the corner at
// the end of each side: top right, bottom right, bottom left, top left.
void RoundedRectangle(Turtle& p, const Size& s, const std::array<float, 4>& r) {
  const double length[4] = {s.W, s.T, s.W, s.T};  // top, right, bottom, left
  const double direction[4] = {0, 270, 180, 90};
  const int first = s.W >= s.T ? 0 : 1;
  p.Step(first == 0 ? s.t : s.w, direction[first] + 90);
  p.Approach();
  p.Cut(length[first] / 2 - r[first], direction[first]);
  for (int k = 0; k < 4; ++k) {
    const int side = (first + k) % 4, next = (side + 1) % 4;
    p.Corner(r[side], direction[side]);
    p.Cut(k < 3 ? length[next] - r[side] - r[next] : length[next] / 2 - r[side], direction[next]);
  }
}

// The full circles: not turned.
void Circle(float x0, float y0, float radius, std::string& out) {
  const auto y = Coordinate(y0), right = Coordinate(ToSingle(x0 + static_cast<double>(radius)));
  AppendLine(out, "G01X", right, "Y", y);
  AppendLine(out, "G02X", Coordinate(ToSingle(x0 - static_cast<double>(radius))), "Y", y, "I", Coordinate(-radius),
             "J0.0");
  AppendLine(out, "G02X", right, "Y", y, "I", Coordinate(radius), "J0.0");
}

}  // namespace

void DrawShape(std::string_view code, const ShapeSizes& sizes, float angle, float x0, float y0, std::string& out) {
  const Size size(sizes);
  Turtle turtle(angle, x0, y0, out);
  Turtle turned(angle + 180.0, x0, y0, out);  // for the shapes mirrored through the reference point
  const std::array<float, 4> all_corners = {sizes.corner, sizes.corner, sizes.corner, sizes.corner};
  if (code == "L1000") CentreRectangle(turtle, size);
  if (code == "L1100") SideRectangle(turtle, size);
  if (code == "L1200") SideRectangle(turned, size);
  if (code == "L2000") Slot(turtle, size, 0);
  if (code == "L2100") Slot(turtle, size, 1);
  if (code == "L2200") Slot(turtle, size, 2);
  if (code == "L3000") FlattedCircle(turtle, size);
  if (code == "L4000" || code == "L7000") Circle(x0, y0, static_cast<float>(size.w), out);
  if (code == "L8000") Circle(x0, y0, 1.5f, out);
  if (code == "L4100") DShape(turtle, size);
  if (code == "L4200") DShape(turned, size);
  if (code == "L5000" || code == "L6000") {
    RoundedRectangle(turtle, size, code == "L5000" ? all_corners : sizes.corners);
  }
  if (code == "L5100" || code == "L6100") {
    if (size.W >= size.T) turtle.Step(size.w - size.t, 0);
    if (size.W < size.T) turtle.Step(size.t - size.w, 270);
    RoundedRectangle(turtle, size, code == "L5100" ? all_corners : sizes.corners);
  }
  if (code == "L5200" || code == "L6200") {
    if (size.W >= size.T) turtle.Step(size.w - size.t, 180);
    if (size.W < size.T) turtle.Step(size.t - size.w, 90);
    RoundedRectangle(turtle, size, code == "L5200" ? all_corners : sizes.corners);
  }
}

}  // namespace kovrel
