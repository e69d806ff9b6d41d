// Loading the figure tables from drill data and G-code.
#include "graphic/figure.h"

#include <gtest/gtest.h>

#include "core/append.h"
#include "core/failure.h"
#include "support/one_processor.h"

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

// A long G-code text is read in pieces side by side: the elements, the
// layers, the count of fields only a machine moves on and a failure are
// those of one pass.
TEST(FigureLoad, ALongTextIsLoadedAsInOnePass) {
  std::string text;
  for (int n = 0; text.size() < (std::size_t{4} << 20); ++n) {
    // Moves without X or Y, labels old and new, fields a machine moves on,
    // stars, empty lines and fields after commas: most lines lean on the
    // lines before them.
    switch (n % 7) {
      case 0: AppendLine(text, "G01X", std::to_string(n % 301), ".5Y", std::to_string(n % 97)); break;
      case 1: AppendLine(text, "G01Y", std::to_string(n % 89)); break;
      case 2: AppendLine(text, "D", std::to_string(n % 150)); break;
      case 3: AppendLine(text, "G00X", std::to_string(n % 7), ",N5*,X3Y4"); break;
      case 4: AppendLine(text, "G02X1I1J0"); break;
      case 5: AppendLine(text, n % 3 == 0 ? "" : "G03Y-2.5J1"); break;
      default: AppendLine(text, "G1X2Y", std::to_string(n % 13)); break;
    }
  }
  const auto load = [](const std::string& gcode, FigureTables& figure, FigureReading& reading) {
    try {
      LoadFigure(figure, gcode, reading);
    } catch (const Failure& failure) {
      return std::string(failure.what());
    }
    return std::string();
  };
  for (const std::string& gcode : {text, text + "G01X1E39Y0\r\n" + text}) {
    FigureTables pieces, one;
    FigureReading pieces_reading, one_reading;
    const std::string failed = load(gcode, pieces, pieces_reading);
    std::string failed_once;
    testing_support::OnOneProcessor([&] { failed_once = load(gcode, one, one_reading); });
    EXPECT_EQ(failed, failed_once);
    EXPECT_EQ(pieces_reading.machine_only_fields, one_reading.machine_only_fields);
    EXPECT_EQ(pieces.LayerNames, one.LayerNames);
    ASSERT_EQ(pieces.FigElems.size(), one.FigElems.size());
    std::size_t differ = 0;
    for (std::size_t k = 0; k < one.FigElems.size(); ++k) {
      const FigElem& a = pieces.FigElems[k];
      const FigElem& b = one.FigElems[k];
      differ += a.x != b.x || a.y != b.y || a.i != b.i || a.j != b.j || a.g != b.g || a.layer != b.layer;
    }
    EXPECT_EQ(differ, 0u);
  }
}

}  // namespace
}  // namespace kovrel
