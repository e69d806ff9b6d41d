// G-code to DXF: the worked examples of lines, arcs, circles and points,
// the labels that make layers, and the layer limits.
#include "dxf/gcode_dxf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/append.h"
#include "core/failure.h"
#include "core/nc_coordinates.h"
#include "dxf/dxf_text.h"
#include "support/motion_program.h"
#include "support/one_processor.h"

namespace kovrel {
namespace {

using testing_support::EntitiesOf;
using testing_support::LayersOf;

std::string Entities(const std::string& gcode) { return EntitiesOf(GcodeToDxf(gcode, DxfColourOptions{}).text); }

std::string Head(const std::string& entity, const std::string& layer, const std::string& colour) {
  return "  0\n" + entity + "\n  8\n" + layer + "\n 62\n" + colour + "\n" + (entity == "POINT" ? "" : "  6\nCONTINUOUS\n");
}

TEST(GcodeDxf, WorkedExamples) {
  EXPECT_EQ(Entities("G01X10Y0\r\n"),
            Head("LINE", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n 11\n 10 \n 21\n 0 \n 31\n0.0\n");
  // Clockwise from (0,0) to (10,0) over the top: the arc from 0 to 180.
  EXPECT_EQ(Entities("G02X10Y0I5J0\r\n"),
            Head("ARC", "10", " 7 ") + " 10\n 5 \n 20\n 0 \n 30\n0.0\n 40\n 5 \n 50\n 0 \n 51\n 180 \n");
  EXPECT_EQ(Entities("G03X10Y0I5J0\r\n"),
            Head("ARC", "10", " 7 ") + " 10\n 5 \n 20\n 0 \n 30\n0.0\n 40\n 5 \n 50\n 180 \n 51\n 0 \n");
  EXPECT_EQ(Entities("G03X0Y0I5J0\r\n"), Head("CIRCLE", "10", " 7 ") + " 10\n 5 \n 20\n 0 \n 30\n0.0\n 40\n 5 \n");
  EXPECT_EQ(Entities("G01X0Y0\r\n"), Head("POINT", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n");
}

TEST(GcodeDxf, ArcAnglesInEveryQuadrant) {
  // A quarter from (10,0) around (0,0) to (0,10), and on round to (-10,0)
  // and (0,-10): the directions straight up and down come from dx = 0, in
  // radians of the program's pi times 57.2957795130823 (so up is written
  // 89.9999999999999 with fifteen digits).
  EXPECT_EQ(Entities("G01X10Y0\r\nG03X0Y10I-10J0\r\nG03X0Y-10I0J-10\r\nG02X-10Y0I0J10\r\n"),
            Head("LINE", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n 11\n 10 \n 21\n 0 \n 31\n0.0\n" +
                Head("ARC", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n 40\n 10 \n 50\n 0 \n 51\n 89.9999999999999 \n" +
                Head("ARC", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n 40\n 10 \n 50\n 89.9999999999999 \n" +
                " 51\n 270 \n" +
                Head("ARC", "10", " 7 ") + " 10\n 0 \n 20\n 0 \n 30\n0.0\n 40\n 10 \n 50\n 180 \n 51\n 270 \n");
}

TEST(GcodeDxf, ValuesAreNotModalAndOtherGWordsDrawNothing) {
  // Without Y the move ends at Y = 0; G00 and G90 moves draw nothing but
  // still move the start of the next one.
  EXPECT_EQ(Entities("G00X5Y5\r\nG01X8\r\nG90G01X1Y1\r\nG01X1Y2\r\n"),
            Head("LINE", "10", " 7 ") + " 10\n 5 \n 20\n 5 \n 30\n0.0\n 11\n 8 \n 21\n 0 \n 31\n0.0\n" +
                Head("LINE", "10", " 7 ") + " 10\n 1 \n 20\n 1 \n 30\n0.0\n 11\n 1 \n 21\n 2 \n 31\n0.0\n");
}

TEST(GcodeDxf, MovesAreReadAsTheMotionReadingReadsThem) {
  // Random items of G words, letters and numbers: an item is a move when
  // IsMotionItem says so, with the values ReadMotion reads (or the same
  // failure).
  std::mt19937 random(3);
  const std::string_view alphabet = "GGGG0000123XYIJ0123456789.-+ EeF";
  int moves = 0;
  for (int n = 0; n < 100000; ++n) {
    std::string item(1 + random() % 14, 'G');
    for (std::size_t k = 1; k < item.size(); ++k) item[k] = alphabet[random() % alphabet.size()];
    if (!IsMotionItem(item)) {
      EXPECT_TRUE(ReadGcodeDrawing(item).moves.empty()) << item;
      continue;
    }
    NcMotion expected;
    try {
      expected = ReadMotion(item);
    } catch (const Failure&) {
      EXPECT_THROW(ReadGcodeDrawing(item), Failure) << item;
      continue;
    }
    const GcodeDrawing drawing = ReadGcodeDrawing(item);
    ASSERT_EQ(drawing.moves.size(), 1u) << item;
    const NcMotion& read = drawing.moves[0].motion;
    const float got[] = {read.g, read.x, read.y, read.i, read.j};
    const float want[] = {expected.g, expected.x, expected.y, expected.i, expected.j};
    EXPECT_EQ(std::memcmp(got, want, sizeof got), 0) << item;
    ++moves;
  }
  EXPECT_GT(moves, 5000);
}

TEST(GcodeDxf, LabelsMakeLayers) {
  const ConversionResult result =
      GcodeToDxf("%\r\nG01X1Y0\r\nX5Y5\r\nG01X2Y0\r\n\r\n%\r\nG01X3Y0\r\nA:b\r\nG01X4Y0\r\na|B\r\nG01X5Y0\r\n",
                 DxfColourOptions{});
  // "X5Y5" has no G word: a label. The empty line names no layer; "%" again
  // is layer 1; "A:b" and "a|B" are the same DXF layer "A_b".
  EXPECT_EQ(LayersOf(result.text),
            "  2\nLAYER\n 70\n     4\n"
            "  0\nLAYER\n  2\n%\n 70\n     0\n 62\n 1 \n  6\nCONTINUOUS\n"
            "  0\nLAYER\n  2\nX5Y5\n 70\n     0\n 62\n 2 \n  6\nCONTINUOUS\n"
            "  0\nLAYER\n  2\nA_b\n 70\n     0\n 62\n 3 \n  6\nCONTINUOUS\n");
  const std::string entities = EntitiesOf(result.text);
  EXPECT_NE(entities.find(Head("LINE", "%", " 1 ") + " 10\n 0 \n"), std::string::npos);
  EXPECT_NE(entities.find(Head("LINE", "X5Y5", " 2 ") + " 10\n 1 \n"), std::string::npos);
  EXPECT_NE(entities.find(Head("LINE", "%", " 1 ") + " 10\n 2 \n"), std::string::npos);
  EXPECT_NE(entities.find(Head("LINE", "A_b", " 3 ") + " 10\n 4 \n"), std::string::npos);
  EXPECT_NE(result.text.find("$CLAYER\r\n  8\r\nA_b\r\n"), std::string::npos);
  // Without labels the current layer is "10", which has no table record.
  const ConversionResult plain = GcodeToDxf("G01X1Y1\r\n", DxfColourOptions{});
  EXPECT_NE(plain.text.find("$CLAYER\r\n  8\r\n10\r\n"), std::string::npos);
  EXPECT_EQ(LayersOf(plain.text), "  2\nLAYER\n 70\n     1\n");
}

TEST(GcodeDxf, ItemsAfterCommasAreLabelsToo) {
  const GcodeDrawing drawing = ReadGcodeDrawing("G01X10.,Y5.\r\n");
  ASSERT_EQ(drawing.moves.size(), 1u);
  EXPECT_EQ(drawing.layers, (std::vector<std::string>{"Y5."}));
}

TEST(GcodeDxf, NineHundredNinetyNineLayersAndNoMore) {
  std::string gcode;
  for (int k = 1; k <= 999; ++k) Append(gcode, "L", std::to_string(k), "\r\nG01X", std::to_string(k), "Y0\r\n");
  const ConversionResult result = GcodeToDxf(gcode, DxfColourOptions{});
  // Layer 100 and on take the mode's colour (100 mod 7 = 2, 994 mod 7 = 0).
  EXPECT_NE(result.text.find("  2\r\nL100\r\n 70\r\n     0\r\n 62\r\n 2 \r\n"), std::string::npos);
  EXPECT_NE(result.text.find("  2\r\nL994\r\n 70\r\n     0\r\n 62\r\n 7 \r\n"), std::string::npos);
  EXPECT_NE(result.text.find(" 70\r\n  1000\r\n"), std::string::npos);
  try {
    GcodeToDxf(gcode + "L1000\r\n", DxfColourOptions{});
    FAIL() << "a thousandth layer";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 9);
  }
}

TEST(GcodeDxf, NothingToConvertWithoutMoves) {
  EXPECT_TRUE(GcodeToDxf("%\r\nM30\r\n", DxfColourOptions{}).nothing_to_convert);
  EXPECT_TRUE(GcodeToDxf("", DxfColourOptions{}).nothing_to_convert);
  EXPECT_THROW(GcodeToDxf("G01X1E39Y0\r\n", DxfColourOptions{}), Failure);
}


TEST(GcodeDxf, DrawingWrittenAsItGoesIsTheWholeText) {
  const std::string gcode = testing_support::MotionProgram(20000, 3000);
  const DxfColourOptions colours;
  std::string streamed;
  TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
  ASSERT_FALSE(GcodeToDxf(gcode, colours, out).nothing_to_convert);
  out.Flush();
  EXPECT_GT(streamed.size(), std::size_t{1} << 20);
  EXPECT_EQ(streamed, GcodeToDxf(gcode, colours).text);
  // A program without a move has nothing to convert either way.
  TextOutput none;
  EXPECT_TRUE(GcodeToDxf("LABEL\r\n", colours, none).nothing_to_convert);
}

// `longer` is `shorter` with one stretch of text put in somewhere.
void ExpectOneStretchMore(const std::string& longer, const std::string& shorter) {
  ASSERT_GT(longer.size(), shorter.size());
  std::size_t at = 0;
  while (at < shorter.size() && longer[at] == shorter[at]) ++at;
  const std::string without = longer.substr(0, at) + longer.substr(at + longer.size() - shorter.size());
  EXPECT_TRUE(without == shorter) << "differs from " << at;
}

// A long drawing is written in pieces side by side: moves put before it
// (points at the start, drawn from where the drawing starts) add their
// records and change none of the others, wherever the pieces now begin.
TEST(GcodeDxf, ALongDrawingIsWrittenAsOneWhole) {
  const std::string gcode = testing_support::MotionProgram(30000, 7000);
  const std::string whole = GcodeToDxf(gcode, DxfColourOptions{}).text;
  std::string points;
  for (int shift = 1; shift <= 3; ++shift) {
    points += "G01X0Y0\r\n";
    ExpectOneStretchMore(GcodeToDxf(points + gcode, DxfColourOptions{}).text, whole);
  }
}

// The failure a reading gives, or "" where it reads.
std::string ReadFailure(const std::string& gcode) {
  try {
    ReadGcodeDrawing(gcode);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "";
}

// A long program is read in pieces side by side: the moves, their layers
// and a failure are those of one pass.
TEST(GcodeDxf, ALongProgramIsReadAsInOnePass) {
  std::string gcode;
  for (int block = 0; gcode.size() < (std::size_t{4} << 20); ++block) {
    // Labels old and new, an empty line and items after commas, now and then.
    AppendLine(gcode, "D", std::to_string(block % 37 == 5 ? 3 : block));
    if (block % 5 == 0) gcode += "\r\n";
    gcode += testing_support::MotionProgram(300, 1000).substr(4);  // without its own first label
    if (block % 3 == 0) AppendLine(gcode, "G01X1Y2,NEXT,G02X3Y4I1J0");
  }
  const GcodeDrawing pieces = ReadGcodeDrawing(gcode);
  GcodeDrawing one;
  testing_support::OnOneProcessor([&] { one = ReadGcodeDrawing(gcode); });
  ASSERT_EQ(pieces.moves.size(), one.moves.size());
  EXPECT_EQ(pieces.layers, one.layers);
  std::size_t differ = 0;
  for (std::size_t k = 0; k < one.moves.size(); ++k) {
    const NcMotion& a = pieces.moves[k].motion;
    const NcMotion& b = one.moves[k].motion;
    differ += pieces.moves[k].layer != one.moves[k].layer || a.g != b.g || a.x != b.x || a.y != b.y || a.i != b.i ||
              a.j != b.j;
  }
  EXPECT_EQ(differ, 0u);
  // Past 999 layers far into the program, and a value beyond a float's
  // range before or after that label: the failure one pass meets first.
  std::string layers;
  for (int k = 0; k < 1000; ++k) AppendLine(layers, "L", std::to_string(k));
  const std::string bad = "G01X1E39Y0\r\n";
  for (const std::string& failing : {gcode + layers + gcode + bad, gcode + bad + gcode + layers, gcode + gcode + bad}) {
    std::string once;
    testing_support::OnOneProcessor([&] { once = ReadFailure(failing); });
    EXPECT_NE(once, "");
    EXPECT_EQ(ReadFailure(failing), once);
  }
}

}  // namespace
}  // namespace kovrel
