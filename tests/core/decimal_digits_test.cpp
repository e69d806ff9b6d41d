// Coordinates read and written through their digits: every shortcut
// against the general number reading and writing, on every decimal the
// shortcuts reach and on random texts around them.
#include "core/decimal_digits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The value of the digits: the integer divided by a power of ten that a
// double holds exactly, correctly rounded, as the number reading gives it.
double ValueOf(std::uint64_t digits, int places, bool negative) {
  const double value = static_cast<double>(digits) / std::pow(10.0, places);
  return negative ? -value : value;
}

const Mask kMasks[] = {ParseMask("#####0.0####"), ParseMask("#######0.0###"), ParseMask("#.######"),
                       ParseMask("000.000000"), ParseMask("####0")};

// Compares the texts from the digits of `number` with the masked and
// general texts of its float; false when the digits are out of reach.
bool WrittenAsItsFloat(const DecimalDigits& number, std::string_view text) {
  if (!FloatKeepsDigits(number)) return false;
  const float value = ToSingle(number.value);
  std::string from_digits, from_float;
  EXPECT_TRUE(AppendDigitsGeneral(from_digits, number));
  Append(from_float, General(value));
  EXPECT_EQ(from_digits, from_float) << text;
  for (const Mask& mask : kMasks) {
    from_digits.clear();
    from_float.clear();
    char buffer[40];
    const char* const end = WriteDigitsMasked(buffer, number, mask);
    if (!AppendDigitsMasked(from_digits, number, mask)) {
      EXPECT_GT(number.places, mask.frac_max) << text;
      EXPECT_EQ(end, nullptr) << text;
      continue;
    }
    Append(from_float, Masked(value, mask));
    EXPECT_EQ(from_digits, from_float) << text;
    EXPECT_NE(end, nullptr) << text;
    if (end != nullptr) {
      EXPECT_EQ(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), from_float) << text;
    }
  }
  return true;
}

