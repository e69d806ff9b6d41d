// Hole data formatting: separators, units, incremental input, the three
// hole modes, the two tool modes, and real drill files of three CAD styles.
#include "holes/hole_format.h"

#include <gtest/gtest.h>

#include <map>

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

std::string Format(std::string_view text, HoleFormatOptions options = {}) { return FormatHoleData(text, options); }

TEST(HoleFormat, SeparatorIsTheFirstStarLfOrCr) {
  EXPECT_EQ(DetectBlockSeparator("X1*\r\nX2*\r\n"), "*");  // "*" before CR LF
  EXPECT_EQ(DetectBlockSeparator("X1\r\nX2*"), "\r");      // CR when it comes first
  EXPECT_EQ(DetectBlockSeparator("X1\nX2"), "\n");
  EXPECT_EQ(DetectBlockSeparator("X1Y2"), "");
  EXPECT_EQ(SplitBlocks("X1,Y2*\r\nX3*", "*"), "X1Y2\r\nX3\r\n\r\n");
  EXPECT_EQ(SplitBlocks("X1\r\nX2*\r\n", "\r"), "X1\r\nX2\r\n\r\n");  // LF and "*" dropped
  EXPECT_EQ(SplitBlocks("X1Y2", ""), "X1Y2\r\n");
}

TEST(HoleFormat, EveryUnitFormatGivesMillimetres) {
  const struct {
    HoleUnit unit;
    const char* text;
    float value;
  } cases[] = {
      {HoleUnit::kDecimal, "1.23", 1.23f},        {HoleUnit::kHundredths, "123", 1.23f},
      {HoleUnit::kThousandths, "1230", 1.23f},    {HoleUnit::kTenThousandths, "12300", 1.23f},
      {HoleUnit::kLeadingZeros6, "00123", 1.23f}, {HoleUnit::kLeadingZeros7, "000123", 1.23f},
      {HoleUnit::kLeadingZeros6, "0125Y5", 12.5f}, {HoleUnit::kLeadingZeros6, "-0025", -2.5f},
      {HoleUnit::kLeadingZeros6, "1234567", 123.456f},  // the field holds six digits
      {HoleUnit::kLeadingZeros2Integer, "0123", 1.23f}, {HoleUnit::kLeadingZeros2Integer, "-00025", -0.025f},
      {HoleUnit::kLeadingZeros2Integer, "0123456789", 1.2346f},  // eight digits, four decimals kept
      {HoleUnit::kThousandths, " 12 50 Y", 1.25f},     // blanks skipped
      {HoleUnit::kThousandths, "-500", -0.5f},        {HoleUnit::kHundredths, "12345", 123.45f},
      {HoleUnit::kThousandths, "0.55", 0.0006f},       // 0.00055 rounds to four decimals
      {HoleUnit::kDecimal, "", 0.0f},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(HoleCoordinate(c.text, c.unit), c.value) << c.text;
}

TEST(HoleFormat, InchDataIsMultipliedAndMillimetresStayAsTheyWere) {
  // 1.5 and -0.25 written in every unit: millimetres as they stand without
  // the inch option, times 25.4 with it.
  const struct {
    HoleUnit unit;
    const char* block;
  } cases[] = {
      {HoleUnit::kDecimal, "X1.5Y-0.25"},      {HoleUnit::kHundredths, "X150Y-25"},
      {HoleUnit::kThousandths, "X1500Y-250"},  {HoleUnit::kTenThousandths, "X15000Y-2500"},
      {HoleUnit::kLeadingZeros6, "X0015Y-00025"}, {HoleUnit::kLeadingZeros7, "X00015Y-000025"},
      {HoleUnit::kLeadingZeros2Integer, "X015Y-0025"},
  };
  for (const auto& c : cases) {
    HoleFormatOptions options;
    options.unit = c.unit;
    EXPECT_EQ(Format(c.block, options), "X1.5 Y-0.25\r\n") << c.block;
    options.inch = true;
    EXPECT_EQ(Format(c.block, options), "X38.1 Y-6.35\r\n") << c.block;
  }
  HoleFormatOptions inch;
  inch.unit = HoleUnit::kTenThousandths;
  inch.inch = true;
  EXPECT_EQ(Format("X12345Y-1\r\n", inch), "X31.3563 Y-0.0025\r\n");
}

TEST(HoleFormat, BlocksWithoutCoordinatesAndTheDesignatedToolText) {
  // T1C0.8 becomes the tool select line and the tool table line.
  EXPECT_EQ(Format("M48\r\nT1C0.8\r\n%\r\nX100Y200\r\nM30\r\n"), "T1C0.8φ1.000\r\nT1C0.8\r\nX1.0 Y2.0\r\n");
  HoleFormatOptions decimal;
  decimal.unit = HoleUnit::kDecimal;
  EXPECT_EQ(Format("X100Y200\r\n", decimal), "X100.0 Y200.0\r\n");
  EXPECT_EQ(Format("%\r\nM30\r\n"), "");  // no coordinates, no tools
}

TEST(HoleFormat, IncrementalInputAndOneLetterBlocks) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  options.incremental = true;
  EXPECT_EQ(Format("X1000\r\nX1000\r\n", options), "X1.0 Y\r\nX2.0 Y\r\n");
  options.incremental = false;
  EXPECT_EQ(Format("X1000Y500\r\nY2000\r\nY-250\r\n", options), "X1.0 Y0.5\r\nX1.0 Y2.0\r\nX1.0 Y-0.25\r\n");
  EXPECT_EQ(Format("Y2000\r\n", options), "X Y2.0\r\n");  // before any X
}

