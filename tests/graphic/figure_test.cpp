// Loading the figure tables from drill data and G-code.
#include "graphic/figure.h"

#include <gtest/gtest.h>

#include "core/append.h"

namespace kovrel {
namespace {

TEST(FigureLoad, MixedTextIsRefusedAndEmptyTextOpensEmpty) {
  FigureTables figure;
  EXPECT_EQ(LoadFigure(figure, "(DRILLING)\r\nT1φ0.8\r\nX1Y1\r\n"), FigureLoad::kMixed);
  EXPECT_EQ(figure.LastHole(), -1);
  EXPECT_EQ(LoadFigure(figure, "M30\r\nX1Y1\r\n"), FigureLoad::kLoaded);  // neither φ nor G
  EXPECT_EQ(figure.LastHole(), -1);
  EXPECT_EQ(figure.LastElem(), -1);
  // Text after the closing quote of a quoted field is no part of a field.
  EXPECT_EQ(LoadFigure(figure, "\"T1\"(G)\r\nT1φ1\r\nX1Y1\r\n"), FigureLoad::kLoaded);
  EXPECT_EQ(figure.LastHole(), 0);
}

TEST(FigureLoad, GcodeElementsAreModalInXAndYAndLayersAreNamed) {
  FigureTables figure;
  ASSERT_EQ(LoadFigure(figure, "%\r\nG90\r\nG01X10.Y5.\r\nG01Y8.\r\nX10.,Y5.\r\nG02X0Y0I1J2\r\n%\r\n"), FigureLoad::kLoaded);
  // "%" layer 0 (marker), "G90" layer 1 (marker), two lines, "X10." ... as layer names.
  ASSERT_EQ(figure.LastElem(), 7);
  EXPECT_EQ(figure.LayerNames[0], "%");
  EXPECT_EQ(figure.LayerNames[1], "G90");
  const FigElem& second = figure.FigElems[3];
  EXPECT_EQ(second.x, 10);
  EXPECT_EQ(second.y, 8);
  EXPECT_EQ(second.g, 1);
  EXPECT_EQ(second.layer, 1);
  EXPECT_EQ(figure.LayerNames[2], "X10.");  // no G word: a layer name
  EXPECT_EQ(figure.LayerNames[3], "Y5.");
  const FigElem& arc = figure.FigElems[6];
  EXPECT_EQ(arc.g, 2);
  EXPECT_EQ(arc.i, 1);
  EXPECT_EQ(arc.j, 2);
  EXPECT_EQ(figure.FigElems[7].layer, 0);  // the last "%" selects layer 0 again
  EXPECT_EQ(figure.FigElems[7].g, 0);
  EXPECT_EQ(figure.FigElems[7].x, 0);
  EXPECT_TRUE(figure.Shown(3));
}

TEST(FigureLoad, BlankLinesFieldsWithStarsAndShortMotionWords) {
  FigureTables figure;
  LoadFigure(figure, "D10\r\n\r\nG01X1Y1\r\nG01X2*\r\nG1X5\r\n");
  // The blank line adds nothing; G1X5 is a layer name.
  ASSERT_EQ(figure.LastElem(), 2);
  EXPECT_EQ(figure.FigElems[1].layer, 0);
  EXPECT_EQ(figure.LayerNames[1], "G1X5");
  EXPECT_EQ(figure.FigElems[1].g, 1);
  EXPECT_EQ(figure.FigElems[2].x, 1);  // the marker stands at the last point
  // G90G01X5: the G number is the first one.
  LoadFigure(figure, "G90G01X5\r\n");
  EXPECT_EQ(figure.FigElems[0].g, 90);
}

TEST(FigureLoad, HolesTakeTheirToolsWidthsAndMissingLetters) {
  FigureTables figure;
  ASSERT_EQ(LoadFigure(figure, "T01φ0.80\r\nT02φ0.50\r\nT02\r\nX1.5Y2.0\r\nX3\r\nT01\r\nY4\r\n"), FigureLoad::kLoaded);
  ASSERT_EQ(figure.LastHole(), 2);
  EXPECT_EQ(figure.HolePoints[0].tool, 1);
  EXPECT_FLOAT_EQ(figure.LayerWidth[1], 0.5f);
  EXPECT_EQ(figure.HolePoints[1].y, 0);  // a hole line without Y
  EXPECT_EQ(figure.HolePoints[2].tool, 0);
  EXPECT_EQ(figure.HolePoints[2].x, 0);
  EXPECT_EQ(figure.LastElem(), -1);
}

TEST(FigureLoad, MoreThanAHundredLayersKeepTheCurrentLayer) {
  FigureTables figure;
  std::string text;
  for (int k = 0; k < 101; ++k) AppendLine(text, "L", std::to_string(k));
  text += "G01X1Y1\r\n";
  LoadFigure(figure, text);
  EXPECT_EQ(figure.FigElems.back().layer, 99);
  EXPECT_EQ(figure.LayerNames[99], "L99");
}

TEST(LayerColors, FileRoundTripAndShortFiles) {
  FigureTables figure;
  figure.LayerColor[0] = 16777215;
  figure.LayerColor[3] = 255;
  const std::string text = LayerColorsText(figure);
  EXPECT_TRUE(text.starts_with(" 16777215\r\n 16711680\r\n 16711680\r\n 255\r\n"));
  FigureTables other;
  ReadLayerColors(other, text);
  EXPECT_EQ(other.LayerColor, figure.LayerColor);
  FigureTables short_file;
  ReadLayerColors(short_file, "  65280 \r\n");
  EXPECT_EQ(short_file.LayerColor[0], 65280);
  EXPECT_EQ(short_file.LayerColor[1], 16711680);
}

TEST(LoadFigure, ADiameterInACommentIsNoDrillData) {
  FigureTables figure;
  EXPECT_EQ(LoadFigure(figure, "(T01 φ10 エンドミル)\r\nG00X0Y0\r\nG01X10Y0\r\n"), FigureLoad::kLoaded);
  EXPECT_EQ(figure.LastElem(), 2);
  // A comment runs on over the commas of its line, also in a text with quotes.
  EXPECT_EQ(LoadFigure(figure, "\"O1\"\r\n(T01, φ10)\r\nG01X1Y1\r\n"), FigureLoad::kLoaded);
  EXPECT_EQ(LoadFigure(figure, "\"O1\"\r\n(T01) φ10\r\nG01X1Y1\r\n"), FigureLoad::kMixed);
  EXPECT_EQ(LoadFigure(figure, "T01φ10\r\nG01X1Y1\r\n"), FigureLoad::kMixed);
}

}  // namespace
}  // namespace kovrel
