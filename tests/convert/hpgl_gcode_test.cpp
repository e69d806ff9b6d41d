// HP-GL to G-code.
#include "convert/hpgl_gcode.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

std::string Gcode(std::string_view hpgl) { return HpglToGcode(hpgl).text; }

TEST(HpglToGcode, WorkedExample) {
  EXPECT_EQ(Gcode("IN;SP1;PU0,0;PD400,0,400,400;PU;SP0;"),
            "SP1\r\nG00X0.0Y0.0\r\nG01X10.0Y0.0\r\nG01X10.0Y10.0\r\nSP0\r\nM30\r\n");
}

TEST(HpglToGcode, PenCommandsPairsAndRelativeMode) {
  EXPECT_EQ(Gcode("PA;PU40,40;PD;PR40,40;"), "G00X1.0Y1.0\r\nG01X2.0Y2.0\r\nM30\r\n");
  EXPECT_EQ(Gcode("PD100;"), "G01X2.5Y2.5\r\nM30\r\n");
  EXPECT_EQ(Gcode("PD0,0,40,0,40,40;"), "G01X0.0Y0.0\r\nG01X1.0Y0.0\r\nG01X1.0Y1.0\r\nM30\r\n");
  EXPECT_EQ(Gcode("PD 100, 200;pd100,200;"), "G01X2.5Y5.0\r\nM30\r\n");  // spaces dropped, lower case ignored
  EXPECT_EQ(Gcode(""), "M30\r\n");
}

TEST(HpglToGcode, RapidMovesCollapseAndTheLastIsDropped) {
  EXPECT_EQ(Gcode("PU40,0;PU80,0;PU120,0;PD120,40;PU0,0;"), "G00X3.0Y0.0\r\nG01X3.0Y1.0\r\nM30\r\n");
}

TEST(HpglToGcode, ArcsAndCircles) {
  EXPECT_EQ(Gcode("PU400,400;CI40;"), "G00X11.0Y10.0\r\nG02X11.0Y10.0I-1.0J0\r\nM30\r\n");
  // AA about (0,0) from (1,0), sweep 90: G03 to (0,1); then plain pairs draw.
  EXPECT_EQ(Gcode("PU40,0;AA0,0,90;PA80,80;"),
            "G00X1.0Y0.0\r\nG03X0.0Y1.0I-1.0J0.0\r\nG01X2.0Y2.0\r\nM30\r\n");
  EXPECT_EQ(Gcode("PU40,0;AR-40,0,-90;"), "G00X1.0Y0.0\r\nG02X0.0Y-1.0I-1.0J0.0\r\nM30\r\n");
}

TEST(HpglToGcode, EscapeSequencesBecomeDroppedLines) {
  EXPECT_EQ(SplitHpglInstructions("\x1b.(;IN;\r\nPU 1,2;"), "E.(\r\n\r\nIN\r\n\r\nPU1,2\r\n\r\n");
  EXPECT_EQ(Gcode("\x1b.(;\x1b.I81;;17:IN;SP2;PA0,0;"), "SP2\r\nM30\r\n");
}

}  // namespace
}  // namespace kovrel
