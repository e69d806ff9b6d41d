// Hole data to DXF: tool layers, circles, slot 0, the tool limits and the
// colours of the window's modes.
#include "dxf/hole_dxf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_reader.h"

#include "dxf/dxf_text.h"
#include "support/streamed_output.h"

namespace kovrel {
namespace {

using testing_support::EntitiesOf;
using testing_support::LayersOf;

std::string Circle(const std::string& layer, const std::string& colour, const std::string& x, const std::string& y,
                   const std::string& r) {
  return "  0\nCIRCLE\n  8\n" + layer + "\n 62\n" + colour + "\n  6\nCONTINUOUS\n 10\n" + x + "\n 20\n" + y +
         "\n 30\n0.0\n 40\n" + r + "\n";
}

TEST(HoleDxf, WorkedExample) {
  const ConversionResult result = HoleDataToDxf("T01φ2.000\r\nT01\r\nX10.0 Y5.0\r\n", DxfColourOptions{});
  EXPECT_EQ(LayersOf(result.text), "  2\nLAYER\n 70\n     2\n  0\nLAYER\n  2\nT 1\n 70\n     0\n 62\n      1\n"
                                   "  6\nCONTINUOUS\n");
  EXPECT_EQ(EntitiesOf(result.text), Circle("T 1", "      1", "10.0", "5.0", "1.0"));
  EXPECT_NE(result.text.find("$CLAYER\r\n  8\r\nT 1\r\n"), std::string::npos);
}

TEST(HoleDxf, HolesBeforeTheFirstToolLieOnLayerZeroInColourSeven) {
  const ConversionResult result =
      HoleDataToDxf("X1.5 Y-2\r\nT01φ0.8\r\nT02φ1.25\r\nT02\r\nX3 Y4\r\nT01\r\nY7\r\n", DxfColourOptions{});
  EXPECT_EQ(EntitiesOf(result.text), Circle("0", "      7", "1.5", "-2.0", "0.0") +
                                         Circle("T 2", "      2", "3.0", "4.0", "0.625") +
                                         Circle("T 1", "      1", "0.0", "7.0", "0.4"));
  EXPECT_NE(result.text.find("$CLAYER\r\n  8\r\nT 2\r\n"), std::string::npos);  // the last tool added
}

TEST(HoleDxf, ToolLimitsAndToolNumberZero) {
  // 100 tools: the first 99 get layers; holes of the 100th stay on the
  // tool selected before.
  std::string data;
  for (int t = 1; t <= 100; ++t) Append(data, "T", std::to_string(t), "φ1\r\n");
  data += "T99\r\nX1Y1\r\nT100\r\nX2Y2\r\n";
  const HoleDrawing drawing = ReadHoleDrawing(data);
  ASSERT_EQ(drawing.tools.size(), 99u);
  EXPECT_EQ(drawing.tools[98].layer, "T 99");
  ASSERT_EQ(drawing.holes.size(), 2u);
  EXPECT_EQ(drawing.holes[0].slot, 99);
  EXPECT_EQ(drawing.holes[1].slot, 99);
  // A tool number 0 never gets a layer; its select line selects nothing.
  const HoleDrawing zero = ReadHoleDrawing("T00φ1\r\nT01φ2\r\nT01\r\nT00\r\nX1Y1\r\n");
  ASSERT_EQ(zero.tools.size(), 1u);
  EXPECT_EQ(zero.holes[0].slot, 1);
  // A repeated tool line keeps its first diameter; a negative tool number
  // is written with its sign.
  const HoleDrawing repeated = ReadHoleDrawing("T01φ2\r\nT01φ3\r\nT-2φ1\r\n");
  ASSERT_EQ(repeated.tools.size(), 2u);
  EXPECT_EQ(repeated.tools[0].radius, 1.0f);
  EXPECT_EQ(repeated.tools[1].layer, "T-2");
}

TEST(HoleDxf, NothingToConvertWithoutAToolTableLine) {
  EXPECT_TRUE(HoleDataToDxf("T01\r\nX1.0 Y1.0\r\n", DxfColourOptions{}).nothing_to_convert);
  EXPECT_TRUE(HoleDataToDxf("", DxfColourOptions{}).nothing_to_convert);
  // A tool table without holes is a drawing without entities.
  const ConversionResult empty = HoleDataToDxf("T01φ1\r\n", DxfColourOptions{});
  EXPECT_FALSE(empty.nothing_to_convert);
  EXPECT_EQ(EntitiesOf(empty.text), "");
}

TEST(HoleDxf, ColoursOfTheModesAndOfTheWindow) {
  std::string data;
  for (int t = 1; t <= 9; ++t) Append(data, "T", std::to_string(t), "φ1\r\n");
  const auto colours_of = [&data](const DxfColourOptions& options) {
    std::string colours;
    const std::string text = HoleDataToDxf(data, options).text;
    for (std::size_t at = text.find(" 62\r\n"); at != std::string::npos; at = text.find(" 62\r\n", at + 1)) {
      colours += text.substr(at + 5, text.find('\r', at + 5) - at - 5);
      colours += ",";
    }
    return colours;
  };
  // Layers 1 to 7 get 1 to 7, the 8th repeats 1.
  EXPECT_EQ(colours_of({}), "      1,      2,      3,      4,      5,      6,      7,      1,      2,");
  DxfColourOptions same;
  same.mode = DxfColourMode::kSame;
  same.colour = 3;
  EXPECT_EQ(colours_of(same), "      3,      3,      3,      3,      3,      3,      3,      3,      3,");
  // Cells chosen in the window; an emptied cell (0) writes 7; layers past
  // the cells take the mode's colour.
  DxfColourOptions chosen;
  chosen.chosen = {4, 0, 6};
  EXPECT_EQ(colours_of(chosen), "      4,      7,      6,      4,      5,      6,      7,      1,      2,");
}

TEST(HoleDxf, TheChoiceMayStopTheCommand) {
  std::vector<std::string> asked;
  const ConversionResult stopped = HoleDataToDxf("T01φ1\r\nT02φ2\r\n", [&asked](const std::vector<std::string>& layers) {
    asked = layers;
    return std::optional<DxfColourOptions>();
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"T 1", "T 2"}));
  EXPECT_TRUE(stopped.nothing_to_convert);
  EXPECT_TRUE(stopped.quiet);
}

TEST(HoleDxf, CoordinatesReadAsTheNumberAfterTheirLetter) {
  // X's number is read up to the Y after it: random lines of number
  // characters, blanks and both letters give the values the number
  // reading gives after each letter, or fail alike.
  std::mt19937 random(5);
  const std::string_view alphabet = "0123456789012345678901234567890123456789..--+  \t\nEeDd&HXYY";
  for (int n = 0; n < 200000; ++n) {
    std::string line(1 + random() % 16, ' ');
    for (char& c : line) c = alphabet[random() % alphabet.size()];
    if (line.find_first_of("XY") == std::string::npos) continue;
    float x = 0, y = 0;
    bool fails = false;
    try {
      x = SingleAfter(line, "X");
      y = SingleAfter(line, "Y");
    } catch (const Failure&) {
      fails = true;
    }
    if (fails) {
      EXPECT_THROW(ReadHoleDrawing(line), Failure) << line;
      continue;
    }
    const HoleDrawing drawing = ReadHoleDrawing(line);
    ASSERT_EQ(drawing.holes.size(), 1u) << line;
    EXPECT_EQ(std::memcmp(&drawing.holes[0].x, &x, sizeof x), 0) << line;
    EXPECT_EQ(std::memcmp(&drawing.holes[0].y, &y, sizeof y), 0) << line;
  }
}

TEST(HoleDxf, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string holes = "X1 Y1\r\nT01φ0.8\r\nT02φ1.5\r\nT01\r\n";
  for (int i = 0; i < 12000; ++i) {
    if (i % 1000 == 0) holes += i % 2000 ? "T01\r\n" : "T02\r\n";
    Append(holes, "X", std::to_string(i % 997), ".125 Y-", std::to_string(i), ".5\r\n");
  }
  DxfColourOptions colours;
  colours.mode = DxfColourMode::kSame;
  colours.colour = 4;
  ConversionResult result;
  const auto streamed =
      testing_support::RunStreamed([&](TextOutput& out) { result = HoleDataToDxf(holes, colours, out); });
  EXPECT_FALSE(result.nothing_to_convert);
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, HoleDataToDxf(holes, colours).text);
  // Nothing is written for hole data without a tool table.
  const auto none = testing_support::RunStreamed(
      [&](TextOutput& out) { EXPECT_TRUE(HoleDataToDxf("T01\r\nX1 Y1\r\n", colours, out).nothing_to_convert); });
  EXPECT_EQ(none.text, "");
}

