// The view box, its zoom limits, and the drawing through a recording canvas.
#include "graphic/view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "recording_canvas.h"

namespace kovrel {
namespace {

struct Drawn {
  FigureTables figure;
  ViewBox box;
  PickTable picks;
  RecordingCanvas canvas;

  explicit Drawn(std::string_view text, DrawOptions options = {}) {
    LoadFigure(figure, text);
    Home(figure, box);
    GrSub(figure, box, options, canvas, picks);
  }
  void Redraw(DrawOptions options = {}) {
    canvas.calls.clear();
    GrSub(figure, box, options, canvas, picks);
  }
};

TEST(ViewBox, EmptyFigureAndTheZoomLimits) {
  FigureTables figure;
  ViewBox box;
  Home(figure, box);
  EXPECT_EQ(box.ViewLeft, -10);
  EXPECT_EQ(box.ViewTop, 10);
  Home(figure, box);  // Home again shows the same
  EXPECT_EQ(box.ViewWidth, 20);
  const Window window = WindowFor(box, 800, 600);  // widened along x
  EXPECT_EQ(window.top, 10);
  EXPECT_FLOAT_EQ(window.left, -10 * 800.0f / 600.0f);
  int accepted = 0;
  while (ZoomIn(box)) ++accepted;
  EXPECT_EQ(accepted, 4);
  EXPECT_EQ(box.ViewWidth, 1.25f);

  FigureTables wide;
  LoadFigure(wide, "G00X-990Y0\r\nG01X990Y10\r\n");
  Home(wide, box);
  EXPECT_EQ(box.ViewWidth, 2000);
  accepted = 0;
  while (ZoomIn(box)) ++accepted;
  EXPECT_EQ(accepted, 9);
  EXPECT_EQ(box.ArcStep, 0.005859375f);
}

TEST(ViewBox, ZoomOutStopsAtTheWidestView) {
  FigureTables figure;
  ViewBox box;
  Home(figure, box);
  int accepted = 0;
  for (int k = 0; k < 500; ++k) accepted += ZoomOut(box);
  EXPECT_EQ(accepted, 25);  // 20 * 2^25 is within a million metres, 2^26 not
  EXPECT_LE(box.ViewWidth, kWidestView);
  EXPECT_TRUE(std::isfinite(WindowFor(box, 800, 600).left));

  // A figure too wide for a float to measure shows the origin.
  FigureTables huge;
  LoadFigure(huge, "G00X-3E38Y0\r\nG01X3E38Y0\r\n");
  Home(huge, box);
  EXPECT_EQ(box.ViewWidth, 20);
}

TEST(GrSub, HugeArcsEndAndTakeAFewChordsAtMost) {
  DrawOptions lines;
  lines.arcs_as_lines = true;
  // A radius no machine cuts is drawn as a straight line, in both modes.
  for (const DrawOptions& options : {DrawOptions{}, lines}) {
    Drawn d("G00X0Y0\r\nG02X10Y0I1E30J0\r\n", options);
    EXPECT_EQ(d.canvas.Of("arc").size(), 0u);
    ASSERT_EQ(d.canvas.Of("line").size(), 1u);
    EXPECT_EQ(d.canvas.Of("line")[0].values, (std::vector<double>{0, 0, 10, 0}));
  }
  // A large arc zoomed in to the smallest arc step gets at most 10000 chords.
  Drawn d("G00X0Y0\r\nG03X0Y0I-5000J0\r\n");
  while (ZoomIn(d.box)) {
  }
  d.Redraw(lines);
  const std::size_t chords = d.canvas.Of("line").size();
  EXPECT_GT(chords, 9000u);
  EXPECT_LE(chords, 10002u);
}

TEST(ViewBox, PanAndCentre) {
  FigureTables figure;
  ViewBox box;
  Home(figure, box);
  Pan(box, 0, 1);
  EXPECT_FLOAT_EQ(box.ViewCenterY, 6);
  EXPECT_FLOAT_EQ(box.ViewTop, 16);
  Pan(box, -1, 0);
  EXPECT_FLOAT_EQ(box.ViewLeft, -16);
  CentreAt(box, 100, 50);
  EXPECT_FLOAT_EQ(box.ViewRight, 110);
  EXPECT_FLOAT_EQ(box.ViewBottom, 40);
  ZoomOut(box);
  EXPECT_FLOAT_EQ(box.ViewWidth, 40);
  EXPECT_FLOAT_EQ(box.ArcStep, 6);
}

TEST(GrSub, HiddenLayerBetweenVisibleLines) {
  Drawn d("");
  d.figure.FigElems = {{10, 0, 0, 0, 1, 0}, {20, 5, 0, 0, 1, 1}, {30, 0, 0, 0, 1, 0}};
  d.figure.LayerVisible[1] = 0;  // layer 1 hidden
  d.Redraw();
  const auto lines = d.canvas.Of("line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].values, (std::vector<double>{10, 0, 30, 0}));  // from the end of the first
}

TEST(GrSub, FullCircleDotAndWideLine) {
  Drawn circle("G00X10Y0\r\nG02X10Y0I-5J0\r\n");
  const auto arcs = circle.canvas.Of("arc");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].values[0], 5);
  EXPECT_EQ(arcs[0].values[2], 5);
  EXPECT_EQ(arcs[0].values[3], arcs[0].values[4]);  // equal angles: the full circle

