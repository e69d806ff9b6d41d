// Layer widths typed and stored, and the width files.
#include "graphic/layer_widths.h"

#include "core/file_io.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

TEST(LayerWidths, TypedWidthsColoursAndShownLayers) {
  EXPECT_EQ(TypedLayerWidth("-0.4"), 0.4f);
  EXPECT_EQ(TypedLayerWidth("０．５"), 0.5f);
  EXPECT_EQ(TypedLayerWidth("abc"), 0.0f);
  EXPECT_EQ(TypedLayerWidth(""), 0.0f);
  EXPECT_EQ(LayerWidthText(0.5f), "0.500");
  EXPECT_EQ(LayerWidthText(12.34567f), "12.346");
  EXPECT_EQ(StoredLayerColour(0), 1);  // pure black is stored as 1
  EXPECT_EQ(StoredLayerColour(255), 255);

  FigureTables figure;
  LoadFigure(figure, "A\r\nG01X1Y1\r\nB\r\n");
  figure.LayerVisible[0] = 0;
  figure.LayerVisible[5] = 0;  // unnamed: stays hidden
  ShowNamedLayers(figure);
  EXPECT_EQ(figure.LayerVisible[0], kLayerShown);
  EXPECT_EQ(figure.LayerVisible[5], 0);
}

TEST(LayerWidths, AFileSavedFromOneFigureChangesOnlyTheLayersOfTheSameName) {
  const std::string text = WidthFileText({{"T01", "0.500", 255}, {"T02", "1.250", 65280}});
  EXPECT_EQ(text, "\"T01\",\"0.500\",255\r\n\"T02\",\"1.250\",65280\r\n");
  const std::vector<WidthEntry> entries = ReadWidthFile(text);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].name, "T02");
  EXPECT_EQ(entries[1].width_text, "1.250");
  EXPECT_EQ(entries[1].colour, 65280);

  FigureTables figure;
  LoadFigure(figure, "T02\r\nG01X1Y1\r\nT03\r\nG01X2Y2\r\n");
  const std::vector<int> changed = ApplyWidthEntries(figure, entries);
  ASSERT_EQ(changed, std::vector<int>{0});
  EXPECT_EQ(figure.LayerWidth[0], 1.25f);
  EXPECT_EQ(figure.LayerColor[1], 65280);
  EXPECT_EQ(figure.LayerWidth[1], 0);  // T03 has no line
  EXPECT_EQ(figure.LayerColor[2], kDefaultLayerColor);

  // Layer 99 is not in the table, so a width file does not reach it.
  figure.LayerNames[99] = "L99";
  EXPECT_TRUE(ApplyWidthEntries(figure, {{"L99", "2", 255}}).empty());
}

TEST(LayerWidths, ReadingStopsAtTheFirstDamagedLine) {
  const std::vector<WidthEntry> entries =
      ReadWidthFile("\"A\",\"0.100\",255\r\n\"B\",\"0.2\"\r\n\"C\",\"0.3\",1\r\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "A");
  EXPECT_EQ(ReadWidthFile("\"A\",\"1E999\",1\r\n").size(), 0u);
  EXPECT_EQ(ReadWidthFile("\"A,B\",\"1\",2\r\n")[0].name, "A,B");  // a quoted comma is part of the name
}

TEST(LayerWidths, AWidthFileNameIsANameNotAPath) {
  EXPECT_EQ(FileNameProblem("mill-widths"), "");
  EXPECT_EQ(FileNameProblem("線幅.txt"), "");
  for (const char* refused : {"", "../x", "a/b", "a\\b", "..", "/etc/passwd"}) {
    EXPECT_NE(FileNameProblem(refused), "") << refused;
  }
  EXPECT_NE(FileNameProblem(std::string_view("a\0b", 3)), "");
}

}  // namespace
}  // namespace kovrel
