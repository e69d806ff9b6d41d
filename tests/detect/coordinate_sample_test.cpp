// The coordinate sample of the format detection: which numbers it reads,
// what it skips, and the zeros the digit runs suggest.
#include "detect/coordinate_sample.h"

#include <gtest/gtest.h>

#include <string>

namespace kovrel {
namespace {

DigitRuns Sample(std::string_view text, bool gerber) { return SampleCoordinates(text, text.size(), gerber); }

TEST(CoordinateSample, ReadsXAndYOutsideCommentsAndParameters) {
  // Parameter blocks (also across lines), G04 comments and aperture sizes
  // hold no coordinates.
  DigitRuns runs = Sample("G04 X999999Y1*\n%ADD10R,0.5X0.25*%\n%AMOC8*\n5,1,8,0,0,1.08X$1*\n%\nX0120Y-0350D02*\n",
                          true);
  EXPECT_EQ(runs.numbers, 2);
  EXPECT_EQ(runs.with_point, 0);
  EXPECT_EQ(runs.longest, 4);
  EXPECT_EQ(runs.first.line, 6);
  EXPECT_EQ(runs.first.text, "X0120Y-0350D02");
  // Drill data: comment lines are skipped; points, signs and lone zeros.
  runs = Sample("; X123456\n(X1)\nX12.5Y-0\nX+.5\nX.Y\nG93X0Y0\n", false);
  EXPECT_EQ(runs.numbers, 5);  // 12.5, 0, .5, 0, 0 ("X." is no number)
  EXPECT_EQ(runs.with_point, 2);
  EXPECT_EQ(runs.runs, 0);
  EXPECT_EQ(runs.point_at.line, 3);
}

TEST(CoordinateSample, ZerosFromTheDigitRuns) {
  const struct {
    const char* text;
    ZeroSuppression zeros;
    int full_width;
    int evidence_line;
  } cases[] = {
      {"X12500Y5000\nX25000Y5001\nX37500Y-2500\n", ZeroSuppression::kLeading, 0, 1},
      {"X0125Y005\nX025Y005\nX0375Y-0025\n", ZeroSuppression::kTrailing, 0, 1},
      {"X002250Y002300\nX002400Y003850\nX003100Y004100\n", ZeroSuppression::kNone, 6, 1},
      {"X12.5Y5\nX25Y5.5\nX3.75Y-2.5\n", ZeroSuppression::kDecimalPoint, 0, 1},
      // Neither zero shows: no guess.
      {"X12345Y678\nX2345Y6789\nX345Y67\n", ZeroSuppression::kUnknown, 0, 0},
      // Both show but the lengths differ: no guess.
      {"X0120Y1\nX012Y10\nX0120000Y01\n", ZeroSuppression::kUnknown, 0, 0},
      // Too few numbers.
      {"X0120Y0350\n", ZeroSuppression::kUnknown, 0, 0},
  };
  for (const auto& c : cases) {
    const ZeroGuess guess = GuessZeros(Sample(c.text, false));
    EXPECT_EQ(guess.zeros, c.zeros) << c.text;
    EXPECT_EQ(guess.full_width, c.full_width) << c.text;
    EXPECT_EQ(guess.evidence.line, c.evidence_line) << c.text;
  }
}

TEST(CoordinateSample, WindowsBeyondTheHeadAndTheirCap) {
  // The windows skip their torn first and last lines; their lines have no
  // number; the reading stops at its cap however long the text.
  std::string text = "X1Y1\n";
  while (text.size() < 4'000'000) text += "X012345Y067890\n";
  const DigitRuns runs = SampleCoordinates(text, 5, false);
  EXPECT_GT(runs.numbers, 100);
  EXPECT_LE(runs.numbers, 4000);
  EXPECT_EQ(runs.by_length[6], runs.numbers - 2);
  EXPECT_EQ(runs.longest_at.line, 0);
  EXPECT_EQ(runs.longest_at.text, "X012345Y067890");
}

TEST(CoordinateSample, ShortenedAtACharacterBoundary) {
  EXPECT_EQ(Shortened("  METRIC,TZ \t"), "METRIC,TZ");
  const std::string long_text = std::string(46, 'a') + "穴穴";
  EXPECT_EQ(Shortened(long_text), std::string(46, 'a'));  // 穴 is three bytes: no half of it
  EXPECT_EQ(Shortened(std::string(60, 'b')).size(), 48u);
}

}  // namespace
}  // namespace kovrel
