// G-code to Gerber.
#include "convert/gcode_gerber.h"

#include <gtest/gtest.h>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

std::string Gerber(std::string_view gcode, GerberOutputUnit unit = GerberOutputUnit::kThousandths,
                   std::string terminator = "*") {
  return GcodeToGerber(gcode, {unit, std::move(terminator)}).text;
}

TEST(GcodeToGerber, WorkedExample) {
  EXPECT_EQ(Gerber("T1\r\nG00X1.5Y2\r\nG01X10Y2\r\nT1\r\nM30\r\n"),
            "D10*G01X1500Y2000D02*G01X10000Y2000D01*D10*D11*M30*\r\n");
}

TEST(GcodeToGerber, UnitsZerosAndTerminators) {
  EXPECT_EQ(Gerber("G00X0Y0.5\r\n"), "G01XY500D02*M30*\r\n");
  EXPECT_EQ(Gerber("G00X0Y0.5\r\n", GerberOutputUnit::kMillimetres), "G01X.0Y.5D02*M30*\r\n");
  EXPECT_EQ(Gerber("G00X1.23456Y-2\r\n", GerberOutputUnit::kTenThousandths, "\r\n"),
            "G01X12346Y-20000D02\r\nM30\r\n\r\n");
  EXPECT_EQ(Gerber("G00X1\r\nG02X2Y0I0.5J0\r\nG03X1Y0I-0.5J0\r\n", GerberOutputUnit::kHundredths, "\r"),
            "G01X100D02\rG02X200YI50JD01\rG03X100YI-50JD01\rM30\r\r\n");
}

TEST(GcodeToGerber, SelectItems) {
  // A modal coordinate item and a header are selections; D12 passes; D5 is numbered.
  EXPECT_EQ(Gerber("G90\r\nX10Y20\r\nD12\r\nD5\r\nG00X1\r\nG90\r\n"), "D10*D11*D12*D13*G01X1000D02*D10*M30*\r\n");
  // A blank item claims the first free slot only for a moment: D10X then
  // takes slot 0 and the blank item is numbered by the next free slot.
  EXPECT_EQ(Gerber("\r\nD10X\r\nG00X1\r\n\r\n"), "D11*D10X*G01X1000D02*D11*M30*\r\n");
  // When no blank item numbered the slot that is free at the end: a bare D.
  EXPECT_EQ(Gerber("A\r\n\r\nB\r\nG00X1\r\n"), "D10*D*D11*G01X1000D02*M30*\r\n");
}

TEST(GcodeToGerber, NothingWithoutARapidMoveAndTooManySelections) {
  EXPECT_TRUE(GcodeToGerber("G01X1Y1\r\n", {}).nothing_to_convert);
  std::string many = "G00X1\r\n";
  for (int i = 0; i < 1001; ++i) AppendLine(many, "T", std::to_string(i));
  EXPECT_THROW(GcodeToGerber(many, {}), Failure);
}


TEST(GcodeToGerber, TheFirstOfTheMotionWordsInOrderDecidesAndEveryItemIsRead) {
  // G00 anywhere in the item makes a move, then G01, G02, G03; "G003" holds
  // G00, "G0" and "G04" are none.
  EXPECT_EQ(Gerber("G03G00X1\r\nG02 G01X2\r\nG03G02X3\r\nG003X4\r\nG0X5\r\nG04X6\r\n"),
            "G01X1000D02*G01X2000D01*G02X3000D01*G01X4000D02*D10*D11*M30*\r\n");
  // A selection's coordinates are read too: one beyond a float fails.
  EXPECT_THROW(GcodeToGerber("G00X1\r\nX1E39\r\n", {}), Failure);
}

TEST(GcodeToGerber, BlocksWrittenAsTheyGoAreTheWholeText) {
  std::string program = "T1\r\n";
  for (int n = 0; n < 60000; ++n) {
    Append(program, "G0", std::to_string(n % 4), "X", std::to_string(n % 997), ".25Y-", std::to_string(n % 13),
           n % 4 >= 2 ? "I1J-2.5" : "", "\r\n");
    if (n % 5000 == 0) AppendLine(program, "T", std::to_string(n));
  }
  std::string streamed;
  TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
  ASSERT_FALSE(GcodeToGerber(program, {}, out).nothing_to_convert);
  out.Flush();
  EXPECT_GT(streamed.size(), std::size_t{1} << 20);
  EXPECT_EQ(streamed, Gerber(program));
}

TEST(GcodeToGerber, WholeUnitsWrittenAsTheMaskWritesTheScaledValue) {
  // Plain decimals within the unit's places are written from their
  // digits; every other form (more places, exponents, blanks, zeros,
  // signs alone, long digit strings) through the mask: both give what the
  // mask writes for the scaled value.
  const std::string_view numbers[] = {"1.5",  "-2.25", "0",        "-0",    "0.000",   "-0.0004", "0.0005",
                                      ".5",   "-.25",  "5.",       "+3.5",  "1e2",     "1D2",     "12 5",
                                      "&H1F", "",      "1.23456",  "00012.5000", "1.2.3", "-", "247.718",
                                      "123456789012.3", "1234567890123456", "9999999999.9999", "-31.0405"};
  const std::pair<GerberOutputUnit, double> units[] = {{GerberOutputUnit::kHundredths, 100},
                                                       {GerberOutputUnit::kThousandths, 1000},
                                                       {GerberOutputUnit::kTenThousandths, 10000}};
  const Mask mask = ParseMask("###########");
  for (const auto& [unit, factor] : units) {
    for (const std::string_view number : numbers) {
      EXPECT_EQ(Gerber(Joined("G00X", number, "\r\n"), unit),
                Joined("G01X", Masked(factor * ReadNumber(number), mask), "D02*M30*\r\n"))
          << number << " " << factor;
    }
  }
}

}  // namespace
}  // namespace kovrel
