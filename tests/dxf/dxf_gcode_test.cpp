// DXF to G-code: the worked examples, the position after each entity, the
// polylines with their bulges and closing flags, the extrusion, the layer
// lines, and the drawings with nothing to trace.
#include "dxf/dxf_gcode.h"

#include <gtest/gtest.h>

#include "core/append.h"
#include "core/failure.h"
#include "dxf/dxf_text.h"
#include "support/streamed_output.h"

namespace kovrel {
namespace {

using testing_support::Drawing;
using testing_support::Groups;

std::string Gcode(const Groups& entities, const Groups& header = {}) {
  const ConversionResult result = DxfToGcode(Drawing(entities, header));
  EXPECT_FALSE(result.nothing_to_convert);
  return result.text;
}

TEST(DxfGcode, TwoJoinedLines) {
  EXPECT_EQ(Gcode({{0, "LINE"}, {8, "A"}, {10, "1"}, {20, "2"}, {11, "5"}, {21, "2"},
                   {0, "LINE"}, {8, "A"}, {10, "5"}, {20, "2"}, {11, "5"}, {21, "7.25"}}),
            "A\r\nG00X1.0Y2.0\r\nG01X5.0Y2.0\r\nG01X5.0Y7.25\r\n");
  // A first line that starts at (0, 0) needs no rapid move.
  EXPECT_EQ(Gcode({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "3"}, {21, "0.00004"}}), "G01X3.0Y0.0\r\n");
}

TEST(DxfGcode, CircleEndsOnItsEdge) {
  // The circle leaves the position at (cx + r, cy): a line from there needs
  // no rapid move, a line from the centre gets one.
  EXPECT_EQ(Gcode({{0, "CIRCLE"}, {10, "10"}, {20, "10"}, {40, "5"},
                   {0, "LINE"}, {10, "15"}, {20, "10"}, {11, "20"}, {21, "10"},
                   {0, "CIRCLE"}, {10, "10"}, {20, "10"}, {40, "5"},
                   {0, "LINE"}, {10, "10"}, {20, "10"}, {11, "0"}, {21, "0"}}),
            "G00X15.0Y10.0\r\nG02X15.0Y10.0I-5.0J0.0\r\nG01X20.0Y10.0\r\n"
            "G00X15.0Y10.0\r\nG02X15.0Y10.0I-5.0J0.0\r\nG00X10.0Y10.0\r\nG01X0.0Y0.0\r\n");
}

TEST(DxfGcode, MovesBackToEarlierPositionsAreWrittenAgain) {
  // The position's texts are kept while a move ends where the last one
  // did; a line's rapid start and its end both take the position (a
  // circle always starts with its rapid move).
  EXPECT_EQ(Gcode({{0, "CIRCLE"}, {10, "10"}, {20, "10"}, {40, "5"},
                   {0, "LINE"}, {10, "1"}, {20, "1"}, {11, "15"}, {21, "10"},
                   {0, "LINE"}, {10, "2"}, {20, "2"}, {11, "2"}, {21, "2"},
                   {0, "CIRCLE"}, {10, "0"}, {20, "2"}, {40, "2"}}),
            "G00X15.0Y10.0\r\nG02X15.0Y10.0I-5.0J0.0\r\nG00X1.0Y1.0\r\nG01X15.0Y10.0\r\n"
            "G00X2.0Y2.0\r\nG01X2.0Y2.0\r\nG00X2.0Y2.0\r\nG02X2.0Y2.0I-2.0J0.0\r\n");
}

TEST(DxfGcode, ArcAndPoint) {
  EXPECT_EQ(Gcode({{0, "ARC"}, {10, "0"}, {20, "0"}, {40, "10"}, {50, "0"}, {51, "90"},
                   {0, "LINE"}, {10, "0"}, {20, "10"}, {11, "-5"}, {21, "10"},
                   {0, "POINT"}, {10, "3"}, {20, "4"}}),
            "G00X10.0Y0.0\r\nG03X0.0Y10.0I-10.0J0.0\r\nG01X-5.0Y10.0\r\nG00X3.0Y4.0\r\nG01X3.0Y4.0\r\n");
}

TEST(DxfGcode, CoordinatesRelativeToTheUcsOrigin) {
  EXPECT_EQ(Gcode({{0, "LINE"}, {10, "100"}, {20, "50"}, {11, "110"}, {21, "50"},
                   {0, "CIRCLE"}, {10, "100"}, {20, "50"}, {40, "2"}},
                  {{9, "$UCSORG"}, {10, "100"}, {20, "50"}, {30, "0"}}),
            "G01X10.0Y0.0\r\nG00X2.0Y0.0\r\nG02X2.0Y0.0I-2.0J0.0\r\n");
}

TEST(DxfGcode, LwPolylineBulgesAndClosing) {
  // A bulge of 1 is a half circle; a bulge of 0 a straight edge; an open
  // polyline gets no closing move and ends at its last vertex.
  EXPECT_EQ(Gcode({{0, "LWPOLYLINE"}, {90, "3"}, {70, "0"}, {10, "0"}, {20, "0"}, {42, "1"}, {10, "10"}, {20, "0"},
                   {42, "0"}, {10, "10"}, {20, "5"},
                   {0, "LINE"}, {10, "10"}, {20, "5"}, {11, "0"}, {21, "5"}}),
            "G00X0.0Y0.0\r\nG03X10.0Y0.0I5.0J0.0\r\nG01X10.0Y5.0\r\nG01X0.0Y5.0\r\n");
  // Closed (bit 1 of group 70): back to the first vertex with the last
  // vertex's bulge, clockwise for a negative one; the position is then the
  // first vertex.
  EXPECT_EQ(Gcode({{0, "LWPOLYLINE"}, {70, "129"}, {10, "0"}, {20, "0"}, {10, "10"}, {20, "0"}, {42, "-1"},
                   {0, "LINE"}, {10, "0"}, {20, "0"}, {11, "0"}, {21, "-3"}}),
            "G00X0.0Y0.0\r\nG01X10.0Y0.0\r\nG02X0.0Y0.0I-5.0J0.0\r\nG01X0.0Y-3.0\r\n");
  // A quarter circle: bulge tan(22.5°).
  EXPECT_EQ(Gcode({{0, "LWPOLYLINE"}, {10, "10"}, {20, "0"}, {42, "0.41421356237"}, {10, "0"}, {20, "10"}}),
            "G00X10.0Y0.0\r\nG03X0.0Y10.0I-10.0J0.0\r\n");
}

TEST(DxfGcode, PolylineWithVerticesClosesAtSeqend) {
  const Groups closed = {{0, "POLYLINE"}, {8, "P"}, {66, "1"}, {70, "1"},
                         {0, "VERTEX"}, {8, "P"}, {10, "0"}, {20, "0"}, {42, "1"},
                         {0, "VERTEX"}, {8, "P"}, {10, "0"}, {20, "10"},
                         {0, "VERTEX"}, {8, "P"}, {10, "-5"}, {20, "10"}, {42, "-1"},
                         {0, "SEQEND"}, {8, "P"}};
  EXPECT_EQ(Gcode(closed), "P\r\nG00X0.0Y0.0\r\nG03X0.0Y10.0I0.0J5.0\r\nG01X-5.0Y10.0\r\nG02X0.0Y0.0I2.5J-5.0\r\n");
  Groups open = closed;
  open[3].second = "0";
  EXPECT_EQ(Gcode(open), "P\r\nG00X0.0Y0.0\r\nG03X0.0Y10.0I0.0J5.0\r\nG01X-5.0Y10.0\r\n");
  // A polyface mesh is no path; a vertex outside a polyline is nothing.
  EXPECT_TRUE(DxfToGcode(Drawing({{0, "POLYLINE"}, {70, "64"}, {0, "VERTEX"}, {10, "1"}, {20, "1"},
                                  {0, "VERTEX"}, {10, "2"}, {20, "1"}, {0, "SEQEND"},
                                  {0, "VERTEX"}, {10, "3"}, {20, "3"}}))
                  .nothing_to_convert);
}

TEST(DxfGcode, ExtrusionMinusZMirrorsInX) {
  // Circle, arc and polyline in their own coordinates are mirrored; the
  // arc then turns clockwise. Lines are in the drawing's coordinates.
  EXPECT_EQ(Gcode({{0, "CIRCLE"}, {10, "10"}, {20, "5"}, {40, "2"}, {210, "0"}, {220, "0"}, {230, "-1"},
                   {0, "ARC"}, {10, "10"}, {20, "0"}, {40, "10"}, {50, "0"}, {51, "90"}, {230, "-1"},
                   {0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {42, "1"}, {10, "10"}, {20, "0"}, {230, "-1"},
                   {0, "LINE"}, {10, "1"}, {20, "1"}, {11, "2"}, {21, "2"}, {230, "-1"}}),
            "G00X-8.0Y5.0\r\nG02X-8.0Y5.0I-2.0J0.0\r\n"
            "G00X-20.0Y0.0\r\nG02X-10.0Y10.0I10.0J0.0\r\n"
            "G00X0.0Y0.0\r\nG02X-10.0Y0.0I-5.0J0.0\r\n"
            "G00X1.0Y1.0\r\nG01X2.0Y2.0\r\n");
}

TEST(DxfGcode, OtherExtrusionsAreSkippedAndCounted) {
  const ConversionResult result =
      DxfToGcode(Drawing({{0, "CIRCLE"}, {10, "1"}, {20, "1"}, {40, "1"}, {210, "1"}, {220, "0"}, {230, "0"},
                          {0, "ARC"}, {40, "1"}, {210, "0.6"}, {230, "0.8"},
                          {0, "LINE"}, {11, "1"}, {21, "1"}}));
  EXPECT_EQ(result.text, "G01X1.0Y1.0\r\n");
  EXPECT_EQ(result.message, "押出し方向が Z 軸に沿っていない図形 2 個は変換しませんでした");
  const ConversionResult nothing = DxfToGcode(Drawing({{0, "CIRCLE"}, {40, "1"}, {210, "1"}, {230, "0"}}));
  EXPECT_TRUE(nothing.nothing_to_convert);
  EXPECT_EQ(nothing.message,
            "変換可能なコマンドが、見つかりませんでした\n押出し方向が Z 軸に沿っていない図形 1 個は変換しませんでした");
}

TEST(DxfGcode, LayerLinesOnlyWhenTheLayerChanges) {
  EXPECT_EQ(Gcode({{0, "POINT"}, {8, "外形 1"}, {10, "1"}, {20, "1"},
                   {0, "POINT"}, {8, "外形 1"}, {10, "2"}, {20, "2"},
                   {0, "POINT"}, {10, "3"}, {20, "3"},  // no group 8: the layer stays
                   {0, "POINT"}, {8, "B"}, {10, "4"}, {20, "4"}}),
            "外形1\r\nG00X1.0Y1.0\r\nG01X1.0Y1.0\r\nG00X2.0Y2.0\r\nG01X2.0Y2.0\r\nG00X3.0Y3.0\r\nG01X3.0Y3.0\r\n"
            "B\r\nG00X4.0Y4.0\r\nG01X4.0Y4.0\r\n");
}

TEST(DxfGcode, NothingToTraceAndEveryLineEnd) {
  EXPECT_TRUE(DxfToGcode(Drawing({{0, "INSERT"}, {2, "B"}, {0, "ELLIPSE"}, {0, "TEXT"}, {1, "LINE"}}))
                  .nothing_to_convert);
  EXPECT_TRUE(DxfToGcode(Drawing({})).nothing_to_convert);
  const Groups arc = {{0, "ARC"}, {8, "A"}, {10, "1"}, {20, "2"}, {40, "3"}, {50, "45"}, {51, "300"}};
  const std::string crlf = DxfToGcode(Drawing(arc, {}, "\r\n")).text;
  EXPECT_EQ(DxfToGcode(Drawing(arc, {}, "\n")).text, crlf);
  EXPECT_EQ(DxfToGcode(Drawing(arc, {}, "\r")).text, crlf);
  EXPECT_EQ(crlf, "A\r\nG00X3.1213Y4.1213\r\nG03X2.5Y-0.5981I-2.1213J-2.1213\r\n");
}

TEST(DxfGcode, DrawingCutShortIsFailure62) {
  try {
    DxfToGcode(testing_support::GroupText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {10, "1"}}));
    FAIL() << "no EOF";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 62);
  }
}

TEST(DxfGcode, WrittenInChunksOfWholeLinesAsWhenGathered) {
  Groups entities;
  for (int k = 0; k < 12000; ++k) {
    const std::string x = Joined(std::to_string(k % 500), ".5"), y = std::to_string(k / 7);
    entities.insert(entities.end(), {{0, "LINE"}, {8, k % 3000 ? "A" : "B"}, {10, x}, {20, y}, {11, y}, {21, x},
                                     {0, "ARC"}, {10, x}, {20, x}, {40, "2.5"}, {50, "10"}, {51, "80"}});
    if (k % 1000 == 0) entities.insert(entities.end(), {{0, "CIRCLE"}, {40, "1"}, {210, "1"}, {230, "0"}});
  }
  const std::string drawing = Drawing(entities);
  const ConversionResult gathered = DxfToGcode(drawing);
  ConversionResult result;
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { result = TraceDxfToGcode(drawing, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, gathered.text);
  EXPECT_EQ(result.message, gathered.message);
  EXPECT_EQ(result.message, "押出し方向が Z 軸に沿っていない図形 12 個は変換しませんでした");
}

}  // namespace
}  // namespace kovrel
