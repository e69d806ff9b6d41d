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
#include "core/nc_coordinates.h"
#include "core/failure.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A text of fewer than `longest` characters drawn from `alphabet`.
std::string RandomText(std::mt19937& random, std::string_view alphabet, std::size_t longest) {
  std::string text(random() % longest, ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

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
  int plain = 0, quickly_read = 0;
  for (int n = 0; n < 300000; ++n) {
    const std::string text = RandomText(random, alphabet, 14);
    // The one-pass reading, where it reads the text, reads what the
    // general reading and ReadDecimalDigits read.
    DecimalDigits quick, general;
    if (ReadPlainDecimal(text, quick)) {
      ++quickly_read;
      ASSERT_TRUE(SameDouble(quick.value, ReadNumber(text))) << text;
      ASSERT_TRUE(ReadDecimalDigits(text, general)) << text;
      ASSERT_EQ(quick.digits, general.digits) << text;
      ASSERT_EQ(quick.places, general.places) << text;
      ASSERT_EQ(quick.negative, general.negative) << text;
      ASSERT_EQ(quick.whole, general.whole) << text;
      ASSERT_EQ(quick.fraction, general.fraction) << text;
    }
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
  EXPECT_GT(quickly_read, 10000);
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
  for (const std::string_view line :
       {"X238.002 Y164.391", "X1Y2", "X-.5   Y+5.", "X0.000 Y-0.0", "X007.50 Y1234567.1234567", "X1 Y2", "X12345678 Y1",
        "X1.12345678 Y1", "X1 Y123456789.0", "X123456789012345 Y.123456789012345"}) {
    ASSERT_TRUE(ReadHoleLine(line, x, y)) << line;
    ExpectReadAsTheLineReadsThem(line, x, y);
  }
  // Anything else goes the general way: blanks after a sign, in a number
  // or at the end, other letters, no digits, a second point, more than
  // fifteen digits.
  for (const std::string_view line : {"X1 Y2 ", "X- 1 Y2", "X1 Y2Z3", "Y2 X1", "X. Y1", "X1 Y", "X1.2.3 Y4", "x1 y2",
                                      "X1234567890123456 Y1", "X1 Y12345678.12345678", "X1\tY2", "", "X", " X1 Y2"}) {
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

// The coordinate read by ReadThousandthsCoordinate, and read and written by
// AppendReadCoordinate, against ReadCoordinate and Masked.
void ExpectReadAndWrittenAsItsFloat(std::string_view after_letter, CoordinateUnit unit, const Mask& mask) {
  std::string fast, general;
  float read = 0, read_alone = 0, expected = 0;
  bool fast_failed = false, alone_failed = false, general_failed = false;
  try {
    read = AppendReadCoordinate(fast, after_letter, unit, mask);
  } catch (const Failure&) {
    fast_failed = true;
  }
  try {
    read_alone = ReadThousandthsCoordinate(after_letter, unit);
  } catch (const Failure&) {
    alone_failed = true;
  }
  try {
    expected = ReadCoordinate(after_letter, unit);
    Append(general, Masked(expected, mask));
  } catch (const Failure&) {
    general_failed = true;
  }
  ASSERT_EQ(fast_failed, general_failed) << after_letter;
  ASSERT_EQ(alone_failed, general_failed) << after_letter;
  EXPECT_TRUE(std::memcmp(&read, &expected, sizeof read) == 0) << after_letter << " " << read << " " << expected;
  EXPECT_TRUE(std::memcmp(&read_alone, &expected, sizeof read) == 0) << after_letter;
  EXPECT_EQ(fast, general) << after_letter << " field " << unit.field_width;
}

TEST(DecimalDigits, CoordinatesOfWholeThousandthsReadAndWrittenAsTheGeneralRouteDoes) {
  const Mask masks[] = {MillimetreMask(), ParseMask("######0.0###"), ParseMask("000.00"), ParseMask("#.#####"),
                        ParseMask("0000.00000")};
  // Every field of one to six digits (negative ones and the other masks a
  // sample) in a field of six, and as an integer.
  char text[24];
  for (int count = 1; count <= 6; ++count) {
    std::uint64_t limit = 1;
    for (int k = 0; k < count; ++k) limit *= 10;
    for (std::uint64_t digits = 0; digits < limit; ++digits) {
      const bool sample = digits % 97 == 5;
      for (const bool negative : {false, true}) {
        if (negative && !sample) continue;
        char* p = text;
        if (negative) *p++ = '-';
        std::uint64_t rest = digits;
        for (int k = count - 1; k >= 0; --k, rest /= 10) p[k] = static_cast<char>('0' + rest % 10);
        p += count;
        // Ended by a letter, alone or with more of the block after it
        // (the digits are read eight bytes at a time where eight remain).
        std::copy_n("Y24008D01", 9, p);
        for (const std::size_t tail : {1, 9}) {
          const std::string_view written(text, static_cast<std::size_t>(p - text) + tail);
          for (const int width : {6, 0}) {
            for (const Mask& mask : masks) {
              ExpectReadAndWrittenAsItsFloat(written, {1, width}, mask);
              if (!sample) break;
            }
          }
        }
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
  // Random texts of digits, signs, blanks, points and letters, in every
  // unit the readers use: the other units and the unusual texts take the
  // general route, and give its value and text.
  const CoordinateUnit units[] = {{1, 0}, {1, 3}, {1, 6}, {1, 7}, {1, 15}, {1, 16}, {1, 2},
                                  {10, 0}, {25.4, 6}, {0.001, 8}, {1000, 0}};
  std::mt19937 random(11);
  const std::string_view alphabet = "01234567890123456789012345678901234567890123456789..--+  XYD&";
  for (int n = 0; n < 200000; ++n) {
    const std::string after = RandomText(random, alphabet, 20);
    for (const CoordinateUnit& unit : units) ExpectReadAndWrittenAsItsFloat(after, unit, masks[n % 5]);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(DecimalDigits, IntegerAtReadsWhatIntegerAfterReads) {
  std::mt19937 random(21);
  const std::string_view alphabet = "0123456789012345678901234567890123456789DGX-. ";
  for (int n = 0; n < 100000; ++n) {
    const std::string text = RandomText(random, alphabet, 24);
    for (const char letter : {'D', 'G', 'X'}) {
      const std::size_t at = text.find(letter);
      if (at != std::string::npos) {
        ASSERT_EQ(IntegerAt(text, at), IntegerAfter(text, letter)) << text;
      }
    }
  }
}

}  // namespace
}  // namespace kovrel
