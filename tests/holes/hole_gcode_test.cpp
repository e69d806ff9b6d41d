// Hole data to G-code.
#include "holes/hole_gcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/append.h"
#include "core/failure.h"
#include "support/one_processor.h"
#include "support/streamed_output.h"

namespace kovrel {
namespace {

TEST(HoleGcode, WorkedExample) {
  const ConversionResult result = HoleDataToGcode("T01φ2.000\r\nT01\r\nX10.0 Y5.0\r\n");
  EXPECT_EQ(result.text, "D901\r\nG00X11.0Y5.0\r\nG02X11.0Y5I-1.0J0.0\r\n");
}

TEST(HoleGcode, ToolsHolesAndTheirEdges) {
  // Holes before the first tool have the diameter 0; a hole with only Y
  // has x = 0; a tool without a table line has the diameter 0.
  EXPECT_EQ(HoleDataToGcode("X1.0 Y2.5\r\nT01φ0.8\r\nT01\r\nY3.25\r\nT07\r\nX-1.5 Y-2.0\r\nM30\r\n").text,
            "G00X1.0Y2.5\r\nG02X1.0Y2.5I0.0J0.0\r\n"
            "D901\r\nG00X0.4Y3.25\r\nG02X0.4Y3.25I-0.4J0.0\r\n"
            "D907\r\nG00X-1.5Y-2.0\r\nG02X-1.5Y-2I0.0J0.0\r\n");
  EXPECT_EQ(HoleDataToGcode("T12φ3.175\r\nT12\r\nX0.0 Y0.0\r\n").text,
            "D912\r\nG00X1.5875Y0.0\r\nG02X1.5875Y0I-1.5875J0.0\r\n");
  EXPECT_EQ(HoleDataToGcode("T100φ1\r\nT100\r\n").text, "D1000\r\n");
}

TEST(HoleGcode, NothingToConvertWithoutToolSelectLines) {
  EXPECT_TRUE(HoleDataToGcode("X1.0 Y1.0\r\nX2.0 Y2.0\r\n").nothing_to_convert);
  EXPECT_TRUE(HoleDataToGcode("T01φ1.000\r\n").nothing_to_convert);
  EXPECT_TRUE(HoleDataToGcode("").nothing_to_convert);
}

TEST(HoleGcode, ToolNumberOutsideTheTableIsAnIndexFailure) {
  try {
    HoleDataToGcode("T1000\r\n");
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 9);
  }
  EXPECT_THROW(HoleDataToGcode("T-1φ1\r\n"), Failure);
  EXPECT_NO_THROW(HoleDataToGcode("T999φ1\r\nT999\r\n"));
}

TEST(HoleGcode, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string holes = "T01φ0.8\r\nT01\r\n";
  for (int i = 0; i < 40000; ++i) {
    Append(holes, "X", std::to_string(i % 997), ".", std::to_string(i % 7), " Y-", std::to_string(i), ".05\r\n");
  }
  const auto streamed = testing_support::RunStreamed(
      [&](TextOutput& out) { EXPECT_FALSE(HoleDataToGcode(holes, out).nothing_to_convert); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, HoleDataToGcode(holes).text);
}

TEST(HoleGcode, HoleLinesFromTheirDigitsAsByTheGeneralRoute) {
  // The same holes written "X.. Y.." (read and written from their digits,
  // the start summed from X and the radius) and with a blank after them
  // (the general route through the floats): the same G-code, over radii
  // and coordinates of every length, sign and number of places.
  std::mt19937 random(5);
  const auto decimal = [&random](int whole_digits) {
    std::string text = random() % 3 == 0 ? "-" : "";
    text += std::to_string(random() % static_cast<unsigned>(std::pow(10, whole_digits)));
    const unsigned places = random() % 6;
    if (places > 0 || random() % 2 == 0) text += '.';
    for (unsigned k = 0; k < places; ++k) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  std::string plain, general;
  for (int tool = 1; tool <= 40; ++tool) {
    const std::string table = Joined("T", std::to_string(tool), "φ", decimal(1 + tool % 3).substr(tool % 2), "\r\n");
    Append(plain, table, "T", std::to_string(tool), "\r\n");
    Append(general, table, "T", std::to_string(tool), "\r\n");
    for (int hole = 0; hole < 500; ++hole) {
      const std::string x = decimal(1 + hole % 6), y = decimal(1 + hole % 4);
      Append(plain, "X", x, " Y", y, "\r\n");
      Append(general, "X", x, " Y", y, " \r\n");
    }
  }
  const std::string from_digits = HoleDataToGcode(plain).text;
  EXPECT_TRUE(from_digits == HoleDataToGcode(general).text);  // (a difference of long texts is not printed)
  EXPECT_GT(from_digits.size(), std::size_t{20000 * 30});
}

// Long hole data is converted in pieces side by side, each from the tool
// state at its start: the text and the outcome are those of one pass.
TEST(HoleGcode, LongHoleDataIsConvertedAsInOnePass) {
  std::mt19937 random(3);
  std::string holes = "T01φ0.5\r\nT02φ1.25\r\nT07φ3\r\n";
  for (int n = 0; holes.size() < (std::size_t{5} << 20); ++n) {
    // Tool choices and table lines all along, holes written every way.
    if (n % 997 == 0) AppendLine(holes, "T0", std::to_string(1 + random() % 8));
    if (n % 15013 == 0) AppendLine(holes, "T08φ0.", std::to_string(n % 9));
    const std::string x = std::to_string(random() % 400) + "." + std::to_string(random() % 1000);
    const std::string y = std::to_string(random() % 300) + "." + std::to_string(random() % 100);
    switch (n % 9) {
      case 0: AppendLine(holes, "X", x); break;
      case 1: AppendLine(holes, "Y-", y); break;
      case 2: AppendLine(holes, "X", x, " Y", y, " "); break;
      default: AppendLine(holes, "X", x, " Y", y); break;
    }
  }
  const auto outcome = [](const std::string& text) {
    try {
      const ConversionResult result = HoleDataToGcode(text);
      return result.nothing_to_convert ? std::string("nothing") : result.text;
    } catch (const Failure& failure) {
      return std::string("failed: ") + failure.what();
    }
  };
  // A tool number past the table far into the text fails where it stands.
  for (const std::string& text : {holes, holes + "T1000\r\n" + holes, holes + "X1E39Y1\r\n"}) {
    const std::string pieces = outcome(text);
    std::string once;
    testing_support::OnOneProcessor([&] { once = outcome(text); });
    EXPECT_GT(once.size(), 5u);
    EXPECT_TRUE(pieces == once) << once.substr(0, 80);
  }
}

}  // namespace
}  // namespace kovrel