TEST(HoleFormat, HolesBeforeTheFirstToolStayInTheList) {
  HoleFormatOptions options;
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  EXPECT_EQ(Format("X100Y100\r\nT1\r\nX200Y200\r\n", options),
            "T01φ1.000\r\nX1.0 Y1.0\r\nT01\r\nX2.0 Y2.0\r\n");
}

TEST(HoleFormat, DesignatedHoleCodeAndD03ToolNumbers) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  options.hole_mode = HoleMode::kDesignatedCode;
  EXPECT_EQ(Format("D10*X1000Y1000D03*", options), "T10φ1.000\r\nT10\r\nX1.0 Y1.0\r\n");
  // A move with D02 is no hole; D11 is the next tool.
  EXPECT_EQ(Format("D10*X1000Y0D02*X2000Y0D03*D11*X3000Y0D03*", options),
            "T10φ1.000\r\nT11φ1.000\r\nT10\r\nX2.0 Y0.0\r\nT11\r\nX3.0 Y0.0\r\n");
  options.hole_code = "M15";
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  EXPECT_EQ(Format("T1\r\nX1000Y0\r\nX2000Y0M15\r\n", options), "T01φ1.000\r\nT01\r\nX2.0 Y0.0\r\n");
}

TEST(HoleFormat, CycleModeKeepsABlockBeforeTheCycleCodePending) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kDecimal;
  options.hole_mode = HoleMode::kCycle;
  // X1 before G81 is written by the first block inside the cycle (Z-5 has
  // no coordinates of its own); X3 after G80 is no hole.
  EXPECT_EQ(Format("T1\r\nG00X1Y1\r\nG81Z-5R2\r\nX2Y2\r\nG80\r\nX3Y3\r\n", options),
            "T1φ1.000\r\nT1\r\nX1.0 Y1.0\r\nX2.0 Y2.0\r\n");
  // The block that switches the cycle on with coordinates of its own is a
  // hole; a block that cancels it is none.
  EXPECT_EQ(Format("T1\r\nG81X5Y5\r\nX6Y6G80\r\n", options), "T1φ1.000\r\nT1\r\nX5.0 Y5.0\r\n");
  // With tools from blocks without coordinates, the cycle block starts one.
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  EXPECT_EQ(Format("G00X1Y1\r\nG81Z-5\r\nX2Y2\r\n", options), "T01φ1.000\r\nX1.0 Y1.0\r\nT01\r\nX2.0 Y2.0\r\n");
}

