// The figure written back as G-code and as hole data.
#include <gtest/gtest.h>

#include "support/motion_program.h"

#include "graphic/figure.h"
#include "graphic/view.h"

namespace kovrel {
namespace {

TEST(PictureGcode, ThinFigureWithThreeLayersAndMarkers) {
  FigureTables figure;
  LoadFigure(figure, "D10\r\nG00X0Y0\r\nG01X10Y0\r\nD11\r\nG02X10Y0I5J0\r\nD12\r\nG03X0Y0I-5J0\r\n");
  EXPECT_FALSE(HasWideLayers(figure));
  EXPECT_EQ(PictureGcode(figure),
            "D10\r\nG00X0.0Y0.0\r\nG00X0.0Y0.0\r\nG01X10.0Y0.0\r\n"
            "D11\r\nG00X10.0Y0.0\r\nG02X10.0Y0.0I5.0J0.0\r\n"
            "D12\r\nG00X10.0Y0.0\r\nG03X0.0Y0.0I-5.0J0.0\r\n");
}

TEST(PictureGcode, WideLineBecomesItsOutline) {
  FigureTables figure;
  LoadFigure(figure, "L\r\nG00X0Y0\r\nG01X10Y0\r\n");
  figure.LayerWidth[0] = 2;
  EXPECT_TRUE(HasWideLayers(figure));
  EXPECT_EQ(PictureGcode(figure),
            "L\r\n"                                            // the marker writes nothing when wide
            "G00X1.0Y0.0\r\nG02X1.0Y0.0I-1.0J0\r\n"            // circle at the start (after a G00)
            "G00X11.0Y0.0\r\nG02X11.0Y0.0I-1.0J0\r\n"          // circle at the end
            "G00X0.0Y-1.0\r\nG01X10.0Y-1.0\r\nG00X0.0Y1.0\r\nG01X10.0Y1.0\r\n");
}

TEST(PictureGcode, WideArcBecomesTwoCounterClockwiseArcs) {
  FigureTables figure;
  LoadFigure(figure, "L\r\nG00X10Y0\r\nG02X0Y-10I-10J0\r\n");
  figure.LayerWidth[0] = 2;
  const std::string gcode = PictureGcode(figure);
  EXPECT_NE(gcode.find("G00X1.0Y-10.0\r\nG02X1.0Y-10.0I-1.0J0\r\n"), std::string::npos) << gcode;  // at E
  EXPECT_NE(gcode.find("G00X0.0Y-11.0\r\nG03X11.0Y0.0I0.0J11.0\r\n"), std::string::npos) << gcode;
  EXPECT_NE(gcode.find("G00X0.0Y-9.0\r\nG03X9.0Y0.0I0.0J9.0\r\n"), std::string::npos) << gcode;
}

TEST(RegenerateHoleData, ToolsThenHolesGroupedByTool) {
  FigureTables figure;
  LoadFigure(figure, "T01φ0.8\r\nT02φ1.25\r\nT02\r\nX1Y1\r\nT01\r\nX2Y2\r\nT02\r\nX-3.5Y0.125\r\n");
  EXPECT_EQ(RegenerateHoleData(figure),
            "T01φ0.800\r\nT02φ1.250\r\nT01\r\nX2.000Y2.000\r\nT02\r\nX1.000Y1.000\r\nX-3.500Y0.125\r\n");
}


TEST(PictureGcode, OutlineWrittenAsItGoesIsTheWholeText) {
  const std::string program = testing_support::MotionProgram(40000, 4000);
  FigureTables figure;
  LoadFigure(figure, program);
  figure.LayerWidth[1] = 0.5F;  // one wide layer: its elements become outlines
  std::string streamed;
  TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
  PictureGcode(figure, out);
  out.Flush();
  EXPECT_GT(streamed.size(), std::size_t{1} << 20);
  EXPECT_EQ(streamed, PictureGcode(figure));
}

// A large figure is written in pieces side by side: rapid moves to the
// start put before it add their lines and change none of the others,
// wherever the pieces now begin.
TEST(PictureGcode, ALargeFigureIsWrittenAsOneWhole) {
  const std::string program = testing_support::MotionProgram(70000, 9000);
  const auto picture = [](const std::string& text) {
    FigureTables figure;
    LoadFigure(figure, text);
    figure.LayerWidth[3] = 0.5F;  // a wide layer far from the start
    return PictureGcode(figure);
  };
  const std::string whole = picture(program);
  std::string rapids;
  for (int shift = 1; shift <= 3; ++shift) {
    rapids += "G00X0Y0\r\n";
    const std::string longer = picture(rapids + program);
    ASSERT_GT(longer.size(), whole.size());
    std::size_t at = 0;
    while (at < whole.size() && longer[at] == whole[at]) ++at;
    EXPECT_TRUE(longer.substr(0, at) + longer.substr(at + longer.size() - whole.size()) == whole) << shift;
  }
}

}  // namespace
}  // namespace kovrel
