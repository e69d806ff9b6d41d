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

TEST(LineReader, LoneLfEndsALineWhenAsked) {
  const auto lines = [](std::string_view text) {
    Lines all;
    LineReader reader(text, true);
    std::string_view line;
    while (reader.Next(line)) all.push_back(line);
    return all;
  };
  EXPECT_EQ(lines("A\nB\rC\r\nD"), (Lines{"A", "B", "C", "D"}));
  EXPECT_EQ(lines("A\n\rB\n"), (Lines{"A", "", "B"}));
  EXPECT_EQ(lines("\r\n\n"), (Lines{"", ""}));
}

TEST(LineEnds, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(WithCrLfLineEnds("A\nB\rC\r\nD"), "A\r\nB\r\nC\r\nD");
  EXPECT_EQ(WithCrLfLineEnds("\n\r\r\n\n"), "\r\n\r\n\r\n\r\n");  // LF CR is two line ends
  EXPECT_EQ(WithCrLfLineEnds("漢字\n"), "漢字\r\n");
  EXPECT_EQ(WithCrLfLineEnds(""), "");
  EXPECT_FALSE(HasLoneLineEnds("A\r\nB\r\n"));
  EXPECT_FALSE(HasLoneLineEnds("AB"));
  EXPECT_TRUE(HasLoneLineEnds("A\r\nB\n"));
  EXPECT_TRUE(HasLoneLineEnds("A\r"));
  EXPECT_TRUE(HasLoneLineEnds("A\n\r\nB"));
}

TEST(ItemReader, CommasAndEveryLineEndEndAnItem) {
  EXPECT_EQ(SplitItems("X10,Y20\r\nG01\rM30\nM02"), (Items{"X10", "Y20", "G01", "M30", "M02"}));
  EXPECT_EQ(SplitItems("A\r\n\r\nB"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems("A,,B"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems("A,\r\nB"), (Items{"A", "", "B"}));
  EXPECT_EQ(SplitItems(""), Items{});
  // A text that ends in CR LF has no empty item after its last line.
  EXPECT_EQ(SplitItems("G00X1\r\nG01Y2\r\n"), (Items{"G00X1", "G01Y2"}));
  EXPECT_EQ(SplitItems("A,B\r\n\r\n"), (Items{"A", "B", ""}));
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
