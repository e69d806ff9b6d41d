// The bundled samples draw as what they are: the milling program's closed
// outline with its two rounded corners and its round pocket, the hole list's
// holes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/text_reader.h"
#include "graphic/figure.h"
#include "graphic/view.h"

namespace kovrel {
namespace {

FigureTables LoadSample(const std::string& name) {
  const std::string text = WithCrLfLineEnds(DecodeCp932(ReadFileBytes(std::string(KOVREL_TEST_DATA_DIR) + "/../../data/samples/" + name)));
  FigureTables figure;
  EXPECT_EQ(LoadFigure(figure, text), FigureLoad::kLoaded);
  return figure;
}

TEST(Samples, MillingProgramIsAClosedOutlineWithRoundedCornersAndAPocket) {
  const FigureTables figure = LoadSample("sample-mill.nc");
  float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
  int arcs = 0, cuts = 0;
  float x = 0, y = 0;  // the current point
  bool outline_started = false, closed = false;
  for (const FigElem& e : figure.FigElems) {
    left = std::min(left, e.x), right = std::max(right, e.x);
    bottom = std::min(bottom, e.y), top = std::max(top, e.y);
    if (e.g == 1) {
      ++cuts;
      if (!outline_started && e.x == 0 && e.y == 0) outline_started = true;
    }
    if (e.g == 2 || e.g == 3) {
      ++arcs;
      // Every arc has its centre at the same distance from both ends.
      const double cx = x + e.i, cy = y + e.j;
      EXPECT_NEAR(std::hypot(cx - x, cy - y), std::hypot(cx - e.x, cy - e.y), 1e-4);
      if (e.g == 2) {
        // The corners turn clockwise a quarter: the end lies 90 degrees on.
        const double start = std::atan2(y - cy, x - cx), end = std::atan2(e.y - cy, e.x - cx);
        double sweep = start - end;
        if (sweep < 0) sweep += 2 * 3.14159265358979;
        EXPECT_NEAR(sweep, 3.14159265358979 / 2, 1e-6);
      } else {
        EXPECT_EQ(e.x, x);  // the pocket: a full circle
        EXPECT_EQ(e.y, y);
      }
    }
    if (outline_started && e.g == 1 && e.x == 0 && e.y == 0 && (x != 0 || y != 0)) closed = true;  // back at the start
    x = e.x, y = e.y;
  }
  EXPECT_EQ(arcs, 3);
  EXPECT_GT(cuts, 6);
  EXPECT_TRUE(outline_started);
  EXPECT_TRUE(closed);
  EXPECT_EQ(left, -10);
  EXPECT_EQ(right, 100);
  EXPECT_EQ(bottom, -10);
  EXPECT_EQ(top, 80);
}

TEST(Samples, HoleListDrawsItsHoles) {
  const FigureTables figure = LoadSample("sample-holes.nc");
  ASSERT_EQ(figure.HolePoints.size(), 5u);
  EXPECT_EQ(figure.HolePoints[3].x, 20);
  EXPECT_EQ(figure.HolePoints[3].y, 60);
  EXPECT_FLOAT_EQ(figure.LayerWidth[static_cast<std::size_t>(figure.HolePoints[3].tool)], 6.8f);
}

}  // namespace
}  // namespace kovrel
