// Hole coordinates in thousandths written from their digits: every whole
// number of thousandths up to six digits, and fields at the edges of the
// short way, against the general coordinate reading and mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "holes/hole_format.h"

namespace kovrel {
namespace {

// The hole list line FormatHoleData writes for the block, and the one the
// general coordinate reading gives.
std::string Formatted(const std::string& block, HoleUnit unit) {
  HoleFormatOptions options;
  options.unit = unit;
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  const std::string text = FormatHoleData("T\n" + block + "\n", options);
  return text.substr(text.find("\r\nX") + 2);
}
std::string Expected(std::string_view after_x, std::string_view after_y, HoleUnit unit) {
  static const Mask mask = ParseMask("#######0.0###");
  std::string line;
  AppendLine(line, "X", Masked(HoleCoordinate(after_x, unit), mask), " Y", Masked(HoleCoordinate(after_y, unit), mask));
  return line;
}

TEST(HoleFormat, ThousandthsAreFormattedAsTheirCoordinatesRead) {
  // Every whole number of thousandths up to six digits, both signs, in one
  // run of blocks.
  std::string blocks, expected;
  for (int k = -999999; k <= 999999; ++k) {
    const std::string x = std::to_string(k), y = std::to_string(999999 - k);
    Append(blocks, "X", x, "Y", y, "\n");
    expected += Expected(x, y, HoleUnit::kThousandths);
  }
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  options.tool_mode = ToolMode::kBlocksWithoutCoordinates;
  const std::string formatted = FormatHoleData(blocks, options);
  // Compared as a whole, shown from the first difference (the whole texts
  // are too long for a message).
  const auto [at, _] = std::mismatch(formatted.begin(), formatted.end(), expected.begin(), expected.end());
  const std::size_t from = formatted.rfind('\n', static_cast<std::size_t>(at - formatted.begin())) + 1;
  EXPECT_TRUE(formatted == expected) << formatted.substr(from, 40) << " / " << expected.substr(from, 40);

  // Fields and texts at the edges of the short way, in every unit the
  // short way takes, and random fields of digits and signs.
  const char* texts[] = {"",        "-",       "+5",     "-0",      "000",     "12-3",   "-12-3",  "1 5",
                         "1.5",     "15.",     "+-5",    "0000001", "9999999", "1000000", "99999999",
                         "1234567890123456", "-0000005", "5E3",   "&H10"};
  std::mt19937 random(11);
  std::vector<std::string> fields(std::begin(texts), std::end(texts));
  for (int n = 0; n < 20000; ++n) {
    std::string field(random() % 9, '0');
    for (char& c : field) c = "0123456789-+"[random() % (random() % 8 == 0 ? 12 : 10)];
    fields.push_back(field);
  }
  for (const HoleUnit unit : {HoleUnit::kThousandths, HoleUnit::kLeadingZeros6, HoleUnit::kLeadingZeros7}) {
    for (const std::string& field : fields) {
      const std::string y = "12" + field;
      std::string want;
      try {
        want = Expected(field + "Y" + y, y, unit);
      } catch (const Failure&) {
        continue;  // both ways fail alike: left to the general route
      }
      ASSERT_EQ(Formatted("X" + field + "Y" + y, unit), want) << field;
    }
  }
}

}  // namespace
}  // namespace kovrel