  Drawn dot("G00X1Y1\r\nG01X1Y1\r\n");
  EXPECT_EQ(dot.canvas.Of("point").size(), 1u);
  EXPECT_TRUE(dot.canvas.Of("line").empty());

  Drawn wide("L\r\nG00X0Y0\r\nG01X10Y0\r\n");
  wide.figure.LayerWidth[0] = 2;
  wide.Redraw();
  const auto circles = wide.canvas.Of("circle");
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].values, (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(circles[1].values, (std::vector<double>{10, 0, 1}));
  const auto sides = wide.canvas.Of("line");
  ASSERT_EQ(sides.size(), 2u);  // two parallel lines, no centre line
  EXPECT_NEAR(sides[0].values[1], -1, 1e-9);
  EXPECT_NEAR(sides[1].values[1], 1, 1e-9);
}

TEST(GrSub, G00LinesBaseLinesAndColours) {
  DrawOptions options;
  options.g00_lines = true;
  options.base_lines = true;
  Drawn d("G00X5Y5\r\n", options);
  const auto styles = d.canvas.Of("style");
  const auto lines = d.canvas.Of("line");
  ASSERT_EQ(lines.size(), 3u);  // two base lines and the rapid move
  EXPECT_EQ(lines[2].values, (std::vector<double>{0, 0, 5, 5}));
  EXPECT_EQ(d.canvas.Of("clear")[0].values[0], 0);
  EXPECT_EQ(d.canvas.Of("color")[0].values[0], 255);       // base lines in red
  EXPECT_EQ(d.canvas.Of("color")[1].values[0], 16711680);  // layer blue
}

TEST(GrSub, SnapPointsOfHolesAndTheWindowEdge) {
  Drawn holes("T01φ1.0\r\nT01\r\nX0Y0\r\nX20Y0\r\n");
  const auto circles = holes.canvas.Of("circle");
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].values[2], 0.5);
  // Home: box -10..30 x -10..10; on an 800 x 800 surface the window is
  // -10..30 in x and -20..20 in y: both holes are inside.
  EXPECT_EQ(holes.picks.PickCount(), 2);
  EXPECT_EQ(holes.picks.points[1].kind, 4);
  // A hole exactly on the edge is drawn but gives no snap point.
  holes.box.ViewLeft = 0;
  holes.box.ViewWidth = 20;
  holes.box.ViewCenterX = 10;
  holes.box.ViewRight = 20;
  holes.box.ViewHeight = 15;  // rW 40 >= rH 40: the height decides, k = 800/600
  holes.box.ViewTop = 7.5;
  holes.box.ViewBottom = -7.5;
  holes.Redraw();
  EXPECT_EQ(holes.canvas.Of("circle").size(), 2u);
  EXPECT_EQ(holes.picks.PickCount(), 0);
}

TEST(GrSub, ArcsAsLinesDrawChordsOnlyWhenLargeEnough) {
  DrawOptions lines;
  lines.arcs_as_lines = true;
  Drawn big("G00X100Y0\r\nG03X0Y100I-100J0\r\n", lines);
  EXPECT_TRUE(big.canvas.Of("arc").empty());
  EXPECT_GT(big.canvas.Of("line").size(), 30u);
  const auto last = big.canvas.Of("line").back();
  EXPECT_NEAR(last.values[2], 0, 1e-9);
  EXPECT_NEAR(last.values[3], 100, 1e-9);
  Drawn small("G00X10Y0\r\nG03X0Y10I-10J0\r\n", lines);  // R / ArcStep < 20
  EXPECT_EQ(small.canvas.Of("arc").size(), 1u);
  EXPECT_TRUE(small.canvas.Of("line").empty());
}

}  // namespace
}  // namespace kovrel
