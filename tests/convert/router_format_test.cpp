// Router data formatting.
#include "convert/router_format.h"

#include <gtest/gtest.h>

#include "core/append.h"

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


// The G word of each item as it comes, with the coordinate texts kept from
// item to item, written as the program goes: the same as the whole text.
TEST(RouterFormat, ProgramWrittenAsItGoesIsTheWholeText) {
  const char* const words[] = {"G01", "G1", "G02", "G2", "G00", "G05", "G91", "G90", "", "T02"};
  std::string router = "%\r\n";
  for (int n = 0; n < 90000; ++n) {
    Append(router, words[n % 10], "X", std::to_string(n % 1237), "Y", std::to_string(n % 811));
    if (n % 3 == 0) router += n % 6 == 0 ? "Z-1000" : "Z1000";
    if (n % 7 == 0) router += "I500J-250";
    router += "\r\n";
  }
  std::string streamed;
  TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
  FormatRouter(router, {}, out);
  out.Flush();
  EXPECT_GT(streamed.size(), std::size_t{1} << 20);
  const std::string whole = Format(router);
  EXPECT_EQ(streamed, whole);
  // The words follow the items: a G2 after G02 is G02, G05 stays G05.
  EXPECT_EQ(Format("G02X1000Y0I500J0\r\nG2X0Y0I-500J0\r\nG05X1000\r\n"),
            "D10\r\nG02X1.0Y0.0I0.5J0.0\r\nG02X0.0Y0.0I-0.5J0.0\r\nG05X1.0Y0.0\r\n");
}

}  // namespace
}  // namespace kovrel
