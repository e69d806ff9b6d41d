// Directions in every quadrant and on the axes, and the centre of a radius
// arc: the short and the long arc, clockwise and counter-clockwise.
#include "core/arc_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/failure.h"

namespace kovrel {
namespace {

TEST(DirectionDegrees, QuadrantsAndAxes) {
  const struct {
    double dx, dy, degrees;
  } cases[] = {
      {1, 0, 0},     {1, 1, 45},     {0, 1, 90},   {-1, 1, 135}, {-1, 0, 180},
      {-1, -1, 225}, {0, -1, 270},   {1, -1, 315}, {0, 0, 90},   {2, 2 * std::sqrt(3.0), 60},
  };
  for (const auto& c : cases) EXPECT_NEAR(DirectionDegrees(c.dx, c.dy), c.degrees, 1e-9) << c.dx << "," << c.dy;
}

TEST(DirectionRadians, QuadrantsAxesAndTheArcStart) {
  const double pi = kPi;
  const struct {
    double dx, dy, radians;
  } cases[] = {
      {1, 0, 0},          {1, 1, pi / 4},      {0, 1, pi / 2},  {-1, 1, 3 * pi / 4}, {-1, 0, pi},
      {-1, -1, 5 * pi / 4}, {0, -1, 3 * pi / 2}, {1, -1, 7 * pi / 4}, {0, 0, pi / 2},  {-1, -0.0, pi},
  };
  for (const auto& c : cases) EXPECT_NEAR(DirectionRadians(c.dx, c.dy), c.radians, 1e-12) << c.dx << "," << c.dy;
  EXPECT_FALSE(std::signbit(DirectionRadians(1, -0.0)));

  // An arc from (10, 0) about the origin (offsets -10, 0) to (0, 10).
  const ArcDirections quarter = ArcDirectionsRadians(-10, 0, 0, 0, 0, 10);
  EXPECT_NEAR(quarter.start, 0, 1e-12);
  EXPECT_NEAR(quarter.end, pi / 2, 1e-12);
  // Offsets straight up or down, and none at all.
  EXPECT_NEAR(ArcDirectionsRadians(0, 5, 0, 5, 5, 5).start, 3 * pi / 2, 1e-12);
  EXPECT_NEAR(ArcDirectionsRadians(0, -5, 0, -5, 5, -5).start, pi / 2, 1e-12);
  EXPECT_NEAR(ArcDirectionsRadians(0, 0, 0, 0, 0, 0).start, 3 * pi / 2, 1e-12);
}

TEST(RadiusArcOffsets, QuarterArcsShortAndLong) {
  const struct {
    double r;
    bool counter_clockwise;
    double i, j;
  } cases[] = {
      // From (10, 0) to (0, 10): the short arc counter-clockwise turns about
      // the origin, clockwise about (10, 10); a negative radius swaps them.
      {10, true, -10, 0},
      {-10, true, 0, 10},
      {10, false, 0, 10},
      {-10, false, -10, 0},
  };
  for (const auto& c : cases) {
    const ArcOffsets offsets = RadiusArcOffsets(10, 0, 0, 10, c.r, c.counter_clockwise);
    EXPECT_NEAR(offsets.i, c.i, 1e-9) << c.r << " " << c.counter_clockwise;
    EXPECT_NEAR(offsets.j, c.j, 1e-9) << c.r << " " << c.counter_clockwise;
  }
  // A half circle has one centre, whatever the sign.
  const ArcOffsets half = RadiusArcOffsets(0, 0, 20, 0, -10, false);
  EXPECT_NEAR(half.i, 10, 1e-9);
  EXPECT_NEAR(half.j, 0, 1e-9);
}

TEST(RadiusArcOffsets, RadiusShorterThanHalfTheChordIsRefused) {
  try {
    RadiusArcOffsets(0, 0, 20, 0, 9, true);
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 380);
  }
}

}  // namespace
}  // namespace kovrel
