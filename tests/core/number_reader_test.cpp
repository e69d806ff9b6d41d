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
