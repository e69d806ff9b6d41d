// The shared NC reading helpers: block separators and splitting, the modal
// axis with every unit and incremental mode, the motion item, and the slot
// table.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>

#include "core/failure.h"
#include "core/nc_blocks.h"
#include "core/nc_coordinates.h"
#include "core/number_reader.h"
#include "core/slot_table.h"

namespace kovrel {
namespace {

TEST(NcBlocks, BothSeparatorsAndParameterBlocks) {
  EXPECT_EQ(DetectBlockSeparator("G01*\r\nX1*"), "*");
  EXPECT_EQ(DetectBlockSeparator("G01\r\nX1*"), "\r");
  EXPECT_EQ(DetectBlockSeparator("G01\nX1"), "\n");
  EXPECT_EQ(DetectBlockSeparator("G01X1"), "");
  // "*" ends blocks; the CR LF after it is dropped.
  EXPECT_EQ(SplitBlocks("X1,Y2*\r\nX3*", "*"), "X1Y2\r\nX3\r\n\r\n");
  // CR ends blocks; the LF of CR LF and any "*" are dropped.
  EXPECT_EQ(SplitBlocks("X1\r\nX2*\r\n", "\r"), "X1\r\nX2\r\n\r\n");
  // Gerber parameters between "%" signs go when asked, and only then.
  EXPECT_EQ(SplitBlocks("%FSLAX24Y24*%\r\nD10*X1D02*", "*", true), "D10\r\nX1D02\r\n\r\n");
  EXPECT_EQ(SplitBlocks("%MOMM*%X1*", "*"), "%MOMM\r\n%X1\r\n\r\n");
}

TEST(ModalAxis, EveryUnitAndIncrementalMode) {
  const struct {
    CoordinateUnit unit;
    const char* text;
    float value;
  } units[] = {
      {{1000, 0}, "1.23", 1.23f},  {{10, 0}, "123", 1.23f},  {{1, 0}, "1230", 1.23f},
      {{0.1, 0}, "12300", 1.23f},  {{1, 6}, "00123", 1.23f}, {{1, 7}, "000123", 1.23f},
      {{0.01, 0}, "123000", 1.23f}, {{1, 0}, " 12 50Y", 1.25f}, {{1, 6}, "-0025", -2.5f},
      {{0.001, 8}, "0123", 1.23f},  {{0.001 * kMillimetresPerInch, 8}, "01", 25.4f},
  };
  for (const auto& c : units) {
    ModalAxis axis;
    const auto read = [&c](std::string_view text) { return ReadCoordinate(text, c.unit); };
    ASSERT_TRUE(axis.Take(std::string("G01X") + c.text, "X", false, read)) << c.text;
    EXPECT_FLOAT_EQ(axis.value, c.value) << c.text;
  }
  const auto thousandths = [](std::string_view text) { return ReadCoordinate(text, {1, 0}); };
  ModalAxis absolute, incremental;
  for (const char* block : {"X1000Y5", "Y7", "X-250"}) {
    absolute.Take(block, "X", false, thousandths);
    incremental.Take(block, "X", true, thousandths);
  }
  EXPECT_FLOAT_EQ(absolute.value, -0.25f);   // the last X given
  EXPECT_FLOAT_EQ(incremental.value, 0.75f);  // 1.0 - 0.25: a block without X adds nothing
  EXPECT_FLOAT_EQ(incremental.sum, 0.75f);
  EXPECT_FALSE(absolute.Take("Y3", "X", false, thousandths));
  EXPECT_THROW(ReadCoordinate(std::string(48, '9'), {1, 0}), Failure);
}

TEST(ReadMotion, EachWordAfterItsFirstLetterAndZeroWhenMissing) {
  const NcMotion arc = ReadMotion("G02X10Y-2.5I5J0");
  EXPECT_EQ(arc.g, 2);
  EXPECT_EQ(arc.x, 10);
  EXPECT_EQ(arc.y, -2.5f);
  EXPECT_EQ(arc.i, 5);
  EXPECT_EQ(arc.j, 0);
  const NcMotion line = ReadMotion("G90G01X5");  // the first G, no Y
  EXPECT_EQ(line.g, 90);
  EXPECT_EQ(line.x, 5);
  EXPECT_EQ(line.y, 0);
  EXPECT_THROW(ReadMotion("G01X1E40"), Failure);
}

// Items long and short (the letters are found sixteen bytes at a time):
// each word is the number after its letter's first place, and an item is a
// move exactly when IsMotionItem says so.
TEST(ReadMotion, ReadsWhatTheLetterSearchesRead) {
  std::mt19937 random(9);
  const std::string_view alphabet = "GGG00123XYIJ0123456789.-+ F,";
  for (int n = 0; n < 50000; ++n) {
    std::string item(random() % 40, ' ');
    for (char& c : item) c = alphabet[random() % alphabet.size()];
    const float want[] = {SingleAfter(item, "G"), SingleAfter(item, "X"), SingleAfter(item, "Y"),
                          SingleAfter(item, "I"), SingleAfter(item, "J")};
    NcMotion read;
    ASSERT_EQ(ReadMoveItem(item, read), IsMotionItem(item)) << item;
    if (!IsMotionItem(item)) read = ReadMotion(item);
    const float got[] = {read.g, read.x, read.y, read.i, read.j};
    ASSERT_EQ(std::memcmp(got, want, sizeof got), 0) << item;
  }
}

TEST(SlotTable, FirstEqualOrFirstFree) {
  std::array<std::string, 4> names = {"D10", "", "T1", ""};
  EXPECT_EQ(FirstEqualOrFree(names, 4, "T1"), 1);          // the free slot comes first
  EXPECT_EQ(FirstEqualOrFree(names, 4, "T1", false), 2);   // equal only
  EXPECT_EQ(FirstEqualOrFree(names, 1, "T1"), -1);         // only the first slot counts
  EXPECT_EQ(FirstEqualOrFree(names, 4, "D10"), 0);
  names = {"A", "B", "C", "D"};
  EXPECT_EQ(FirstEqualOrFree(names, 4, "E"), -1);
}

}  // namespace
}  // namespace kovrel
