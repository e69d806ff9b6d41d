// Gerber data formatting.
#include "convert/gerber_format.h"

#include <gtest/gtest.h>

#include <random>

#include "core/append.h"
#include "core/failure.h"
#include "support/streamed_output.h"

namespace kovrel {
namespace {

std::string Format(std::string_view gerber, GerberFormatOptions options = {}) { return FormatGerber(gerber, options).text; }

TEST(GerberFormat, WorkedExamples) {
  EXPECT_EQ(Format("G01*X0Y0D02*D11*X1000Y0D01*X1000Y1000D01*M02*"),
            "D10\r\nG00X0.0Y0.0\r\nD11\r\nG00X0.0Y0.0\r\nG01X1.0Y0.0\r\nG01X1.0Y1.0\r\n");
  EXPECT_EQ(Format("D11*X0Y0D02*").substr(0, 14), "D11\r\nG00X0Y0\r\n");
}

TEST(GerberFormat, FlashesArcsAndTheirFallBack) {
  // X..Y..D03: a move to the point, then a draw of length 0 there.
  EXPECT_EQ(Format("D10*X1000Y0D02*X2000Y0D03*"),
            "D10\r\nG00X0Y0\r\nG00X1.0Y0.0\r\nG00X2.0Y0.0\r\nG01X2.0Y0.0\r\n");
  // A block without D after a flash moves only.
  EXPECT_EQ(Format("D10*X1000Y0D03*X2000Y0*"),
            "D10\r\nG00X0Y0\r\nG00X1.0Y0.0\r\nG01X1.0Y0.0\r\nG00X2.0Y0.0\r\n");
  EXPECT_EQ(Format("D10*X1000Y0D02*D03*"), "D10\r\nG00X0Y0\r\nG00X1.0Y0.0\r\nG01X1.0Y0.0\r\n");
  // An arc, then a block without I, J, R or D falls back to a move.
  EXPECT_EQ(Format("D10*X0Y0D02*G03X1000Y1000I0J1000D01*X2000Y2000*"),
            "D10\r\nG00X0Y0\r\nG00X0.0Y0.0\r\nG03X1.0Y1.0I0.0J1.0\r\nG00X2.0Y2.0\r\n");
  // A repeated selection of the current aperture writes nothing.
  EXPECT_EQ(Format("D11*D11*"), "D11\r\nG00X0Y0\r\n");
}

TEST(GerberFormat, ParameterBlocksUnitsAndIncrementalSums) {
  const std::string data = "%FSLAX24Y24*%\r\n%MOMM*%\r\n%ADD10C,0.1*%\r\nD10*\r\nX1230Y-12300D02*\r\nM02*\r\n";
  EXPECT_EQ(Format(data), "D10\r\nG00X0Y0\r\nG00X1.23Y-12.3\r\n");
  GerberFormatOptions options;
  options.unit = GerberUnit::kLeadingZeros6;
  EXPECT_EQ(Format("D10*X00123Y-0125D02*", options), "D10\r\nG00X0Y0\r\nG00X1.23Y-12.5\r\n");
  options.unit = GerberUnit::kHundredThousandths;
  EXPECT_EQ(Format("D10*X123000D02*", options), "D10\r\nG00X0Y0\r\nG00X1.23Y0\r\n");
  options = {};
  EXPECT_EQ(Format("D10*X1000Y0D02*G91*X1000Y1000D01*X1000D01*", options),
            "D10\r\nG00X0Y0\r\nG00X1.0Y0.0\r\nG01X1.0Y1.0\r\nG01X2.0Y1.0\r\n");
}

TEST(GerberFormat, InchDataIsMultipliedAndMillimetresStayAsTheyWere) {
  // 1.5 and -0.25 in every unit, with an arc centre and a radius arc.
  const struct {
    GerberUnit unit;
    const char* x;
    const char* y;
  } cases[] = {
      {GerberUnit::kDecimal, "1.5", "-0.25"},          {GerberUnit::kHundredths, "150", "-25"},
      {GerberUnit::kThousandths, "1500", "-250"},      {GerberUnit::kTenThousandths, "15000", "-2500"},
      {GerberUnit::kLeadingZeros6, "0015", "-00025"},  {GerberUnit::kLeadingZeros7, "00015", "-000025"},
      {GerberUnit::kHundredThousandths, "150000", "-25000"}, {GerberUnit::kLeadingZeros2Integer, "015", "-0025"},
  };
  for (const auto& c : cases) {
    const std::string data = std::string("D10*X") + c.x + "Y" + c.y + "D02*G03X0Y0I" + c.x + "J" + c.y + "D01*";
    GerberFormatOptions options;
    options.unit = c.unit;
    EXPECT_EQ(Format(data, options), "D10\r\nG00X0Y0\r\nG00X1.5Y-0.25\r\nG03X0.0Y0.0I1.5J-0.25\r\n") << c.x;
    options.inch = true;
    EXPECT_EQ(Format(data, options), "D10\r\nG00X0Y0\r\nG00X38.1Y-6.35\r\nG03X0.0Y0.0I38.1J-6.35\r\n") << c.x;
  }
  GerberFormatOptions inch;
  inch.inch = true;
  EXPECT_EQ(Format("D10*X0Y0D02*G02X2000Y0R1000D01*", inch),
            "D10\r\nG00X0Y0\r\nG00X0.0Y0.0\r\nG02X50.8Y0.0I25.4J0.0\r\n");
}

TEST(GerberFormat, RadiusArcsAndTheirFailures) {
  // From (0,0) to (2,0) with R1: a half circle about (1,0).
  EXPECT_EQ(Format("D10*X0Y0D02*G02X2000Y0R1000D01*"), "D10\r\nG00X0Y0\r\nG00X0.0Y0.0\r\nG02X2.0Y0.0I1.0J0.0\r\n");
  try {
    Format("D10*X0Y0D02*G02X3000Y0R1000D01*");
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 380);
  }
  EXPECT_THROW(Format("D10000*"), Failure);
  EXPECT_NO_THROW(Format("D9999*"));
}

TEST(GerberFormat, BlocksReadFromTheDataAsFromTheNormalisedText) {
  // Data without a quote is read block by block from the data itself; data
  // with one goes through the normalised text. A parameter block holding a
  // quote at the end translates to nothing, so both ways must agree.
  static constexpr std::string_view kChars = "XYIJDGXY0123456789012345-+., \t\t**\r\n";
  std::mt19937 rng(9);
  for (int round = 0; round < 4000; ++round) {
    std::string data;
    for (int n = static_cast<int>(rng() % 60); n > 0; --n) {
      data += rng() % 25 == 0 ? std::string("%ADD10C,0.1*%") : std::string(1, kChars[rng() % kChars.size()]);
    }
    GerberFormatOptions options;
    options.unit = static_cast<GerberUnit>(rng() % 8);
    options.incremental = rng() % 2 == 0;
    const auto format = [&](const std::string& text) {
      try {
        return FormatGerber(text, options).text;
      } catch (const Failure& failure) {
        return Joined("failure ", std::to_string(failure.number()));
      }
    };
    ASSERT_EQ(format(data), format(Joined(data, "%\"%"))) << data;
  }
}

TEST(GerberFormat, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string data = "%FSLAX24Y24*%\n%MOIN*%\nD10*\n";
  for (int k = 0; k < 80000; ++k) {
    Append(data, "X", std::to_string(k % 9000), "Y", std::to_string(k), k % 5 ? "D01*\n" : "D02*\n");
    if (k % 100 == 0) data += "D11*\nX500Y500D03*\nG03X100Y100I50J0D01*\n";
  }
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { FormatGerber(data, {}, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, Format(data));
}

}  // namespace
}  // namespace kovrel
