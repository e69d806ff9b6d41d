// Wire to milling: the fixed lines, the start holes and the contour.
#include "wire/wire_milling.h"

#include <gtest/gtest.h>

#include "core/append.h"
#include "core/text_reader.h"
#include "support/streamed_output.h"

namespace kovrel {
namespace {

constexpr std::size_t kFixedCount = 62;

// The lines after the fixed ones.
std::string Tail(std::string_view program) {
  const std::string out = WireToMilling(program).text;
  std::size_t at = 0;
  for (std::size_t k = 0; k < kFixedCount; ++k) at = out.find("\r\n", at) + 2;
  return out.substr(at);
}

TEST(WireMilling, FixedLinesComeFirstEvenForAnEmptyProgram) {
  const std::string out = WireToMilling("").text;
  const std::vector<std::string_view> lines = SplitLines(out);
  ASSERT_EQ(lines.size(), kFixedCount + 4);
  EXPECT_EQ(lines[0], "#1=5.(KAKOU-FUKASA)");
  EXPECT_EQ(lines[7], "IF [#1 LT #2 ] GOTO999");
  EXPECT_EQ(lines[20], "G66P888Z-#1R3.Q1.F10.5");
  EXPECT_EQ(lines[44], "N999 M00 (#1 OR #2 ---ERROR)");
  EXPECT_EQ(lines[58], "G#4010G#4009Z#26R#18Q#17F#9");
  EXPECT_EQ(lines[61], "(DRL-XY)");
  EXPECT_EQ(Tail(""), "M99\r\nO2\r\n(ENDMILE-XY)\r\nM99\r\n");
}

TEST(WireMilling, WorkedExample) {
  EXPECT_EQ(Tail("G92X0Y0\r\nG41G01X10.Y0M60\r\nG01X10.Y10.\r\nG40G01X0Y0\r\nM50\r\nM30\r\n"),
            "X10.Y0\r\nM99\r\nO2\r\n(ENDMILE-XY)\r\n"
            "G00Z3.\r\nG01Z-#26F50.\r\nG01X10.Y10.\r\nG40G01X0Y0\r\nG00Z50.\r\nM99\r\n");
}

TEST(WireMilling, CoordinatesAreCopiedAsWritten) {
  // X10000 stays X10000; a G50 line is no start hole; a left offset is
  // written as G42; comments, dwells and G92 are skipped.
  EXPECT_EQ(Tail("G92X0Y0\r\nG00X10000Y-5000\r\nM60\r\nG50X1Y1M60\r\n(X7)\r\nG04X1\r\nG41X12000\r\nG42Y-2.5\r\nT1\r\n"),
            "X10000Y-5000\r\nM99\r\nO2\r\n(ENDMILE-XY)\r\n"
            "G00X10000Y-5000\r\nG00Z3.\r\nG01Z-#26F50.\r\nG00Z3.\r\nG01Z-#26F50.\r\n"
            "G42G01X12000Y1H100F#9\r\nG42G01X12000Y-2.5H100F#9\r\nM99\r\n");
}

TEST(WireMilling, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string program = "(START)\r\nG92X0Y0\r\n";
  for (int k = 0; k < 20000; ++k) {
    const std::string x = Joined(std::to_string(k % 400), ".", std::to_string(k % 10));
    Append(program, "G00X", x, "Y-3.5\r\nM60\r\nG41G01X", x, "Y-1.5\r\nG03X", x, "Y2.5R2.\r\nG40G01X1Y1\r\nM50\r\n");
  }
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { WireToMilling(program, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, WireToMilling(program).text);
}

}  // namespace
}  // namespace kovrel