TEST(DecimalDigits, PlainDecimalsReadAsTheNumberReadingReadsThem) {
  const struct {
    const char* text;
    bool plain;
    std::uint64_t digits;
    int places;
    bool negative;
  } cases[] = {
      {"124.761", true, 124761, 3, false}, {"-0.5 Y3", true, 5, 1, true},  {"+12.", true, 12, 0, false},
      {" \t12.50\r\n", true, 1250, 2, false}, {".05", true, 5, 2, false},  {"5..5", true, 5, 0, false},
      {"-0", true, 0, 0, true},            {"12.5 .5", true, 125, 1, false},  // a second point ends it
      {"12 5", false, 0, 0, false},                     {"1.5 .5", true, 15, 1, false},  {"12.5 E2", false, 0, 0, false},
      {"1d2", false, 0, 0, false},                      {"- 5", false, 0, 0, false},                  {".", false, 0, 0, false},
      {"", false, 0, 0, false},                         {"&H1F", false, 0, 0, false},                 {"1234567890123456", false, 0, 0, false},
  };
  for (const auto& c : cases) {
    DecimalDigits number;
    ASSERT_EQ(ReadDecimalDigits(c.text, number), c.plain) << c.text;
    if (!c.plain) continue;
    EXPECT_EQ(number.digits, c.digits) << c.text;
    EXPECT_EQ(number.places, c.places) << c.text;
    EXPECT_EQ(number.negative, c.negative) << c.text;
    EXPECT_TRUE(SameDouble(number.value, ReadNumber(c.text))) << c.text;
  }
  // Random texts of the characters a number and its neighbours are made
  // of: the digits read give the value the number reading gives.
  std::mt19937 random(7);
  const std::string_view alphabet = "0123456789012345678901234567890123456789..--+  \t\nEeDd&HYX";
  int plain = 0;
  for (int n = 0; n < 300000; ++n) {
    std::string text(random() % 14, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    DecimalDigits number;
    try {
      if (!ReadDecimalDigits(text, number)) continue;
    } catch (const Failure&) {
      EXPECT_THROW(ReadNumber(text), Failure) << text;
      continue;
    }
    ++plain;
    ASSERT_TRUE(SameDouble(number.value, ReadNumber(text))) << text;
    ASSERT_TRUE(SameDouble(ValueOf(number.digits, number.places, number.negative), number.value)) << text;
    // Leading zeros, a point without digits after it, blanks around it:
    // the texts are still those of the float.
    WrittenAsItsFloat(number, text);
    if (HasFailure()) return;
  }
  EXPECT_GT(plain, 30000);
}

TEST(DecimalDigits, EveryDecimalOfSixDigitsIsWrittenAsItsFloatIs) {
  // Every number of up to six digits and six places (negative ones a
  // sample), written with a zero before the point below one: the texts
  // from its digits equal the masked and general texts of its float.
  char text[16];
  for (int places = 0; places <= 6; ++places) {
    for (std::uint64_t digits = 0; digits < 1000000; ++digits) {
      for (const bool negative : {false, true}) {
        if (negative && digits % 7 != 3) continue;
        // The digits right-aligned in a field of zeros, the point put in.
        char* end = text + sizeof text;
        char* p = end;
        std::uint64_t rest = digits;
        for (int k = 0; k <= places || rest != 0; ++k, rest /= 10) {
          if (k == places && places > 0) *--p = '.';
          *--p = static_cast<char>('0' + rest % 10);
        }
        if (negative) *--p = '-';
        const std::string_view written(p, static_cast<std::size_t>(end - p));
        DecimalDigits number;
        ASSERT_TRUE(ReadDecimalDigits(written, number)) << written;
        ASSERT_EQ(number.digits, digits) << written;
        ASSERT_EQ(number.places, places) << written;
        if (!WrittenAsItsFloat(number, written)) {
          // Only 0.000977 to 0.000999 are left to the general route.
          ASSERT_TRUE(std::fabs(number.value) > 0.000976 && std::fabs(number.value) < 0.001) << written;
        }
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
  // Out of reach: nothing written, the general route writes them.
  std::string out;
  for (const std::string_view text : {"1000.000", "0.0000005", "0.000986"}) {
    DecimalDigits number;
    ASSERT_TRUE(ReadDecimalDigits(text, number));
    EXPECT_FALSE(AppendDigitsGeneral(out, number)) << text;  // 0.000986 is the float 0.0009860001
  }
  DecimalDigits rounded;
  ASSERT_TRUE(ReadDecimalDigits("0.12345", rounded));
  EXPECT_FALSE(AppendDigitsMasked(out, rounded, kMasks[1]));  // the mask rounds it
  EXPECT_EQ(out, "");
}

// The two numbers of a hole line as the general reading finds them: X's
// number cut at Y, Y's the rest of the line.
void ExpectReadAsTheLineReadsThem(std::string_view line, const DecimalDigits& x, const DecimalDigits& y) {
  const std::size_t y_at = line.find('Y');
  const std::string_view texts[] = {NumberTextAfter(line, 0, y_at), line.substr(y_at + 1)};
  const DecimalDigits* numbers[] = {&x, &y};
  for (int k = 0; k < 2; ++k) {
    DecimalDigits general;
    ASSERT_TRUE(ReadDecimalDigits(texts[k], general)) << line;
    EXPECT_EQ(numbers[k]->digits, general.digits) << line;
    EXPECT_EQ(numbers[k]->places, general.places) << line;
    EXPECT_EQ(numbers[k]->negative, general.negative) << line;
    EXPECT_EQ(numbers[k]->whole, general.whole) << line;
    EXPECT_EQ(numbers[k]->fraction, general.fraction) << line;
    EXPECT_TRUE(SameDouble(DigitsValue(*numbers[k]), general.value)) << line;
  }
}

TEST(DecimalDigits, HoleLinesReadInOnePassAsTheGeneralReadingReadsThem) {
  DecimalDigits x, y;
  for (const std::string_view line : {"X238.002 Y164.391", "X1Y2", "X-.5   Y+5.", "X0.000 Y-0.0", "X007.50 Y1234567.1234567",
                                      "X1 Y2"}) {
    ASSERT_TRUE(ReadHoleLine(line, x, y)) << line;
    ExpectReadAsTheLineReadsThem(line, x, y);
  }
  // Anything else goes the general way: blanks after a sign, in a number
  // or at the end, other letters, no digits, a second point, eight digits
  // on one side of the point.
  for (const std::string_view line : {"X1 Y2 ", "X- 1 Y2", "X1 Y2Z3", "Y2 X1", "X. Y1", "X1 Y", "X1.2.3 Y4", "x1 y2",
                                      "X12345678 Y1", "X1.12345678 Y1", "X1 Y123456789.0", "X1\tY2", "", "X", " X1 Y2"}) {
    EXPECT_FALSE(ReadHoleLine(line, x, y)) << line;
  }
  // Random lines of the characters hole lines and their neighbours are
  // made of, short and long (the line's own end read eight bytes at a time).
  std::mt19937 random(11);
  const std::string_view alphabet = "01234567890123456789012345678901234567890123456789..-+  Y";
  int read = 0;
  for (int n = 0; n < 200000; ++n) {
    std::string line = "X";
    for (std::size_t k = random() % 24; k > 0; --k) line += alphabet[random() % alphabet.size()];
    if (!ReadHoleLine(line, x, y)) continue;
    ++read;
    ExpectReadAsTheLineReadsThem(line, x, y);
    if (HasFailure()) return;
  }
  EXPECT_GT(read, 3000);
}

}  // namespace
}  // namespace kovrel