TEST(HoleFormat, DesignatedCharacterWithAndWithoutPhiLines) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kDecimal;
  EXPECT_EQ(Format("T01φ0.8\r\nT01\r\nX1Y2\r\n", options), "T01φ0.8\r\nT01\r\nX1.0 Y2.0\r\n");
  EXPECT_EQ(Format("T01\r\nX1Y2\r\nT02\r\nX3Y4\r\n", options),
            "T01φ1.000\r\nT02φ1.000\r\nT01\r\nX1.0 Y2.0\r\nT02\r\nX3.0 Y4.0\r\n");
  options.tool_text = "M06";  // a text without "T": numbered tools
  EXPECT_EQ(Format("M06\r\nX1Y2\r\nM06\r\nX3Y4\r\n", options),
            "T01φ1.000\r\nT02φ1.000\r\nT01\r\nX1.0 Y2.0\r\nT02\r\nX3.0 Y4.0\r\n");
}

// Holes per tool select line of normalised hole data.
std::map<std::string, int> HolesPerTool(std::string_view data) {
  std::map<std::string, int> holes;
  std::string tool = "(none)";
  for (std::string_view line : SplitLines(data)) {
    if (HasLetter(line, "φ")) continue;
    if (HasLetter(line, "T")) {
      tool = std::string(line);
      holes[tool] += 0;
    } else if (HasLetter(line, "X")) {
      ++holes[tool];
    }
  }
  return holes;
}

std::string Sample(const char* name) {
  std::string text = ReadFileBytes(std::string(KOVREL_TEST_DATA_DIR) + "/drill/" + name);
  DecodeCp932InPlace(text);
  return text;
}

TEST(HoleFormat, ExcellonTrailingZerosMetric) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  const std::string data = Format(Sample("cad-a-metric-tz.drl"), options);
  EXPECT_EQ(HolesPerTool(data), (std::map<std::string, int>{{"T01", 3}, {"T02", 2}, {"T03", 0}}));
  EXPECT_NE(data.find("T01\r\nX12.5 Y5.0\r\nX25.0 Y5.0\r\nX37.5 Y-2.5\r\nT02\r\nX50.0 Y40.0\r\nX62.0 Y40.0\r\n"),
            std::string::npos)
      << data;
}

TEST(HoleFormat, ExcellonLeadingZerosMetricWithLfLineEnds) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kLeadingZeros6;
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  const std::string data = Format(Sample("cad-b-metric-lz.drl"), options);
  EXPECT_EQ(HolesPerTool(data), (std::map<std::string, int>{{"T01", 3}, {"T02", 1}, {"T03", 2}, {"T04", 0}}));
  EXPECT_NE(data.find("X12.5 Y5.0\r\nX25.0 Y5.0\r\nX37.5 Y-2.5\r\nT02\r\nX50.0 Y40.0\r\nT03\r\n"
                      "X100.5 Y10.5\r\nX100.5 Y80.0\r\n"),
            std::string::npos)
      << data;
}

TEST(HoleFormat, DecimalCamProgramWithDiameterLines) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kDecimal;
  EXPECT_EQ(Format(Sample("cam-c-decimal-phi.nc"), options),
            "T01φ0.80\r\nT02φ3.00\r\nT01\r\nX1.25 Y0.5\r\nX2.5 Y0.5\r\nX2.5 Y1.75\r\nT02\r\nX0.1 Y0.1\r\nX4.9 Y3.9\r\n");
}

TEST(HoleFormat, BundledDrillSampleFormatsIntoItsHoles) {
  const std::string text =
      DecodeCp932(ReadFileBytes(std::string(KOVREL_TEST_DATA_DIR) + "/../../data/samples/drill-sample.nc"));
  HoleFormatOptions options;
  options.unit = HoleUnit::kDecimal;
  EXPECT_EQ(FormatHoleData(text, options),
            "T01φ1.000\r\nT02φ1.000\r\nT01\r\nX10.0 Y5.0\r\nX12.5 Y5.0\r\nX15.0 Y-2.5\r\nT02\r\nX20.0 Y20.0\r\n");
}

}  // namespace
}  // namespace kovrel
