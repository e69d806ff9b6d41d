// DXF to hole data: the two-layer example, the diameter of the last
// circle, what is no hole, the phantom circles of other sections and
// names, and the limit of 100 layers.
#include "dxf/dxf_holes.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "dxf/dxf_text.h"

namespace kovrel {
namespace {

using testing_support::Drawing;
using testing_support::Groups;

Groups Circle(const std::string& layer, const std::string& x, const std::string& y, const std::string& r) {
  return {{0, "CIRCLE"}, {8, layer}, {10, x}, {20, y}, {30, "0"}, {40, r}};
}

Groups Join(std::initializer_list<Groups> parts) {
  Groups all;
  for (const Groups& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(DxfHoles, TwoLayers) {
  const ConversionResult result = DxfToHoleData(
      Drawing(Join({Circle("A", "12.5", "3", "0.4"), Circle("B", "1", "2", "0.6"), Circle("A", "-7.25", "0", "0.4")})));
  EXPECT_EQ(result.text, "T01φ0.8\r\nT02φ1.2\r\nT01\r\nX12.5Y3.0\r\nX-7.25Y0.0\r\nT02\r\nX1.0Y2.0\r\n");
}

TEST(DxfHoles, ToolDiameterOfTheLastCircleAndTheMasks) {
  const ConversionResult result =
      DxfToHoleData(Drawing(Join({Circle("A", "1.00004", "2.00005", "0.5"), Circle("A", "3", "4", "0.3")})));
  EXPECT_EQ(result.text, "T01φ0.6\r\nT01\r\nX1.0Y2.0001\r\nX3.0Y4.0\r\n");
}

TEST(DxfHoles, OnlyCirclesOfTheEntitiesSectionAreHoles) {
  // An ARC, a POINT, a layer named "CIRCLE" and a text "CIRCLE" are no
  // holes, nor a circle in a block definition.
  const std::string dxf = testing_support::GroupText(
      Join({{{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}}, Circle("X", "9", "9", "1"),
            {{0, "ENDBLK"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}},
            {{0, "ARC"}, {8, "CIRCLE"}, {10, "1"}, {20, "1"}, {40, "1"}, {50, "0"}, {51, "90"}},
            {{0, "POINT"}, {8, "CIRCLE"}, {10, "1"}, {20, "1"}},
            {{0, "TEXT"}, {8, "A"}, {1, "CIRCLE"}, {10, "5"}, {20, "5"}, {40, "2.5"}},
            Circle("H", "2", "3", "0.5"), {{0, "ENDSEC"}, {0, "EOF"}}}));
  EXPECT_EQ(DxfToHoleData(dxf).text, "T01φ1.0\r\nT01\r\nX2.0Y3.0\r\n");
  EXPECT_TRUE(DxfToHoleData(Drawing({{0, "ARC"}, {40, "1"}, {0, "POINT"}})).nothing_to_convert);
}

TEST(DxfHoles, LayerNamesAsTheyStandAndCirclesWithoutALayer) {
  // " A" and "A" are two layers; a circle without a layer lies on "0".
  const ConversionResult result = DxfToHoleData(Drawing(Join({Circle(" A", "1", "1", "1"), Circle("A", "2", "2", "1"),
                                                              {{0, "CIRCLE"}, {10, "3"}, {20, "3"}, {40, "1"}},
                                                              Circle("0", "4", "4", "1")})));
  EXPECT_EQ(result.text, "T01φ2.0\r\nT02φ2.0\r\nT03φ2.0\r\nT01\r\nX1.0Y1.0\r\nT02\r\nX2.0Y2.0\r\nT03\r\nX3.0Y3.0\r\n"
                         "X4.0Y4.0\r\n");
}

TEST(DxfHoles, ExtrusionMirrorsOrSkips) {
  const ConversionResult result = DxfToHoleData(
      Drawing(Join({{{0, "CIRCLE"}, {8, "A"}, {10, "5"}, {20, "1"}, {40, "1"}, {230, "-1"}},
                    {{0, "CIRCLE"}, {8, "A"}, {10, "5"}, {20, "1"}, {40, "1"}, {210, "1"}, {230, "0"}}})));
  EXPECT_EQ(result.text, "T01φ2.0\r\nT01\r\nX-5.0Y1.0\r\n");
  EXPECT_EQ(result.message, "押出し方向が Z 軸に沿っていない図形 1 個は変換しませんでした");
}

TEST(DxfHoles, OneHundredLayersAndNoMore) {
  Groups circles;
  for (int k = 1; k <= 100; ++k) {
    const Groups circle = Circle(std::string("L").append(std::to_string(k)), std::to_string(k), "0", "1");
    circles.insert(circles.end(), circle.begin(), circle.end());
  }
  const std::string text = DxfToHoleData(Drawing(circles)).text;
  EXPECT_NE(text.find("T100φ2.0\r\nT01\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("T100\r\nX100.0Y0.0\r\n"));
  const Groups more = Circle("L101", "1", "1", "1");
  circles.insert(circles.end(), more.begin(), more.end());
  try {
    DxfToHoleData(Drawing(circles));
    FAIL() << "a 101st layer";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 9);
  }
}

TEST(DxfHoles, DrawingCutShortIsFailure62) {
  EXPECT_THROW(DxfToHoleData(testing_support::GroupText(Circle("A", "1", "1", "1"))), Failure);
  EXPECT_THROW(DxfToHoleData("0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n"), Failure);
}

}  // namespace
}  // namespace kovrel
