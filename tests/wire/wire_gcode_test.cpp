// The wire-cut conversion: units, the cutting rule, G92, radius arcs, H
// variables, K angles and the frame of shape calls.
#include "wire/wire_gcode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <random>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "support/streamed_output.h"
#include "wire/wire_line.h"
#include "wire/wire_numbers.h"

namespace kovrel {
namespace {

constexpr std::string_view kHead = "D10\r\nG00X0Y0\r\n";

std::string Convert(std::string_view program) { return WireToGcode(program).text; }

// The lines written for `program`, without the frame.
std::string Body(std::string_view program) {
  const std::string out = Convert(program);
  EXPECT_TRUE(out.starts_with(kHead)) << out;
  EXPECT_TRUE(out.ends_with("M30\r\n")) << out;
  return out.substr(kHead.size(), out.size() - kHead.size() - 5);
}

int FailureNumber(std::string_view program) {
  try {
    Convert(program);
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

TEST(WireGcode, FrameAndUnits) {
  EXPECT_EQ(Convert(""), "D10\r\nG00X0Y0\r\nM30\r\n");
  EXPECT_EQ(Body("G01X10000Y0\r\nG01X10.Y1.5\r\nG01X1500Y-2500\r\nG01X+12Y.5\r\n"),
            "G01X10.0Y0.0\r\nG01X10.0Y1.5\r\nG01X1.5Y-2.5\r\nG01X0.012Y0.5\r\n");
  // Comments and dwells are dropped even when they hold coordinates;
  // anything unknown is dropped without a word.
  EXPECT_EQ(Body("(X5.Y5.)\r\nG04X1000\r\nT1\r\n\r\nG01X1.Y1.\r\n"), "G01X1.0Y1.0\r\n");
  // A line holding only X or Y follows the modal motion; the other axis
  // keeps its value.
  EXPECT_EQ(Body("G01X1.Y2.\r\nX3.\r\nY4.\r\n"), "G01X1.0Y2.0\r\nG01X3.0Y2.0\r\nG01X3.0Y4.0\r\n");
}

TEST(WireGcode, CuttingRuleIsReadOnLinesWithAnMCode) {
  for (const char* stop : {"M00", "M01", "M02", "M21", "M50"}) {
    EXPECT_EQ(Body(std::string(stop) + "\r\nG01X1.Y0\r\nG01X2.Y0\r\n"), "G00X1.0Y0.0\r\nG00X2.0Y0.0\r\n") << stop;
  }
  for (const char* start : {"M20", "M60", "M84"}) {
    EXPECT_EQ(Body(std::string("M21\r\n") + start + "\r\nG01X1.Y0\r\n"), "G01X1.0Y0.0\r\n") << start;
  }
  // A cut started by G41/G42/G44 lasts until an M code ends it, not one line.
  for (const char* offset : {"G41", "G42", "G44"}) {
    EXPECT_EQ(Body(std::string("M50\r\n") + offset + "G01X1.Y0\r\nG01X2.Y0\r\nX3.\r\nM50\r\nG01X4.Y0\r\n"),
              "G01X1.0Y0.0\r\nG01X2.0Y0.0\r\nG01X3.0Y0.0\r\nG00X4.0Y0.0\r\n")
        << offset;
  }
  // Other M codes leave the flag; G00 ends the cut, a modal rapid line does not.
  EXPECT_EQ(Body("M30\r\nG01X1.Y0\r\nG00X2.Y0\r\nG01X3.Y0\r\n"), "G01X1.0Y0.0\r\nG00X2.0Y0.0\r\nG00X3.0Y0.0\r\n");
  EXPECT_EQ(Body("G00X1.Y0\r\nM60\r\nX2.\r\nG01X3.\r\n"), "G00X1.0Y0.0\r\nG00X2.0Y0.0\r\nG01X3.0Y0.0\r\n");
}

TEST(WireGcode, G92PairsTheOutputPointWithTheProgramPoint) {
  EXPECT_EQ(Body("G92X5.Y5.\r\nG01X6.Y5.\r\n"), "G01X1.0Y0.0\r\n");
  EXPECT_EQ(Body("G92X5Y5\r\nG01X6.Y5.\r\n"), "G01X5.995Y4.995\r\n");  // integers are thousandths
  // A second G92 pairs the point reached with the new program point.
  EXPECT_EQ(Body("G01X10.Y0\r\nG92X0Y0\r\nG01X5.Y5.\r\n"), "G01X10.0Y0.0\r\nG01X15.0Y5.0\r\n");
}

TEST(WireGcode, ArcsTakeTheirCentreFromIJOrFromTheRadius) {
  EXPECT_EQ(Body("G02X10.Y0R5.\r\n"), "G02X10.0Y0.0I5.0J0.0\r\n");
  EXPECT_EQ(Body("G02X10.Y0R-5.\r\n"), "G02X10.0Y0.0I5.0J0.0\r\n");  // exactly 180 degrees keeps the centre
  // A quarter circle: the positive radius takes the shorter arc, the
  // negative one the longer; an integer radius is in thousandths.
  EXPECT_EQ(Body("G01X5.Y0\r\nG03X10.Y5.R5.\r\n"), "G01X5.0Y0.0\r\nG03X10.0Y5.0I0.0J5.0\r\n");
  EXPECT_EQ(Body("G01X5.Y0\r\nG02X10.Y5.R5000\r\n"), "G01X5.0Y0.0\r\nG02X10.0Y5.0I5.0J0.0\r\n");
  EXPECT_EQ(Body("G01X5.Y0\r\nG02X10.Y5.R-5.\r\n"), "G01X5.0Y0.0\r\nG02X10.0Y5.0I0.0J5.0\r\n");
  // A line with only X and Y after an arc is another arc, I and J 0 unless given.
  EXPECT_EQ(Body("G02X10.Y0I5.J0\r\nX20.Y0\r\nX30.I5.\r\n"),
            "G02X10.0Y0.0I5.0J0.0\r\nG02X20.0Y0.0I0.0J0.0\r\nG02X30.0Y0.0I5.0J0.0\r\n");
  EXPECT_EQ(FailureNumber("G02X10.Y0R2.\r\n"), 380);  // shorter than half the chord
}

TEST(WireGcode, HVariablesAndKAngleExpressions) {
  // L4000 draws a circle of radius H100 / 2 around the point reached.
  EXPECT_EQ(Body("H1=5000\r\nH100=H1+5000H200=3.\r\nG22L4000\r\n"),
            "G01X5.0Y0.0\r\nG02X-5.0Y0.0I-5.0J0.0\r\nG02X5.0Y0.0I5.0J0.0\r\nG00X0.0Y0.0\r\n");
  EXPECT_EQ(Body("H100 = 8. - 2000 + -H110\r\nG22L4000\r\n"),  // 8 - 2 - 0.2
            "G01X2.9Y0.0\r\nG02X-2.9Y0.0I-2.9J0.0\r\nG02X2.9Y0.0I2.9J0.0\r\nG00X0.0Y0.0\r\n");
  // K is read in thousandths of a degree on top of the thousandths of an
  // integer: K90000. and K90000000 both turn by 90 degrees; a negative
  // angle is taken from 360.
  const std::string square = "H100=2.\r\nH200=2.\r\n";
  const std::string turned = "G01X-1.0Y0.0\r\nG01X-1.0Y1.0\r\nG01X1.0Y1.0\r\nG01X1.0Y-1.0\r\nG01X-1.0Y-1.0\r\n"
                             "G01X-1.0Y0.0\r\nG00X0.0Y0.0\r\n";
  EXPECT_EQ(Body(square + "K90000.\r\nG22L1000\r\n"), turned);
  EXPECT_EQ(Body(square + "K90000000\r\nG22L1000\r\n"), turned);
  EXPECT_EQ(Body(square + "H5=-270000.\r\nKH5\r\nG22L1000\r\n"), turned);
  // The angle lasts for one shape call.
  EXPECT_EQ(Body(square + "K90000.\r\nG22L1000\r\nG22L1000\r\n").substr(turned.size()),
            "G01X0.0Y1.0\r\nG01X1.0Y1.0\r\nG01X1.0Y-1.0\r\nG01X-1.0Y-1.0\r\nG01X-1.0Y1.0\r\nG01X0.0Y1.0\r\n"
            "G00X0.0Y0.0\r\n");
  EXPECT_EQ(FailureNumber("H251=5\r\n"), 9);
  EXPECT_EQ(FailureNumber("KH300\r\n"), 9);
  EXPECT_EQ(FailureNumber("H1=1.E39\r\n"), 0);  // E is no part of a number here: 1.
}

TEST(WireGcode, ShapeCallUsesTheSizesOnlyAndEndsWithARapidMoveBack) {
  // The program's X and Y keep their values: a modal rapid after the call
  // moves from the point of the call.
  EXPECT_EQ(Body("H100=10.\r\nH200=5.\r\nG00X30.Y0\r\nG22L1000\r\nY30.\r\nG01X40.\r\n"),
            "G00X30.0Y0.0\r\n"
            "G01X30.0Y2.5\r\nG01X35.0Y2.5\r\nG01X35.0Y-2.5\r\nG01X25.0Y-2.5\r\nG01X25.0Y2.5\r\nG01X30.0Y2.5\r\n"
            "G00X30.0Y0.0\r\nG00X30.0Y30.0\r\nG00X40.0Y30.0\r\n");  // the wire no longer cuts
  // L8000 is a circle of radius 1.5 mm.
  EXPECT_EQ(Body("G22L8000\r\n"), "G01X1.5Y0.0\r\nG02X-1.5Y0.0I-1.5J0.0\r\nG02X1.5Y0.0I1.5J0.0\r\nG00X0.0Y0.0\r\n");
  // Several shapes on one line each start from the point and come back to it.
  EXPECT_EQ(Body("G22L8000L7000\r\n"),
            "G01X0.0Y0.0\r\nG02X0.0Y0.0I0.0J0.0\r\nG02X0.0Y0.0I0.0J0.0\r\nG00X0.0Y0.0\r\n"
            "G01X1.5Y0.0\r\nG02X-1.5Y0.0I-1.5J0.0\r\nG02X1.5Y0.0I1.5J0.0\r\nG00X0.0Y0.0\r\n");
  EXPECT_EQ(Body("G22L9999\r\n"), "G00X0.0Y0.0\r\n");
  // Flats outside their circle cannot be drawn.
  EXPECT_EQ(FailureNumber("H100=-10.\r\nH200=5.\r\nG22L3000\r\n"), 5);
}

TEST(WireGcode, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string program = "G92X0Y0\r\nH100=10753\r\nH200=3134\r\n";
  for (int k = 0; k < 40000; ++k) {
    const std::string x = Joined(std::to_string(k % 400), ".", std::to_string(k % 10));
    Append(program, "G00X", x, "Y-3.5\r\nM60\r\nG41G01X", x, "Y-1.5\r\nG03X", x, "Y2.5R2.\r\nM50\r\n");
    if (k % 1000 == 0) program += "K45000.\r\nG22L1000\r\n";
  }
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { WireToGcode(program, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, Convert(program));
}

TEST(WireGcode, WireLineAnswersAsSearchesOfTheLine) {
  // The letters asked for and their neighbours ("<" before "=", "Z" after
  // "Y"), in lines of one to three blocks of sixteen and their tails.
  static constexpr std::string_view kChars = "G0123456789XYIJRKMH(=.- N\x83<>?@AZx:)";
  std::mt19937 rng(44);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (int n = static_cast<int>(rng() % 56); n > 0; --n) line += kChars[rng() % kChars.size()];
    const WireLine facts(line);
    ASSERT_EQ(facts.x, line.find('X')) << line;
    ASSERT_EQ(facts.y, line.find('Y')) << line;
    ASSERT_EQ(facts.i, line.find('I')) << line;
    ASSERT_EQ(facts.j, line.find('J')) << line;
    ASSERT_EQ(facts.r, line.find('R')) << line;
    ASSERT_EQ(facts.k, line.find('K')) << line;
    ASSERT_EQ(facts.m, line.find('M')) << line;
    ASSERT_EQ(facts.comment, HasLetter(line, "(")) << line;
    ASSERT_EQ(facts.equals, HasLetter(line, "=")) << line;
    ASSERT_EQ(facts.h, HasLetter(line, "H")) << line;
    ASSERT_EQ(facts.m60, HasLetter(line, "M60")) << line;
    ASSERT_EQ(facts.m50, HasLetter(line, "M50")) << line;
    for (unsigned code = 0; code < 100; ++code) {
      char word[4];
      std::snprintf(word, sizeof word, "G%02u", code);
      ASSERT_EQ(facts.G(code), HasLetter(line, word)) << line << " " << word;
    }
  }
}

TEST(WireGcode, ValuesWrittenFromTheirDigitsAreWrittenAsTheirFloats) {
  // Thousandths and millimetres of every length, signs, zeros and values
  // whose float loses their digits: read with and without their digits,
  // the value is the same float, and written from the digits its text is
  // the float's text.
  std::mt19937 rng(45);
  static constexpr std::string_view kDigits = "0123456789";
  CoordinateTexts texts;
  for (int round = 0; round < 50000; ++round) {
    std::string number = rng() % 4 == 0 ? "-" : (rng() % 8 == 0 ? "+" : "");
    for (int n = static_cast<int>(rng() % 9); n > 0; --n) number += kDigits[rng() % 10];
    if (rng() % 2 == 0) {
      number += '.';
      for (int n = static_cast<int>(rng() % 8); n > 0; --n) number += kDigits[rng() % 10];
    }
    if (rng() % 16 == 0) number += "-1";  // no plain number
    const std::string line = "G01X" + number + "Y";
    WireDigits digits;
    const float read = WireValueAt(line, 3, &digits);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(read), std::bit_cast<std::uint32_t>(WireValueAt(line, 3))) << number;
    std::string written, expected;
    AppendCoordinate(written, read, read, digits, texts);
    Append(expected, Coordinate(read));
    ASSERT_EQ(written, expected) << number;
    // A point moved since it was read is written as a number.
    written.clear();
    expected.clear();
    AppendCoordinate(written, read + 1, read, digits, texts);
    Append(expected, Coordinate(read + 1));
    ASSERT_EQ(written, expected) << number;
  }
}

TEST(WireGcode, ValuesReadInOnePassAsTheGeneralReadingReadsThem) {
  // Signs, digits of every count, points, and characters after the number
  // that end it or belong to it: the value is the float the reading of
  // the number's characters gives, and the digits are those the general
  // readers of plain decimals and thousandths find.
  std::mt19937 rng(46);
  static constexpr std::string_view kSigns[] = {"", "", "-", "+", "--", "-+"};
  static constexpr std::string_view kAfter[] = {"Y1", "", " ", "-1", ".5", "+", "I2", "="};
  static constexpr ByteSet kNumber("0123456789.-+");
  for (int round = 0; round < 100000; ++round) {
    std::string number(kSigns[rng() % std::size(kSigns)]);
    for (int n = static_cast<int>(rng() % 18); n > 0; --n) number += static_cast<char>('0' + rng() % 10);
    if (rng() % 2 == 0) {
      // Joined from its two sides: GCC 12 at -O2 warns falsely of an
      // overlapping copy in a string's insert.
      const std::size_t at = rng() % (number.size() + 1);
      number = number.substr(0, at) + "." + number.substr(at);
    }
    const std::string line = "G01X" + number + std::string(kAfter[rng() % std::size(kAfter)]);
    const std::string_view span = SpanOf(std::string_view(line).substr(4), kNumber);
    WireDigits digits;
    const float read = WireValueAt(line, 3, &digits);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(read), std::bit_cast<std::uint32_t>(WireMillimetres(span))) << line;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(WireValueAt(line, 3)), std::bit_cast<std::uint32_t>(read)) << line;
    DecimalDigits expected;
    char field[16];
    const bool plain = span.find('.') != std::string_view::npos ? ReadDecimalDigits(span, expected)
                                                                : ThousandthsDigits(span, 0, field, expected);
    ASSERT_EQ(digits.plain, plain) << line;
    if (!plain) continue;
    EXPECT_EQ(digits.number.digits, expected.digits) << line;
    EXPECT_EQ(digits.number.places, expected.places) << line;
    EXPECT_EQ(digits.number.negative, expected.negative) << line;
    EXPECT_EQ(digits.number.whole, expected.whole) << line;
    EXPECT_EQ(digits.number.fraction, expected.fraction) << line;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(digits.number.value), std::bit_cast<std::uint64_t>(expected.value)) << line;
  }
}

