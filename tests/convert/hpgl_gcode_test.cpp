// HP-GL to G-code.
#include "convert/hpgl_gcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "convert/rapid_moves.h"
#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "support/streamed_output.h"

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

// Random text of the characters the splitting and the number reading care
// about, with runs of digits.
std::string RandomPlotText(std::mt19937& rng, std::size_t length) {
  static constexpr std::string_view kChars =
      "0123456789,,;:-+. \r\n\t\x1b"
      "EePDUAR";
  std::string text;
  while (text.size() < length) {
    if (rng() % 3 == 0) {
      text += std::to_string(rng() % 2000000000);
    } else {
      text += kChars[rng() % kChars.size()];
    }
  }
  return text;
}

TEST(HpglToGcode, InstructionsOneAtATimeAreTheSplitLines) {
  std::mt19937 rng(18);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomPlotText(rng, rng() % 80);
    std::vector<std::string> expected, got;
    const std::string split = SplitHpglInstructions(text);
    LineReader reader(split);
    std::string_view line;
    while (reader.Next(line)) {
      if (!line.empty()) expected.emplace_back(line);  // an empty line translates to nothing
    }
    std::string scratch;
    std::string_view instruction;
    std::size_t pos = 0;
    while (NextHpglInstruction(text, pos, scratch, instruction)) {
      if (!instruction.empty()) got.emplace_back(instruction);
    }
    ASSERT_EQ(got, expected) << text;
  }
}

TEST(HpglToGcode, PlotterNumbersReadAsReadNumberReadsThem) {
  std::mt19937 rng(25);
  for (int round = 0; round < 200000; ++round) {
    const std::string text = RandomPlotText(rng, rng() % 16);
    // An overflowing exponent fails the same way on both paths.
    const auto read = [&text](double (*reader)(std::string_view)) {
      try {
        return reader(text);
      } catch (const Failure&) {
        return -1e300;
      }
    };
    const double fast = read(ReadPlotterNumber), general = read(ReadNumber);
    ASSERT_EQ(fast, general) << text;
    ASSERT_EQ(std::signbit(fast), std::signbit(general)) << text;
    if (general != -1e300) {
      std::size_t comma = 0;
      ReadPlotterNumber(text, comma);
      ASSERT_EQ(comma, text.find(',')) << text;
    }
  }
  for (const char* text : {"-0", "-0,", "123456789,", "1234567890,", "007,", "12.5,", "12 ,", "12E1", "-", ""}) {
    EXPECT_EQ(ReadPlotterNumber(text), ReadNumber(text)) << text;
  }
}

TEST(HpglToGcode, HeldRapidMovesAsTheWholeTextCollapses) {
  std::mt19937 rng(7);
  static constexpr std::string_view kLines[] = {"G00X1", "G00X2", "G01X3", "SP1", "G00SP2", "G0", "G02X1Y1I1J0"};
  for (int round = 0; round < 2000; ++round) {
    std::string whole;
    TextOutput out;
    RapidMoveHolder holder(out);
    for (int n = rng() % 12; n > 0; --n) {
      std::string line(kLines[rng() % std::size(kLines)]);
      Append(whole, line, "\r\n");
      holder.Line(line);
    }
    ASSERT_EQ(out.text, CollapseRapidMoves(whole, "G00", [](std::string_view) { return false; })) << whole;
  }
}

TEST(HpglToGcode, RepeatedCoordinatesWriteTheSameTexts) {
  // Whole units are written once and then copied: every later move to the
  // same units must give the text the mask gives, negative and large
  // numbers included (those are written each time).
  std::mt19937 rng(3);
  const Mask mask = ParseMask("######0.0#####");
  for (int round = 0; round < 300; ++round) {
    const long units = static_cast<long>(rng() % 140000) - 70000;
    const std::string mm = FormatMask(ToSingle(units * 0.025f), mask);
    const std::string number = std::to_string(units);
    const std::string expected = Joined("G01X", mm, "Y", mm, "\r\n");
    EXPECT_EQ(Gcode(Joined("PD", number, ",", number, ";PD", number, ",", number, ",0,0;")),
              Joined(expected, expected, "G01X0.0Y0.0\r\nM30\r\n"));
  }
}

TEST(HpglToGcode, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::mt19937 rng(11);
  std::string hpgl = "IN;SP1;";
  for (int i = 0; i < 80000; ++i) {
    Append(hpgl, i % 3 ? "PD" : "PU", std::to_string(rng() % 80000), ",", std::to_string(rng() % 80000), ";\n");
    if (i % 100 == 0) hpgl += "PR-40,15;PA;AA100,100,45;CI25;";
  }
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { HpglToGcode(hpgl, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, Gcode(hpgl));
}

}  // namespace
}  // namespace kovrel
