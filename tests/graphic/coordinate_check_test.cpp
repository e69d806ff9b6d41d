// Snapping, measuring and the markers of the coordinate check.
#include "graphic/coordinate_check.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace kovrel {
namespace {

PickTable Picks(std::initializer_list<std::pair<float, float>> points) {
  PickTable picks;
  for (const auto& [x, y] : points) picks.Add({1, x, y, 0, 0});
  return picks;
}

TEST(CoordinateCheck, SnapsWithinTheArcStepAndTheFirstOfATieWins) {
  const PickTable picks = Picks({{10, 10}, {12, 10}, {11, 12}, {20, 20}});
  EXPECT_EQ(NearestPick(picks, 11, 10, 3), 1);    // 1 from both: the first
  EXPECT_EQ(NearestPick(picks, 11.9f, 10, 3), 2);
  EXPECT_EQ(NearestPick(picks, 30, 30, 3), 0);    // farther than the arc step
  EXPECT_EQ(NearestPick(picks, 17, 20, 3), 0);    // exactly the arc step away: the box is strict
  EXPECT_EQ(NearestPick(picks, 17.5f, 20, 3), 4);
  EXPECT_EQ(NearestPick(picks, 22.9f, 22.9f, 3), 0);  // inside the box, 4.1 away: farther than 3

  CoordinateCheck check;
  EXPECT_EQ(check.Click(picks, 50, 50, 3), std::nullopt);  // nothing near: nothing changes
  EXPECT_TRUE(check.markers.empty());
}

TEST(CoordinateCheck, MeasuresFromTheOriginFirstThenFromTheLastPoint) {
  const PickTable picks = Picks({{3, 4}, {3, 10}, {1, 8}});
  CoordinateCheck check;
  std::optional<Measurement> m = check.Click(picks, 3, 4, 1);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->d, 5);  // from (0, 0)
  EXPECT_EQ(m->cx, 1.5f);
  EXPECT_EQ(m->cy, 2);
  m = check.Click(picks, 3, 10, 1);  // straight up: I = 0
  EXPECT_EQ(m->i, 0);
  EXPECT_EQ(m->j, 6);
  EXPECT_EQ(m->a, 90);
  EXPECT_EQ(check.x2, 3);
  EXPECT_EQ(check.y2, 4);
  m = check.Click(picks, 1, 8, 1);  // down and to the left: arctan without quadrant
  EXPECT_FLOAT_EQ(m->a, 45);
  EXPECT_EQ(Measure(0, 0, 0, -5).a, 90);

  const CheckTexts texts = FormatCheck(*m, 0.5f, 0);
  EXPECT_EQ(texts.x, "1.0000");
  EXPECT_EQ(texts.counter_x, "0.5000");
  EXPECT_EQ(texts.i, "-2.0000");
  EXPECT_EQ(texts.d, "2.82843");  // "####0.0000#": 2.828427 rounds at five places
  EXPECT_EQ(texts.a, "45.000");
}

TEST(CoordinateCheck, TheLastTwoPointsStayMarkedAndCrossesShrinkWithTheZoom) {
  const PickTable picks = Picks({{0, 0}, {10, 0}, {20, 0}});
  CoordinateCheck check;
  check.Click(picks, 0, 0, 3);
  check.Click(picks, 10, 0, 1.5f);  // after a zoom in the arc step is half
  ASSERT_EQ(check.markers.size(), 2u);
  EXPECT_EQ(check.markers[0].size, 3);
  EXPECT_EQ(check.markers[1].size, 1.5f);
  check.Click(picks, 10, 0, 1.5f);  // the same point again keeps the older marker
  ASSERT_EQ(check.markers.size(), 2u);
  EXPECT_EQ(check.markers[0].x, 0);
  check.Click(picks, 20, 0, 1.5f);  // a third point: the first marker goes
  ASSERT_EQ(check.markers.size(), 2u);
  EXPECT_EQ(check.markers[0].x, 10);
  EXPECT_EQ(check.markers[1].x, 20);

  RecordingCanvas canvas;
  DrawMarkers(check, canvas);
  ASSERT_EQ(canvas.Of("line").size(), 4u);
  EXPECT_EQ(canvas.Of("color")[0].values[0], 255);
  EXPECT_EQ(canvas.Of("line")[2].values, (std::vector<double>{18.5, -1.5, 21.5, 1.5}));
}

}  // namespace
}  // namespace kovrel
