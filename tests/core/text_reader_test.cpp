// Line reading, item reading and the letter search.
#include "core/text_reader.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

using Lines = std::vector<std::string_view>;
using Items = std::vector<std::string>;

TEST(LineReader, CrLfAndLoneCrEndLinesButLoneLfDoesNot) {
  EXPECT_EQ(SplitLines("A\r\nB\r\n"), (Lines{"A", "B"}));
  EXPECT_EQ(SplitLines("A\rB\rC"), (Lines{"A", "B", "C"}));
  EXPECT_EQ(SplitLines("A\nB\r\nC"), (Lines{"A\nB", "C"}));
  EXPECT_EQ(SplitLines("A\r\r\nB"), (Lines{"A", "", "B"}));
  EXPECT_EQ(SplitLines("\n"), (Lines{"\n"}));
}

TEST(LineReader, LastLineNeedsNoEndAndEmptyTextHasNoLines) {
  EXPECT_EQ(SplitLines("X1\r\nX2"), (Lines{"X1", "X2"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("漢字\r\nカナ"), (Lines{"漢字", "カナ"}));
}

TEST(ItemReader, CommasAndEveryLineEndEndAnItem) {
  EXPECT_EQ(SplitItems("X10,Y20\r\nG01\rM30\nM02"), (Items{"X10", "Y20", "G01", "M30", "M02"}));
  EXPECT_EQ(SplitItems("A\r\n\r\nB"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems("A,,B"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems("A,\r\nB"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems(""), Items{});
}

TEST(ItemReader, BlanksBeforeAnItemAreSkippedAndQuotesDropped) {
  EXPECT_EQ(SplitItems("  X1 ,\tY2"), (Items{"X1 ", "Y2"}));
  EXPECT_EQ(SplitItems("\"a,b\"rest ignored,C"), (Items{"a,b", "C"}));
  EXPECT_EQ(SplitItems(" \"T01\"\r\nX"), (Items{"T01", "X"}));
  EXPECT_EQ(SplitItems("\"open"), (Items{"open"}));
}

TEST(LetterSearch, FirstOccurrenceCaseSensitive) {
  EXPECT_EQ(FindLetter("G00G01X1", "G01"), 3u);
  EXPECT_FALSE(HasLetter("g01x1", "G01"));
  EXPECT_TRUE(HasLetter("T01φ0.8", "φ"));
  EXPECT_EQ(TextAfter("X-12.5Y3", "X"), "-12.5Y3");
  EXPECT_EQ(TextAfter("Y3", "X"), "");
  EXPECT_EQ(SpanOf(" 12.5-X7", " 0123456789.-+"), " 12.5-");
  EXPECT_EQ(SpanOf("", "0"), "");
}

}  // namespace
}  // namespace kovrel
