// Router data formatting.
#include "convert/router_format.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

std::string Format(std::string_view router, RouterFormatOptions options = {}) { return FormatRouter(router, options).text; }

TEST(RouterFormat, WorkedExample) {
  EXPECT_EQ(Format("%\r\nG90\r\nT1\r\nG00X1000Y1000\r\nZ-1000\r\nG01X2000Y1000\r\nZ1000\r\nM30\r\n"),
            "D10\r\nG00X1.0Y1.0\r\nG01X2.0Y1.0\r\n");
}

TEST(RouterFormat, ZDecidesTheMoveAndArcsKeepTheirOffsets) {
  EXPECT_EQ(Format("G01X1000Y0\r\nZ-500\r\nG01X2000Y0\r\n"), "D10\r\nG00X1.0Y0.0\r\nG01X2.0Y0.0\r\n");
  EXPECT_EQ(Format("G02X2000Y0I1000J0\r\nG03X0Y0\r\n"), "D10\r\nG02X2.0Y0.0I1.0J0.0\r\nG03X0.0Y0.0\r\n");
  EXPECT_EQ(Format("G90\r\nX1000Y1000\r\n"), "D10\r\nG90X1.0Y1.0\r\n");
  EXPECT_EQ(Format("G03X2000Y0R1000\r\n"), "D10\r\nG03X2.0Y0.0I1.0J0.0\r\n");
}

TEST(RouterFormat, ItemsEndAtCommasControlCharactersAndAfterPercent) {
  const std::string expected = "D10\r\nG00X1.0Y0\r\nG00X1.0Y2.0\r\nG01X3.0Y2.0\r\n";
  EXPECT_EQ(Format("%G00X1000,Y2000\tZ-1\x01G01X3000\r\n%"), expected);
  EXPECT_EQ(Format("  G00X1000 , Y2000\nZ-1\x03G01X3000"), expected);
  EXPECT_EQ(Format("G00X1000,Y2000\r\nZ-1%G01X3000\r\n"), "D10\r\nG00X1.0Y0\r\nG00X1.0Y2.0\r\nG00X3.0Y2.0\r\n");
  // With a quoted item the text is normalised first; the result is the same.
  EXPECT_EQ(Format("\"G00X1000\",Y2000\r\nZ-1\r\nG01X3000\r\n"), expected);
}

TEST(RouterFormat, InchDataIsMultipliedAndMillimetresStayAsTheyWere) {
  const struct {
    RouterUnit unit;
    const char* items;
  } cases[] = {
      {RouterUnit::kDecimal, "G00X1.5Y-0.25\r\nZ-1\r\nG02X0Y0I1.5J-0.25\r\n"},
      {RouterUnit::kHundredths, "G00X150Y-25\r\nZ-1\r\nG02X0Y0I150J-25\r\n"},
      {RouterUnit::kThousandths, "G00X1500Y-250\r\nZ-1\r\nG02X0Y0I1500J-250\r\n"},
  };
  for (const auto& c : cases) {
    RouterFormatOptions options;
    options.unit = c.unit;
    EXPECT_EQ(Format(c.items, options), "D10\r\nG00X1.5Y-0.25\r\nG02X0.0Y0.0I1.5J-0.25\r\n") << c.items;
    options.inch = true;
    EXPECT_EQ(Format(c.items, options), "D10\r\nG00X38.1Y-6.35\r\nG02X0.0Y0.0I38.1J-6.35\r\n") << c.items;
  }
}

TEST(RouterFormat, IncrementalSumsRestartAtAToolChange) {
  RouterFormatOptions options;
  options.incremental = true;
  options.unit = RouterUnit::kDecimal;
  EXPECT_EQ(Format("G00X1Y1\r\nX1Y1\r\nT2\r\nX1Y1\r\n", options), "D10\r\nG00X1.0Y1.0\r\nG00X2.0Y2.0\r\nG00X1.0Y1.0\r\n");
  options.unit = RouterUnit::kHundredths;
  EXPECT_EQ(Format("G00X123,Y10\r\n", options), "D10\r\nG00X1.23Y0\r\nG00X1.23Y0.1\r\n");
}

}  // namespace
}  // namespace kovrel
