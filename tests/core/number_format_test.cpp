// Masks, the general number form, printed numbers and integer conversion,
// as flat tables of literal inputs and outputs.
#include "core/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/failure.h"

namespace kovrel {
namespace {

TEST(Mask, Table) {
  const struct {
    double value;
    const char* mask;
    const char* text;
  } cases[] = {
      {5, "#######0.0###", "5.0"},
      {1.23456, "#######0.0###", "1.2346"},
      {7, "#00", "07"},
      {123, "#00", "123"},                // digits before the point are never cut
      {0.5, "#######.0###", ".5"},        // no digit before the point
      {0, "#######.0###", ".0"},
      {0, "###########", ""},             // an all-optional mask writes nothing for 0
      {1234.5, "###########", "1235"},    // half away from zero
      {-1234.5, "###########", "-1235"},
      {-0.4, "###########", ""},          // rounds to zero: no sign
      {-0.00001, "0.000", "0.000"},
      {-0.0, "0.0", "0.0"},               // negative zero
      {-2.5, "0", "-3"},
      {9.9995, "0.000", "10.000"},        // carry through every digit
      {99.96, "#0.0", "100.0"},
      {0.0005, "0.000", "0.001"},
      {0.0004, "0.000", "0.000"},
      {2.675, "0.00", "2.68"},            // decimal half, not the binary value
      {1e20, "#0.0", "100000000000000000000.0"},
      {12.5, "0.", "13."},
      {0.123, "0##.0#", "000.12"},
      {-123.456, "####0.000#", "-123.456"},
      {1.5, "##", "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

TEST(Mask, FloatUsesSevenDigitsAndDoubleFifteen) {
  EXPECT_EQ(FormatMask(0.00005f, "#######0.0###"), "0.0001");
  EXPECT_EQ(FormatMask(123.456f, "####0.0#######"), "123.456");
  EXPECT_EQ(FormatMask(123.456, "####0.0#######"), "123.456");
  // The float nearest 1.0000005 is 1.00000047...: seven digits give 1.000000,
  // while the double keeps the decimal half and rounds up.
  EXPECT_EQ(FormatMask(1.0000005f, "0.000000"), "1.000000");
  EXPECT_EQ(FormatMask(1.0000005, "0.000000"), "1.000001");
  EXPECT_EQ(FormatMask(0.1f, "0.0########"), "0.1");
  EXPECT_EQ(FormatMask(0.1f, "0.000"), "0.100");
  EXPECT_EQ(FormatMask(16777217.0f, "0"), "16777220");  // float keeps 7 digits
}

// The seven digits of a float, as the correctly rounded scientific text of
// its exact value gives them, for every kind of float the formatter meets.
TEST(GeneralForm, FloatDigitsMatchTheExactDecimalExpansion) {
  std::uint32_t bits = 12345;
  for (int i = 0; i < 200000; ++i) {
    bits = bits * 1664525u + 1013904223u;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    char text[48];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6).ptr;
    const double reference = std::strtod(std::string(text, end).c_str(), nullptr);
    const std::string general = FormatGeneral(value);
    ASSERT_EQ(std::strtod(general.c_str(), nullptr), reference) << text << " " << general;
  }
  for (const float value : {1.0f, 9999999.0f, 9999999.5f, 8388608.5f, 1e-7f, 0.3f, 123.456f, 1e-30f}) {
    char text[48];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6).ptr;
    EXPECT_EQ(std::strtod(FormatGeneral(value).c_str(), nullptr), std::strtod(std::string(text, end).c_str(), nullptr))
        << text;
  }
}

TEST(Mask, RejectsOtherCharactersAndNonFiniteValues) {
  EXPECT_THROW(ParseMask("#,##0"), Failure);
  EXPECT_THROW(ParseMask("0.0.0"), Failure);
  EXPECT_THROW(FormatMask(std::numeric_limits<double>::infinity(), "0.0"), Failure);
  EXPECT_THROW(FormatMask(std::numeric_limits<float>::quiet_NaN(), "0.0"), Failure);
  const Mask mask = ParseMask("#####0.0###");
  EXPECT_EQ(mask.int_min, 1);
  EXPECT_EQ(mask.frac_min, 1);
  EXPECT_EQ(mask.frac_max, 4);
}

TEST(GeneralForm, Table) {
  EXPECT_EQ(FormatGeneral(0.5), ".5");
  EXPECT_EQ(FormatGeneral(-0.5), "-.5");
  EXPECT_EQ(FormatGeneral(3.0f), "3");
  EXPECT_EQ(FormatGeneral(8000.0), "8000");
  EXPECT_EQ(FormatGeneral(0.0), "0");
  EXPECT_EQ(FormatGeneral(-0.0), "0");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2), ".3");
  EXPECT_EQ(FormatGeneral(0.1f), ".1");
  EXPECT_EQ(FormatGeneral(1.0f / 3.0f), ".3333333");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), ".333333333333333");
  EXPECT_EQ(FormatGeneral(12345678.0f), "12345680");
  EXPECT_EQ(FormatGeneral(0.00001f), ".00001");
  EXPECT_EQ(FormatGeneral(1e20), "100000000000000000000");
  EXPECT_EQ(FormatGeneral(-12.5f), "-12.5");
}

TEST(PrintedNumber, LeadingBlankOrMinusAndTrailingBlank) {
  EXPECT_EQ(FormatPrinted(5.0), " 5 ");
  EXPECT_EQ(FormatPrinted(-5.0), "-5 ");
  EXPECT_EQ(FormatPrinted(0.25f), " .25 ");
  EXPECT_EQ(FormatPrinted(-0.0), " 0 ");
  // The longest forms a double has: 309 digits, and 323 zeros after the point.
  const std::string largest = FormatPrinted(-std::numeric_limits<double>::max());
  EXPECT_EQ(largest.size(), 311u);
  EXPECT_EQ(largest.substr(0, 8), "-1797693");
  const std::string smallest = FormatPrinted(std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(smallest.substr(0, 4), " .00");
  EXPECT_EQ(smallest.substr(smallest.size() - 5), "1247 ");
  EXPECT_EQ(smallest.size(), 2 + 1 + 323 + 15u);
}

TEST(SingleValue, BeyondAFloatsRangeIsAnOverflow) {
  EXPECT_EQ(ToSingle(1.5), 1.5f);
  EXPECT_EQ(ToSingle(-3.0e38), -3.0e38f);
  EXPECT_EQ(ToSingle(1e-50), 0.0f);  // underflow is zero, not a failure
  for (const double value : {2e130, -3.5e38, std::numeric_limits<double>::infinity(), std::nan("")}) {
    try {
      ToSingle(value);
      ADD_FAILURE() << value;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 6);
    }
  }
}

TEST(IntegerConversion, HalfGoesToEven) {
  EXPECT_EQ(ToInteger(2.5), 2);
  EXPECT_EQ(ToInteger(3.5), 4);
  EXPECT_EQ(ToInteger(-2.5), -2);
  EXPECT_EQ(ToInteger(-3.5), -4);
  EXPECT_EQ(ToInteger(2.4999), 2);
  EXPECT_EQ(ToInteger(0.5f), 0);
  EXPECT_EQ(ToInteger(-0.0), 0);
  EXPECT_EQ(ToInteger16(32767.4), 32767);
  EXPECT_THROW(ToInteger16(32767.5), Failure);
  EXPECT_THROW(ToInteger(3e9), Failure);
  EXPECT_THROW(ToInteger(std::numeric_limits<double>::quiet_NaN()), Failure);
}

}  // namespace
}  // namespace kovrel
