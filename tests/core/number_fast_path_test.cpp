// The fast ways of writing and reading numbers against the general ones.
// The integer arithmetic that writes masks and the general form must give
// the texts of the decimal route (std::to_chars's digits rounded as text)
// for every value: ten million random values of the ranges NC data holds
// and the edge values of decimal rounding, with every mask of the program,
// as floats and as doubles, and the value of the written text read back.
// The short loop that reads a plain number must
// read what the general reading reads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

// Every mask the program writes numbers with.
const char* const kProgramMasks[] = {
    "#####",          "######",          "###########",          "########0",      "#######.0###",
    "#######0.0###",  "######0.0###",    "######0.0####",        "######0.0#####", "######0.0############",
    "#####0.0###",    "#####0.0####",    "#####0.0#####",        "#####0.0#######", "####0.0###",
    "####0.0######",  "####0.0#######",  "####0.000#",           "####0.000#####", "####0.0000",
    "####0.0000#",    "###0.0###",       "###0.000###",          "##0.000",        "#00",
    "00",
};

std::vector<Mask> ProgramMasks() {
  std::vector<Mask> masks;
  for (const char* text : kProgramMasks) masks.push_back(ParseMask(text));
  return masks;
}

// The text `format` gives, or "failure" when it throws (an infinity: a
// double beyond a float's range made a float).
template <typename Format>
std::string Written(Format&& format) {
  try {
    return format();
  } catch (const Failure&) {
    return "failure";
  }
}

// Compares both ways for the value as a float and as a double; returns
// false (after one failure message) on a difference.
bool SameBothWays(double value, const Mask& mask, const char* mask_text) {
  const auto single = static_cast<float>(value);
  const std::string fast_single = Written([&] { return FormatMask(single, mask); });
  const std::string text_single = Written([&] { return FormatMaskByText(single, mask); });
  const std::string fast_double = FormatMask(value, mask);
  const std::string text_double = FormatMaskByText(value, mask);
  EXPECT_EQ(fast_single, text_single) << "float " << single << " (" << value << ") " << mask_text;
  EXPECT_EQ(fast_double, text_double) << "double " << value << " " << mask_text;
  // The value of the written text, read back, to the bit (the text of the
  // largest doubles reads as an overflow).
  const auto bits = [](double read) {
    std::uint64_t word;
    std::memcpy(&word, &read, sizeof word);
    return std::to_string(word);
  };
  const std::string read_back = Written([&] { return bits(RoundedByMask(value, mask)); });
  const std::string reference = Written([&] { return bits(ReadNumber(text_double)); });
  const bool same_value = read_back == reference;
  EXPECT_TRUE(same_value) << "read back " << value << " " << mask_text << ": " << read_back << " " << reference;
  return fast_single == text_single && fast_double == text_double && same_value;
}

bool SameGeneralForm(double value) {
  const auto single = static_cast<float>(value);
  const std::string fast_single = Written([&] { return FormatGeneral(single); });
  const std::string text_single = Written([&] { return FormatGeneralByText(single); });
  EXPECT_EQ(fast_single, text_single) << single;
  EXPECT_EQ(FormatGeneral(value), FormatGeneralByText(value)) << value;
  return fast_single == text_single && FormatGeneral(value) == FormatGeneralByText(value);
}

