// G-code grouping and tidying.
#include "convert/gcode_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/streamed_output.h"

namespace kovrel {
namespace {

std::string Group(std::string_view gcode) { return GroupGcode(gcode).text; }

TEST(GcodeSort, WorkedExample) {
  EXPECT_EQ(Group("D10\r\nG00X0Y0\r\nG01X10Y0\r\nD11\r\nG00X5Y5\r\nG01X6Y5\r\nD10\r\nG00X20Y0\r\nG01X30Y0\r\n"),
            "D10\r\nG00X0Y0\r\nG01X10Y0\r\nG00X20Y0\r\nG01X30Y0\r\nD11\r\nG00X5Y5\r\nG01X6Y5\r\n");
}

TEST(GcodeSort, MovesBeforeTheFirstSelectionAreKeptFirst) {
  EXPECT_EQ(Group("G00X1Y1\r\nG01X2Y2\r\nD10\r\nG01X3Y3\r\n"), "G00X1Y1\r\nG01X2Y2\r\nD10\r\nG01X3Y3\r\n");
  // With a blank item too: the moves before any selection still come first,
  // the moves after the blank item stay behind it.
  EXPECT_EQ(Group("G01X1Y1\r\nD10\r\nG01X2Y2\r\n\r\nG01X3Y3\r\n"),
            "G01X1Y1\r\nD10\r\nG01X2Y2\r\n\r\nG01X3Y3\r\n");
}

TEST(GcodeSort, RepeatedRapidMoves) {
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nG00X1Y1\r\nG01X2Y2\r\n"), "D10\r\nG00X1Y1\r\nG01X2Y2\r\n");
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nG01X2Y2\r\nG00X1Y1\r\n"), "D10\r\nG00X1Y1\r\nG01X2Y2\r\nG00X1Y1\r\n");
  // The first rapid move of a group stays even when the move before it in
  // the program is the same.
  EXPECT_EQ(Group("D10\r\nG00X1Y1\r\nD11\r\nG00X1Y1\r\n"), "D10\r\nG00X1Y1\r\nD11\r\nG00X1Y1\r\n");
  EXPECT_TRUE(GroupGcode("D10\r\nM30\r\n").nothing_to_convert);
}

// The grouping as its rule says it, with a list for each selection (a
// rapid move is compared with the motion item before it in the program).
std::string GroupedByTheRule(const std::vector<std::string>& items) {
  std::vector<std::string> selections;
  std::vector<std::vector<std::size_t>> groups(1);
  std::vector<std::size_t> previous_motion(items.size(), items.size());
  std::size_t current = 0, last_motion = items.size();
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (items[k].starts_with("G0")) {
      groups[current].push_back(k);
      previous_motion[k] = last_motion;
      last_motion = k;
      continue;
    }
    const auto found = std::find(selections.begin(), selections.end(), items[k]);
    current = static_cast<std::size_t>(found - selections.begin()) + 1;
    if (found == selections.end()) {
      selections.push_back(items[k]);
      groups.emplace_back();
    }
  }
  std::string out;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (g > 0) out += selections[g - 1] + "\r\n";
    bool first_rapid = true;
    for (const std::size_t k : groups[g]) {
      if (items[k].starts_with("G00")) {
        if (!first_rapid && previous_motion[k] < items.size() && items[previous_motion[k]] == items[k]) continue;
        first_rapid = false;
      }
      out += items[k] + "\r\n";
    }
  }
  return out;
}

TEST(GcodeSort, ManyGroupsWrittenInChunksAsTheRuleGroupsThem) {
  std::mt19937 random(3);
  std::vector<std::string> items;
  std::string program;
  for (int k = 0; k < 120000; ++k) {
    std::string item;
    switch (random() % 8) {
      case 0: item = "D" + std::to_string(10 + random() % 30); break;
      case 1: item = "G00X1Y1"; break;
      case 2: item = "G00X" + std::to_string(random() % 50) + "Y2"; break;
      default: item = "G01X" + std::to_string(random() % 1000) + "Y" + std::to_string(k); break;
    }
    program += item + "\r\n";
    items.push_back(std::move(item));
  }
  const auto streamed = testing_support::RunStreamed([&](TextOutput& out) { GroupGcode(program, out); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  // Compared whole: a difference in texts this long is not worth a diff.
  EXPECT_TRUE(streamed.text == GroupedByTheRule(items));
  EXPECT_TRUE(streamed.text == Group(program));
}

TEST(GcodeSort, Tidying) {
  EXPECT_EQ(TidyRapidMoves("G00X1Y1\r\nG00X2Y2\r\nG01X3Y3\r\n"), "G00X2Y2\r\nG01X3Y3\r\n");
  EXPECT_EQ(TidyRapidMoves("G00X1Y1\r\nD11\r\nG01X2Y2\r\n"), "D11\r\nG00X1Y1\r\nG01X2Y2\r\n");
  EXPECT_EQ(TidyRapidMoves("G01X1Y1\r\nG00X0Y0\r\n"), "G01X1Y1\r\n");
  EXPECT_EQ(TidyRapidMoves(""), "");
}

}  // namespace
}  // namespace kovrel
