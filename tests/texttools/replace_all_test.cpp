// Replace all on its character stream, including the failed partial match
// that hides an occurrence.
#include "texttools/replace_all.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

TEST(ReplaceAll, Table) {
  const struct {
    const char* text;
    const char* find;
    const char* with;
    const char* result;
    std::size_t count;
  } cases[] = {
      {"AAB", "AB", "X", "AAB", 0},           // the second A is consumed by the failed match
      {"ABAB", "AB", "X", "XX", 2},
      {"XAB", "ABC", "-", "XAB", 0},          // cut off by the end of the text
      {"AAA", "A", "B", "BBB", 3},            // one character, adjacent occurrences
      {"AAA", "AA", "B", "BA", 1},
      {"ABCABD", "ABD", "Z", "ABCZ", 1},
      {"AXAB", "AB", "", "AX", 1},            // replaced by nothing
      {"G01\r\nG01", "G01", "G1", "G1\r\nG1", 2},
      {"穴あけ穴", "穴", "孔", "孔あけ孔", 2},
      {"ab穴穴c", "穴c", "X", "ab穴穴c", 0},    // the first 穴 fails on the second and hides it
      {"abc", "", "X", "abc", 0},             // an empty search string replaces nothing
      {"", "A", "B", "", 0},
      {"g01", "G01", "X", "g01", 0},          // case counts
  };
  for (const auto& c : cases) {
    const ReplaceResult result = ReplaceAll(c.text, c.find, c.with);
    EXPECT_EQ(result.text, c.result) << c.text << " / " << c.find;
    EXPECT_EQ(result.count, c.count) << c.text << " / " << c.find;
  }
}

TEST(ReplaceAll, MarkedDuplicateIsOneCharacterThatMatchesItsPlainForm) {
  const std::string marked = "≒\xef\xb8\x80";  // NEC 87 90
  // Found by the plain character and replaced together with its marker.
  ReplaceResult result = ReplaceAll("A" + marked + "B≒", "≒", "=");
  EXPECT_EQ(result.text, "A=B=");
  EXPECT_EQ(result.count, 2u);
  result = ReplaceAll("X" + marked + "Y", "X≒Y", "Z");
  EXPECT_EQ(result.text, "Z");
  result = ReplaceAll("≒Y", marked + "Y", "Z");  // the marked form finds the plain one too
  EXPECT_EQ(result.text, "Z");
  result = ReplaceAll(marked + marked, "A", "B");  // nothing found: every byte stays
  EXPECT_EQ(result.text, marked + marked);
}

TEST(ReplaceAll, LineEndsAndJapaneseAroundTheMatchesStay) {
  const ReplaceResult result = ReplaceAll("（コメント）X1\r\nX2\rX3\n", "X", "Y");
  EXPECT_EQ(result.text, "（コメント）Y1\r\nY2\rY3\n");
  EXPECT_EQ(result.count, 3u);
  EXPECT_EQ(ConvertedCountMessage(3), "[ 3 ]個を変換しました。");
}

TEST(FindNext, StartsOneCharacterAfterTheCaretAndDoesNotWrap) {
  const auto at = [](std::string_view text, std::size_t caret, std::string_view find) {
    const auto found = FindAfterCaret(text, caret, find);
    return found ? static_cast<long>(found->start) : -1L;
  };
  EXPECT_EQ(at("G01G01", 0, "G01"), 3);   // the occurrence at the caret is passed
  EXPECT_EQ(at("XG01", 0, "G01"), 1);
  EXPECT_EQ(at("G01G01", 3, "G01"), -1);  // no wrap round to the start
  EXPECT_EQ(at("AAB", 0, "AB"), 1);       // every position is tried
  EXPECT_EQ(at("ABC", 0, ""), -1);
  EXPECT_EQ(at("ABC", 3, "C"), -1);       // caret at the end
  EXPECT_EQ(at("g01G01", 0, "G01"), 3);
  // One character is one Japanese character or one marked duplicate.
  EXPECT_EQ(at("穴穴", 0, "穴"), 3);
  const std::string marked = "≒\xef\xb8\x80";
  const auto found = FindAfterCaret("A" + marked + "B", 0, "≒B");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->start, 1u);
  EXPECT_EQ(found->end, 1u + marked.size() + 1u);
  EXPECT_EQ(at(marked + "≒", 0, "≒"), static_cast<long>(marked.size()));
  EXPECT_EQ(NotFoundMessage("G99"), "検索文字[ G99 ]が見つかりませんでした。");
}

}  // namespace
}  // namespace kovrel