// Values where decimal rounding turns: a 5 at every place (12.5, 0.125,
// 1.0005...), carries through nines (9.9995, 99.96), negatives that round
// to zero, powers of ten and their neighbours, and the extremes.
std::vector<double> EdgeValues() {
  std::vector<double> values = {0.0,
                                -0.0,
                                1e15,
                                9.999999999999999e14,
                                1e20,
                                1e300,
                                -1e300,
                                std::numeric_limits<float>::max(),
                                -std::numeric_limits<float>::max(),
                                std::numeric_limits<float>::min(),
                                std::numeric_limits<float>::denorm_min(),
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::denorm_min(),
                                std::numeric_limits<double>::max(),
                                16777216.0,
                                16777217.0,
                                9007199254740992.0,
                                9007199254740993.0,
                                2.675,
                                1.0000005,
                                0.00005,
                                // Exact binary values whose digit after the
                                // 7th (float) or 15th (double) is a 5 and
                                // nothing after it: a tie goes to even.
                                1234567.5,
                                1234566.5,
                                32817.125,
                                32817.375,
                                0.03125,
                                123456789012345.5,
                                123456789012344.5,
                                1.00048828125};
  for (int place = -16; place <= 16; ++place) {
    const double unit = std::pow(10.0, place);
    for (const double base : {0.5, 1.5, 2.5, 4.5, 9.5, 12.5, 99.5, 123.45, 1234.5}) values.push_back(base * unit);
    for (const double nines : {1 - 0.0005, 1 - 0.00005, 10 - 0.0005, 100 - 0.04, 1 - 5e-8, 1000 - 5e-5}) {
      values.push_back(nines * unit);
    }
    values.push_back(unit);
    values.push_back(std::nextafter(unit, 0.0));
    values.push_back(std::nextafter(unit, 1e308));
    values.push_back(static_cast<double>(std::nextafter(static_cast<float>(unit), 0.0f)));
    values.push_back(static_cast<double>(std::nextafter(static_cast<float>(unit), 1e30f)));
  }
  // Negatives that round to zero at the masks' places, and just below.
  for (int places = 0; places <= 13; ++places) {
    const double half = 0.5 * std::pow(10.0, -places);
    for (const double factor : {0.1, 0.8, 0.99, 1.0, 1.01}) values.push_back(-half * factor);
  }
  const std::size_t count = values.size();
  for (std::size_t k = 0; k < count; ++k) values.push_back(-values[k]);
  return values;
}

TEST(MaskExactness, EdgeValuesWithEveryMask) {
  const std::vector<Mask> masks = ProgramMasks();
  for (const double value : EdgeValues()) {
    ASSERT_TRUE(SameGeneralForm(value));
    for (std::size_t m = 0; m < masks.size(); ++m) ASSERT_TRUE(SameBothWays(value, masks[m], kProgramMasks[m]));
  }
}

// Ten million values, each written with one mask in turn (so every mask
// gets some 400 000), as float and double: decimal values with up to
// eight places (the coordinates of NC text, near-ties included), values of
// every magnitude from 1e-12 to 1e12, and random bit patterns.
TEST(MaskExactness, TenMillionRandomValues) {
  const std::vector<Mask> masks = ProgramMasks();
  std::mt19937_64 random(20240518);
  std::uniform_int_distribution<std::int64_t> decimal_digits(-99999999999LL, 99999999999LL);
  std::uniform_int_distribution<int> places(0, 8);
  std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
  constexpr int kValues = 10'000'000;
  for (int n = 0; n < kValues; ++n) {
    double value;
    switch (n % 4) {
      case 0:
      case 1: value = static_cast<double>(decimal_digits(random)) / std::pow(10.0, places(random)); break;
      case 2: value = std::pow(10.0, magnitude(random)) * (random() & 1 ? 1 : -1); break;
      default: {
        // Random bits: doubles within a float's range half the time.
        std::uint64_t bits = random();
        if (n % 8 == 3) bits = (bits & 0x800FFFFFFFFFFFFFULL) | (static_cast<std::uint64_t>(896 + (bits >> 52) % 255) << 52);
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) value = 1.5;
      }
    }
    const std::size_t m = static_cast<std::size_t>(n) % masks.size();
    ASSERT_TRUE(SameBothWays(value, masks[m], kProgramMasks[m])) << "value " << n;
    if (n % 16 == 0) {
      ASSERT_TRUE(SameGeneralForm(value));
    }
  }
}

// A tab after a number sends it to the general reading (which reads on
// past blanks); without one a plain number takes the short loop. Both must
// tell the same value (to the bit) and the same place.
TEST(NumberReading, PlainNumbersReadAsTheGeneralReadingReadsThem) {
  std::mt19937_64 random(77);
  const char alphabet[] = "0000123456789..-+";
  std::string text;
  for (int n = 0; n < 1'000'000; ++n) {
    text.clear();
    const std::size_t length = 1 + random() % 24;
    for (std::size_t k = 0; k < length; ++k) text += alphabet[random() % (sizeof alphabet - 1)];
    const NumberText plain = LocateNumber(text + "X");
    const NumberText general = LocateNumber(text + "\tX");
    ASSERT_EQ(std::memcmp(&plain.value, &general.value, sizeof plain.value), 0) << text << " " << plain.value;
    ASSERT_EQ(plain.has_digits, general.has_digits) << text;
    ASSERT_EQ(plain.begin, general.begin) << text;
    ASSERT_EQ(plain.digits_end, general.digits_end) << text;
    ASSERT_EQ(plain.end, general.end) << text;
  }
}

}  // namespace
}  // namespace kovrel
