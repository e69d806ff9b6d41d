// G-code grouping and tidying.
#include "convert/gcode_sort.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

std::string Group(std::string_view gcode) { return GroupGcode(gcode).text; }

TEST(GcodeSort, WorkedExample) {
  EXPECT_EQ(Group("D10\r\nG00X0Y0\r\nG01X10Y0\r\nD11\r\nG00X5Y5\r\nG01X6Y5\r\nD10\r\nG00X20Y0\r\nG01X30Y0\r\n"),
            "D10\r\nG00X0Y0\r\nG01X10Y0\r\nG00X20Y0\r\nG01X30Y0\r\nD11\r\nG00X5Y5\r\nG01X6Y5\r\n");
}

TEST(GcodeSort, MovesBeforeTheFirstSelectionAreKeptFirst) {
  EXPECT_EQ(Group("G00X1Y1\r\nG01X2Y2\r\nD10\r\nG01X3Y3\r\n"), "G00X1Y1\r\nG01X2Y2\r\nD10\r\nG01X3Y3\r\n");
  // With a blank item too: the moves before any selection still come first,
  // the moves after the blank item stay behind it.
  EXPECT_EQ(Group("G01X1Y1\r\nD10\r\nG01X2Y2\r\n\r\nG01X3Y3\r\n"),
            "G01X1Y1\r\nD10\r\nG01X2Y2\r\n\r\nG01X3Y3\r\n");
}

TEST(GcodeSort, RepeatedRapidMoves) {
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nG00X1Y1\r\nG01X2Y2\r\n"), "D10\r\nG00X1Y1\r\nG01X2Y2\r\n");
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nG01X2Y2\r\nG00X1Y1\r\n"), "D10\r\nG00X1Y1\r\nG01X2Y2\r\nG00X1Y1\r\n");
  // The first rapid move of a group stays even when the move before it in
  // the program is the same.
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nD11\r\nG00X1Y1\r\n"), "D10\r\nG00X1Y1\r\nD11\r\nG00X1Y1\r\n");
  EXPECT_TRUE(GroupGcode("D10\r\nM30\r\n").nothing_to_convert);
}

TEST(GcodeSort, Tidying) {
  EXPECT_EQ(TidyRapidMoves("G00X1Y1\r\nG00X2Y2\r\nG01X3Y3\r\n"), "G00X2Y2\r\nG01X3Y3\r\n");
  EXPECT_EQ(TidyRapidMoves("G00X1Y1\r\nD11\r\nG01X2Y2\r\n"), "D11\r\nG00X1Y1\r\nG01X2Y2\r\n");
  EXPECT_EQ(TidyRapidMoves("G01X1Y1\r\nG00X0Y0\r\n"), "G01X1Y1\r\n");
  EXPECT_EQ(TidyRapidMoves(""), "");
}

}  // namespace
}  // namespace kovrel