TEST(HoleDxf, DrawnLineByLineAsFromTheGatheredHoles) {
  // The conversion reads the tool table first and then draws each hole as
  // its line is read, from the digits of "X.. Y.." lines: the same drawing
  // as from the holes gathered in one pass and written from their floats.
  // Tool lines after their select lines, repeated and zero tools, more
  // than 99 tools, a tool line that is a hole too, lone CR and LF, and
  // coordinates of every length, sign and number of places.
  std::mt19937 random(3);
  const auto decimal = [&random] {
    std::string text = random() % 3 == 0 ? "-" : "";
    text += std::to_string(random() % 1000000 / (1 + random() % 1000));
    if (random() % 4 != 0) text += '.';
    for (unsigned k = random() % 9; k > 0; --k) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  std::string data = "X1 Y2\r\nT05\r\nX3 Y4\r\n";
  for (int n = 0; n < 6000; ++n) {
    const std::string tool = std::to_string(random() % 120);
    switch (random() % 40) {
      case 0: Append(data, "T", tool, "φ", decimal(), "\r\n"); break;
      case 1: Append(data, "T", tool, "\r\n"); break;
      case 2: Append(data, "T", tool, "φ1 X", decimal(), " Y", decimal(), "\r"); break;
      case 3: Append(data, "X", decimal(), "\nY", decimal(), "\r\n"); break;
      case 4: Append(data, "Y", decimal(), "\r\n"); break;
      default: Append(data, "X", decimal(), random() % 2 ? " Y" : "Y", decimal(), "\r\n");
    }
  }
  for (const DxfColourMode mode : {DxfColourMode::kSame, DxfColourMode::kEachLayer}) {
    DxfColourOptions colours;
    colours.mode = mode;
    const ConversionResult result = HoleDataToDxf(data, colours);
    ASSERT_FALSE(result.nothing_to_convert);
    // (compared whole: a difference of two long texts is not printed)
    EXPECT_TRUE(result.text == WriteHoleDxf(ReadHoleDrawing(data), colours));
  }
  // A failure is the one the first failing line gives, though the tool
  // table is read before the holes.
  const std::string failing = "T01φ1\r\nT01\r\nX1e999 Y1\r\nT02φ2e999\r\n";
  std::string gathered, drawn;
  try {
    ReadHoleDrawing(failing);
  } catch (const Failure& failure) {
    gathered = failure.description();
  }
  try {
    HoleDataToDxf(failing, DxfColourOptions{});
  } catch (const Failure& failure) {
    drawn = failure.description();
  }
  EXPECT_NE(gathered, "");
  EXPECT_EQ(drawn, gathered);
  // Hole data without a tool table fails on a failing line all the same.
  EXPECT_THROW(HoleDataToDxf("T01\r\nX1e999 Y1\r\n", DxfColourOptions{}), Failure);
}

}  // namespace
}  // namespace kovrel
