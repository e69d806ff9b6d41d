// G-code to HP-GL.
#include "convert/gcode_hpgl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/append.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "support/motion_program.h"

namespace kovrel {
namespace {

std::string Hpgl(std::string_view gcode) { return GcodeToHpgl(gcode).text; }
constexpr std::string_view kHead = "CT,1;SP1;";
constexpr std::string_view kTail = "PU;PA0,0;SP0;\r\n";

std::string Wrap(std::string_view body) { return std::string(kHead) + std::string(body) + std::string(kTail); }

TEST(GcodeToHpgl, WorkedExample) {
  EXPECT_EQ(Hpgl("G00X10Y5\r\nG01X20Y5\r\nG03X20Y15I0J5\r\n"),
            "CT,1;SP1;PU;PA400,200;PD;PA800,200;PD;AA800,400,180.0;PU;PA800,600;PU;PA0,0;SP0;\r\n");
}

TEST(GcodeToHpgl, CoordinatesAreNotModalAndRoundAwayFromZero) {
  EXPECT_EQ(Hpgl("G01X5Y5\r\nG01Y10\r\n"), Wrap("PD;PA200,200;PD;PA0,400;"));
  EXPECT_EQ(Hpgl("G90\r\nG92X0Y0\r\n"), Wrap("PU;PA0,0;PU;PA0,0;"));
  EXPECT_EQ(Hpgl("G01X0.0125Y-0.0125\r\n"), Wrap("PD;PA1,-1;"));
  EXPECT_EQ(Hpgl("G1X1,Y2\r\nX5Y5\r\ng01X9\r\nM30\r\n"), Wrap("PD;PA40,0;"));  // Y2 is an item of its own
}

TEST(GcodeToHpgl, ArcsAndFullCircles) {
  // A full circle: start and end angle agree.
  EXPECT_EQ(Hpgl("G00X10Y0\r\nG02X10Y0I-5J0\r\n"), Wrap("PU;PA400,0;PU;PA200,0;CI200,5;PU;PA400,0;"));
  // Clockwise quarter from (10,0) about (5,0) to (5,5)... sweep negative.
  EXPECT_EQ(Hpgl("G00X10Y0\r\nG02X5Y-5I-5J0\r\n"), Wrap("PU;PA400,0;PD;AA200,0,-90.0;PU;PA200,-200;"));
  EXPECT_EQ(Hpgl("G00X10Y0\r\nG03X5Y5I-5J0\r\n"), Wrap("PU;PA400,0;PD;AA200,0,90.0;PU;PA200,200;"));
  // Start angle 0 and end angle 360 count as the same: a full circle.
  EXPECT_EQ(Hpgl("G00X0Y0\r\nG03X0Y0I-1J0\r\n"), Wrap("PU;PA0,0;PU;PA-40,0;CI40,5;PU;PA0,0;"));
}

// "X.XXXX" of a coordinate, as a program writes it.
std::string Coordinate(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

TEST(GcodeToHpgl, EveryArcEndingAtItsStartIsAFullCircleAndTinyArcsStayArcs) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> centre(-500, 500), radius(0.1, 200), angle(0, 2 * std::numbers::pi);
  for (int k = 0; k < 400; ++k) {
    const double cx = centre(random), cy = centre(random), r = radius(random), a = angle(random);
    const std::string sx = Coordinate(cx + r * std::cos(a)), sy = Coordinate(cy + r * std::sin(a));
    const std::string i = Coordinate(cx - std::stod(sx)), j = Coordinate(cy - std::stod(sy));
    const std::string word = k % 2 == 0 ? "G02" : "G03";
    const std::string full = Hpgl("G00X" + sx + "Y" + sy + "\r\n" + word + "X" + sx + "Y" + sy + "I" + i + "J" + j + "\r\n");
    ASSERT_NE(full.find(";CI"), std::string::npos) << full;
    ASSERT_EQ(full.find("AA"), std::string::npos) << full;

    // An arc of 0.1 degree from the same start, in its own direction.
    const double step = (k % 2 == 0 ? -0.1 : 0.1) * std::numbers::pi / 180;
    const double ex = std::stod(sx) + (cx + r * std::cos(a + step)) - (cx + r * std::cos(a));
    const double ey = std::stod(sy) + (cy + r * std::sin(a + step)) - (cy + r * std::sin(a));
    const std::string end_x = Coordinate(ex), end_y = Coordinate(ey);
    if (end_x == sx && end_y == sy) continue;  // too small to write
    const std::string tiny = Hpgl("G00X" + sx + "Y" + sy + "\r\n" + word + "X" + end_x + "Y" + end_y + "I" + i + "J" + j + "\r\n");
    const std::size_t aa = tiny.find("PD;AA");
    ASSERT_NE(aa, std::string::npos) << tiny;
    const std::size_t sweep_at = tiny.rfind(',', tiny.find(';', aa + 5)) + 1;
    const double sweep = std::stod(tiny.substr(sweep_at));
    EXPECT_LT(std::fabs(sweep), 1.0) << tiny;
    EXPECT_EQ(sweep < 0, k % 2 == 0) << tiny;
  }
}

TEST(GcodeToHpgl, StopsAndNothingToConvert) {
  const ConversionResult stopped = GcodeToHpgl("G00X1Y1\r\nD02\r\n");
  EXPECT_TRUE(stopped.nothing_to_convert);
  EXPECT_TRUE(stopped.quiet);
  EXPECT_TRUE(GcodeToHpgl("G00X1Y1\r\n(DRILL)\r\n").quiet);
  EXPECT_EQ(Hpgl("D10\r\nG01X1Y1\r\n"), Wrap("PD;PA40,40;"));  // D10 is no stop
  EXPECT_TRUE(GcodeToHpgl("X1Y1\r\nM30\r\n").nothing_to_convert);
  const ConversionResult arcs_only = GcodeToHpgl("G02X1Y0I0.5J0\r\n");
  EXPECT_TRUE(arcs_only.nothing_to_convert);
  EXPECT_FALSE(arcs_only.quiet);
}


TEST(GcodeToHpgl, LineWrittenAsItGoesIsTheWholeText) {
  const std::string gcode = testing_support::MotionProgram(60000, 10000);
  std::string streamed;
  TextOutput out([&streamed](std::string& chunk) { streamed += chunk; });
  ASSERT_FALSE(GcodeToHpgl(gcode, out).nothing_to_convert);
  out.Flush();
  EXPECT_GT(streamed.size(), std::size_t{1} << 20);
  EXPECT_EQ(streamed, Hpgl(gcode));
}

TEST(GcodeToHpgl, StraightMovesWrittenAsTheMaskWritesTheirUnits) {
  // Every coordinate of three places below 100 mm, both signs, other
  // places, values near half a unit and beyond 2500 mm: the units written
  // (from the digits where their rounding is plain) are those the mask
  // writes for the single times 40.
  std::vector<std::string> numbers;
  for (int n = 0; n < 100000; ++n) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%03d", n % 7 == 3 ? "-" : "", n / 1000, n % 1000);
    numbers.emplace_back(text);
  }
  std::mt19937 random(40);
  for (int n = 0; n < 20000; ++n) {
    // k/80 mm is half a unit past a whole one: around it, and anywhere.
    const double near_half = (2.0 * (random() % 200000) + 1) / 80 + (static_cast<int>(random() % 21) - 10) * 1e-6;
    const double anywhere = (static_cast<double>(random() % 2000000000) - 1e9) / std::pow(10.0, random() % 7);
    for (const double value : {near_half, anywhere}) {
      char text[32];
      std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 7), value);
      numbers.emplace_back(text);
    }
  }
  for (const char* text : {"0", "-0", "0.0125", "-0.0125", "0.0375", "2499.9875", "2500", "2500.0125", "1E1", "5 ",
                           "+1.5", ".025", "-.0125", "12.", "0.01249", "0.01251"}) {
    numbers.emplace_back(text);
  }
  const Mask mask = ParseMask("########0");
  std::string gcode, expected(kHead);
  for (std::size_t k = 0; k + 1 < numbers.size(); k += 2) {
    Append(gcode, "G00X", numbers[k], "Y", numbers[k + 1], "\r\n");
    const float x = ToSingle(ReadNumber(numbers[k])), y = ToSingle(ReadNumber(numbers[k + 1]));
    Append(expected, "PU;PA", Masked(x * 40, mask), ",", Masked(y * 40, mask), ";");
  }
  expected += kTail;
  const std::string got = Hpgl(gcode);
  ASSERT_EQ(got.size(), expected.size());
  // The first difference, with the line it came from.
  const auto [at, unused] = std::mismatch(got.begin(), got.end(), expected.begin());
  EXPECT_EQ(at, got.end()) << got.substr(static_cast<std::size_t>(at - got.begin()) / 40 * 40, 80);
}

}  // namespace
}  // namespace kovrel
