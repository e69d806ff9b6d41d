// Every shape code, wide and tall, straight and turned by 30 degrees, read
// back from the G-code as geometry: the approach leaves the reference
// point, the outline runs clockwise and ends where it began, every arc's
// centre is at its radius from both ends, and the outline has the size
// W x T around the reference point where the shape's table puts it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/number_reader.h"
#include "core/text_reader.h"
#include "wire/wire_gcode.h"
#include "wire/wire_shapes.h"

namespace kovrel {
namespace {

constexpr double kPi = 3.14159265358979;
// Written coordinates have four decimals.
constexpr double kWritten = 2e-4;

struct Point {
  double x = 0, y = 0;
};

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// One element of the outline: a line, or a clockwise arc with its centre.
struct Element {
  Point start, end;
  bool arc = false;
  Point centre;
};

// Where the reference point lies in the shape's extent.
enum class Reference { kCentre, kLeftOrTop, kRightOrBottom, kCircle, kSmallCircle };

struct ShapeCase {
  std::string_view code;
  Reference reference;
  bool square_is_wide;  // rectangles are wide when W >= T, the round shapes when W > T
};

const ShapeCase kCases[] = {
    {"L1000", Reference::kCentre, true},         {"L1100", Reference::kLeftOrTop, true},
    {"L1200", Reference::kRightOrBottom, true},  {"L2000", Reference::kCentre, false},
    {"L2100", Reference::kLeftOrTop, false},     {"L2200", Reference::kRightOrBottom, false},
    {"L3000", Reference::kCentre, false},        {"L4000", Reference::kCircle, false},
    {"L4100", Reference::kLeftOrTop, false},     {"L4200", Reference::kRightOrBottom, false},
    {"L5000", Reference::kCentre, true},         {"L5100", Reference::kLeftOrTop, true},
    {"L5200", Reference::kRightOrBottom, true},  {"L6000", Reference::kCentre, true},
    {"L6100", Reference::kLeftOrTop, true},      {"L6200", Reference::kRightOrBottom, true},
    {"L7000", Reference::kCircle, false},        {"L8000", Reference::kSmallCircle, false},
};

struct Extent {
  double left, right, bottom, top;
};

// The extent of the shape around its reference point.
Extent Expected(const ShapeCase& shape, double W, double T) {
  const double w = W / 2, t = T / 2;
  const bool wide = shape.square_is_wide ? W >= T : W > T;
  switch (shape.reference) {
    case Reference::kCentre: return {-w, w, -t, t};
    case Reference::kLeftOrTop: return wide ? Extent{-t, W - t, -t, t} : Extent{-w, w, w - T, w};
    case Reference::kRightOrBottom: return wide ? Extent{t - W, t, -t, t} : Extent{-w, w, -w, T - w};
    case Reference::kCircle: return {-w, w, -w, w};
    case Reference::kSmallCircle: return {-1.5, 1.5, -1.5, 1.5};
  }
  return {};
}

struct Drawn {
  Point approach;
  std::vector<Element> outline;
};

// Converts the shape call at (3, 4) and reads the outline back.
Drawn Draw(const ShapeCase& shape, double W, double T, int angle) {
  const std::string program = "H100=" + std::to_string(W) + "\r\nH200=" + std::to_string(T) +
                              "\r\nH150=1.5\r\nH110=1.\r\nH120=2.\r\nH130=.5\r\nH140=1.25\r\nK" +
                              std::to_string(angle * 1000) + ".\r\nG00X3.Y4.\r\nG22" + std::string(shape.code) + "\r\n";
  const std::string gcode = WireToGcode(program).text;
  const std::vector<std::string_view> lines = SplitLines(gcode);
  // D10, G00X0Y0, G00X3.0Y4.0, the approach, the outline, G00X3.0Y4.0, M30.
  EXPECT_EQ(lines[2], "G00X3.0Y4.0");
  EXPECT_EQ(lines[lines.size() - 2], "G00X3.0Y4.0");
  EXPECT_TRUE(lines[3].starts_with("G01"));
  Drawn drawn;
  drawn.approach = {ValueAfter(lines[3], "X"), ValueAfter(lines[3], "Y")};
  Point at = drawn.approach;
  for (std::size_t k = 4; k + 2 < lines.size(); ++k) {
    Element element;
    element.start = at;
    element.end = {ValueAfter(lines[k], "X"), ValueAfter(lines[k], "Y")};
    element.arc = lines[k].starts_with("G02");
    EXPECT_TRUE(element.arc || lines[k].starts_with("G01")) << lines[k];
    if (element.arc) element.centre = {at.x + ValueAfter(lines[k], "I"), at.y + ValueAfter(lines[k], "J")};
    drawn.outline.push_back(element);
    at = element.end;
  }
  return drawn;
}

// Points along the outline: the ends of lines and many points of each arc.
std::vector<Point> Trace(const Drawn& drawn) {
  std::vector<Point> points{drawn.approach};
  for (const Element& e : drawn.outline) {
    if (e.arc) {
      const double r = Distance(e.centre, e.start);
      const double from = std::atan2(e.start.y - e.centre.y, e.start.x - e.centre.x);
      const double to = std::atan2(e.end.y - e.centre.y, e.end.x - e.centre.x);
      double sweep = std::fmod(from - to + 4 * kPi, 2 * kPi);  // clockwise
      if (sweep < 1e-9) sweep = 2 * kPi;
      for (int s = 1; s <= 720; ++s) {
        const double a = from - sweep * s / 720;
        points.push_back({e.centre.x + r * std::cos(a), e.centre.y + r * std::sin(a)});
      }
    }
    points.push_back(e.end);
  }
  return points;
}

void CheckShape(const ShapeCase& shape, double W, double T, int angle) {
  SCOPED_TRACE(std::string(shape.code) + " " + std::to_string(W) + " x " + std::to_string(T) + " at " +
               std::to_string(angle));
  const Drawn drawn = Draw(shape, W, T, angle);
  ASSERT_FALSE(drawn.outline.empty());
  EXPECT_LT(Distance(drawn.outline.back().end, drawn.approach), kWritten);  // closed
  const Point reference{3, 4};
  for (const Element& e : drawn.outline) {
    if (!e.arc) continue;
    EXPECT_NEAR(Distance(e.centre, e.start), Distance(e.centre, e.end), kWritten);
    if (shape.code == "L3000") {
      EXPECT_LT(Distance(e.centre, reference), kWritten);
    }
  }
  // Turned back about the reference point, the outline fills its extent.
  const double a = -angle * kPi / 180;
  const bool turned = shape.reference != Reference::kCircle && shape.reference != Reference::kSmallCircle;
  Extent extent{1e9, -1e9, 1e9, -1e9};
  double area = 0;
  const std::vector<Point> points = Trace(drawn);
  for (std::size_t k = 0; k < points.size(); ++k) {
    const Point p = points[k], q = points[(k + 1) % points.size()];
    area += p.x * q.y - q.x * p.y;
    const double dx = p.x - reference.x, dy = p.y - reference.y;
    const double x = turned ? dx * std::cos(a) - dy * std::sin(a) : dx;
    const double y = turned ? dx * std::sin(a) + dy * std::cos(a) : dy;
    extent = {std::min(extent.left, x), std::max(extent.right, x), std::min(extent.bottom, y), std::max(extent.top, y)};
  }
  EXPECT_LT(area, 0);  // clockwise
  const Extent expected = Expected(shape, W, T);
  EXPECT_NEAR(extent.left, expected.left, 1e-3);
  EXPECT_NEAR(extent.right, expected.right, 1e-3);
  EXPECT_NEAR(extent.bottom, expected.bottom, 1e-3);
  EXPECT_NEAR(extent.top, expected.top, 1e-3);
}

TEST(WireShapes, EveryShapeIsClosedClockwiseAndHasItsSize) {
  for (const ShapeCase& shape : kCases) {
    for (const int angle : {0, 30}) {
      CheckShape(shape, 20, 8, angle);     // wide
      CheckShape(shape, 8, 20, angle);     // tall
      CheckShape(shape, 12.5, 12.5, angle);  // square: wide rectangles, tall round shapes
    }
  }
}

TEST(WireShapes, EveryCodeOfTheTableIsDrawn) {
  ASSERT_EQ(std::size(kCases), kShapeCodes.size());
  for (std::size_t k = 0; k < kShapeCodes.size(); ++k) EXPECT_EQ(kCases[k].code, kShapeCodes[k]);
}

TEST(WireShapes, CornersTakeTheirOwnRadius) {
  // L6000: H110 top right, H120 bottom right, H130 bottom left, H140 top
  // left; L5000: H150 everywhere.
  for (const bool own : {true, false}) {
    const ShapeCase shape{own ? "L6000" : "L5000", Reference::kCentre, true};
    for (const auto& [W, T] : {std::pair{20.0, 8.0}, std::pair{8.0, 20.0}}) {
      const Drawn drawn = Draw(shape, W, T, 0);
      int arcs = 0;
      for (const Element& e : drawn.outline) {
        if (!e.arc) continue;
        ++arcs;
        const bool right = e.centre.x > 3, top = e.centre.y > 4;
        const double radius = !own ? 1.5 : right ? (top ? 1.0 : 2.0) : (top ? 1.25 : 0.5);
        EXPECT_NEAR(Distance(e.centre, e.start), radius, kWritten) << shape.code << " " << W;
      }
      EXPECT_EQ(arcs, 4);
    }
  }
}

TEST(WireShapes, SlotsAndDShapesHaveHalfCircleEnds) {
  const Drawn slot = Draw({"L2000", Reference::kCentre, false}, 20, 8, 0);
  ASSERT_EQ(slot.outline.size(), 4u);
  EXPECT_TRUE(slot.outline[0].arc);
  EXPECT_NEAR(Distance(slot.outline[0].start, slot.outline[0].end), 8, kWritten);  // a half circle
  const Drawn d = Draw({"L4100", Reference::kLeftOrTop, false}, 20, 8, 0);
  EXPECT_NEAR(d.outline[0].centre.x, 3, kWritten);  // centred on the reference point
  EXPECT_NEAR(d.outline[0].centre.y, 4, kWritten);
}

}  // namespace
}  // namespace kovrel