TEST(WireGcode, KeptTextsOfPlainDecimalsAreTheTextsOfTheirFloats) {
  // A plain decimal as a whole is kept with the text of its float and read
  // as ReadNumber reads it; anything else (a second point or sign, a
  // blank, an exponent, too many digits) is not read at all.
  std::mt19937 rng(47);
  static constexpr std::string_view kPieces[] = {"0", "1", "5", "9", "00", "12", ".", "-", "+", " ", "E1", "0000000"};
  for (int round = 0; round < 50000; ++round) {
    std::string number;
    for (int n = static_cast<int>(rng() % 6); n > 0; --n) number += kPieces[rng() % std::size(kPieces)];
    CoordinateTexts texts;
    double value = 0;
    DecimalDigits digits;
    const bool plain = number.find_first_of(" E") == std::string::npos &&
                       std::count(number.begin(), number.end(), '.') <= 1 &&
                       number.find_first_of("-+", 1) == std::string::npos && ReadDecimalDigits(number, digits);
    ASSERT_EQ(texts.Keep(number, value), plain) << number;
    if (!plain) continue;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(ReadNumber(number))) << number;
    std::string kept, expected;
    texts.Append(kept, ToSingle(value));
    Append(expected, Coordinate(ToSingle(value)));
    ASSERT_EQ(kept, expected) << number;
  }
}

}  // namespace
}  // namespace kovrel
