// Number reading as a table of literal inputs and values.
#include "core/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "core/append.h"
#include "core/failure.h"

namespace kovrel {
namespace {

TEST(ReadNumber, Table) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"-12.5Y3", -12.5},   {"3", 3},          {"20D01", 200},      {"20d-1", 2},     {"1.5E2X", 150},
      {"1e", 1},            {"1E+", 1},        {".5", 0.5},         {"-.25", -0.25},  {"+7", 7},
      {"1 2 . 5", 12.5},    {"\t- 4\n2", -42}, {"1.2.3", 1.2},      {"--5", 0},       {"abc", 0},
      {"", 0},              {".", 0},          {"-", 0},            {"&H1F", 31},     {"&hff", 255},
      {"&O17", 15},         {"&H", 0},         {"&Q1", 0},          {"0012300", 12300}, {"1e-400", 0},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
}

TEST(ReadNumber, DigitsBeyondTheBufferKeepTheMagnitude) {
  const std::string big = "1" + std::string(150, '0') + ".5";
  EXPECT_DOUBLE_EQ(ReadNumber(big), 1e150);
  const std::string small = "0." + std::string(120, '0') + "1";
  EXPECT_DOUBLE_EQ(ReadNumber(small), 1e-121);
}

TEST(ReadNumber, LeadingZerosOfAnyLengthKeepTheValue) {
  EXPECT_EQ(ReadNumber(std::string(100, '0') + "5"), 5);
  EXPECT_EQ(ReadNumber(std::string(90, '0') + "12300"), 12300);
  EXPECT_EQ(ReadNumber("-" + std::string(200, '0') + "1.25"), -1.25);
  EXPECT_EQ(ReadNumber(std::string(300, '0') + "." + std::string(300, '0') + "5E301"), 5);
  EXPECT_TRUE(std::signbit(ReadNumber("-" + std::string(150, '0'))));
  EXPECT_THROW(ReadNumber(std::string(50, '0') + "1" + std::string(400, '0')), Failure);
}

TEST(ReadNumber, EveryValueIsTheCorrectlyRoundedDouble) {
  // Short numbers take a quicker road than long ones; both must give the
  // double nearest to the decimal value, as strtod does.
  std::mt19937 random(42);
  for (int n = 0; n < 200000; ++n) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % (digits + 2));
    for (int k = 0; k < digits; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 4 == 0) Append(text, "E", std::to_string(static_cast<int>(random() % 60) - 30));
    ASSERT_EQ(ReadNumber(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(ReadNumber, OverflowIsAFailure) {
  try {
    ReadNumber("1E400");
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 6);
  }
  EXPECT_THROW(ReadNumber("&HFFFFFFFFFFFFFFFFF"), Failure);
}

TEST(ReadLeadingZeroField, PadsTheDigitsOnTheRightToTheWidth) {
  EXPECT_EQ(ReadLeadingZeroField("00123Y5", 6), 1230);
  EXPECT_EQ(ReadLeadingZeroField("-0025", 6), -2500);
  EXPECT_EQ(ReadLeadingZeroField("12345678", 6), 123456);  // digits past the width are dropped
  EXPECT_EQ(ReadLeadingZeroField("Y5", 6), 0);
  EXPECT_EQ(ReadLeadingZeroField("5", 0), 0);
  // A field wider than the usual ones.
  EXPECT_EQ(ReadLeadingZeroField("15", 40), 15e38);
}

TEST(ValueAfter, ReadsAfterTheFirstOccurrence) {
  EXPECT_EQ(ValueAfter("X-12.5Y3", "X"), -12.5);
  EXPECT_EQ(ValueAfter("X-12.5Y3", "Y"), 3);
  EXPECT_EQ(ValueAfter("G01X1", "Z"), 0);
  EXPECT_EQ(ValueAfter("T01φ0.8", "φ"), 0.8);
  EXPECT_TRUE(std::signbit(ValueAfter("X-0", "X")));
}

TEST(ValueAfterFirstCharacter, SkipsOneWholeCharacter) {
  EXPECT_EQ(ValueAfterFirstCharacter("T01φ2.000"), 1);
  EXPECT_EQ(ValueAfterFirstCharacter("φ2.5"), 2.5);  // a two-byte character
  EXPECT_EQ(ValueAfterFirstCharacter("T"), 0);
  EXPECT_EQ(ValueAfterFirstCharacter(""), 0);
}

}  // namespace
}  // namespace kovrel

namespace kovrel {
namespace {

TEST(LocateNumber, TellsWhereTheDigitsAndTheExponentStand) {
  const struct {
    const char* text;
    double value;
    std::size_t begin, digits_end, end;
    long exponent;
    bool has_digits;
  } cases[] = {
      {"-12.5Y3", -12.5, 0, 5, 5, 0, true},
      {" 10. 5 F1", 10.5, 1, 6, 6, 0, true},   // blanks inside count, the one after not
      {"5 D01 F600", 50, 0, 1, 5, 1, true},    // D01 is read as an exponent
      {"0 D01", 0, 0, 1, 5, 1, true},          // also after a zero
      {"1.5E2X", 150, 0, 3, 5, 2, true},
      {"1E+", 1, 0, 1, 1, 0, true},            // an exponent without digits is none
      {"&H1F,", 31, 0, 4, 4, 0, true},
      {"Y5", 0, 0, 0, 0, 0, false},
      {"-)", 0, 0, 1, 1, 0, false},
      {"", 0, 0, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    const NumberText located = LocateNumber(c.text);
    EXPECT_EQ(located.value, c.value) << c.text;
    EXPECT_EQ(located.begin, c.begin) << c.text;
    EXPECT_EQ(located.digits_end, c.digits_end) << c.text;
    EXPECT_EQ(located.end, c.end) << c.text;
    EXPECT_EQ(located.exponent, c.exponent) << c.text;
    EXPECT_EQ(located.has_digits, c.has_digits) << c.text;
  }
}

TEST(TypedNumber, TheWholeTextIsOneNumberFullWidthDigitsIncluded) {
  EXPECT_EQ(TypedNumber("2"), 2);
  EXPECT_EQ(TypedNumber(" -1.5 "), -1.5);
  EXPECT_EQ(TypedNumber("２"), 2);
  EXPECT_EQ(TypedNumber("－０．５"), -0.5);
  EXPECT_EQ(TypedNumber("　１２　"), 12);
  EXPECT_EQ(TypedNumber("0"), 0);
  EXPECT_EQ(TypedNumber("1e2"), 100);
  for (const char* refused : {"", "  ", "abc", "2x", "1,5", "-", ".", "X2"}) {
    EXPECT_EQ(TypedNumber(refused), std::nullopt) << refused;
  }
  EXPECT_EQ(HalfWidthNumberText("Ｘ１２．５ｍｍ"), "Ｘ12.5ｍｍ");
  EXPECT_THROW(TypedNumber("1e999"), Failure);
}

}  // namespace
}  // namespace kovrel
