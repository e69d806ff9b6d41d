// Control-character replacement and deletion.
#include "texttools/control_chars.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

TEST(ControlChars, NamesMapInExactCase) {
  EXPECT_EQ(MapControlName("CrLf"), "\r\n");
  EXPECT_EQ(MapControlName("Cr"), "\r");
  EXPECT_EQ(MapControlName("Lf"), "\n");
  EXPECT_EQ(MapControlName("crlf"), "crlf");
  EXPECT_EQ(MapControlName("*"), "*");
}

TEST(ControlChars, Table) {
  const struct {
    const char* text;
    const char* target;
    const char* with;
    const char* result;
    std::size_t count;
  } cases[] = {
      {"A\r\nB\r\n", "\r\n", "\r", "A\rB\r", 2},
      {"A\r\nB\r\n", "\r\n", "*", "A*B*", 2},
      {"A\r\nB\r\n", "\r\n", "", "AB", 2},
      {"\rA\r\n", "\r\n", "", "\rA", 1},      // CR A is a piece of its own
      {"A\r", "\r\n", "", "A\r", 0},           // cut short by the end
      {"A*B*", "*", "\r\n", "A\r\nB\r\n", 2},
      {"abc", "", "X", "abc", 0},
      {"ＸＹＸＹ", "ＸＹ", "Z", "ZZ", 2},
      {"ABAB", "AB", "-", "--", 2},
      {"AAB", "AB", "-", "AAB", 0},            // piece AA, then B
  };
  for (const auto& c : cases) {
    const ReplaceResult result = ReplaceControl(c.text, c.target, c.with);
    EXPECT_EQ(result.text, c.result) << testing::PrintToString(std::string(c.text));
    EXPECT_EQ(result.count, c.count) << testing::PrintToString(std::string(c.text));
  }
  EXPECT_EQ(DeletedCountMessage(2), "[ 2 ]個を削除しました。");
}

}  // namespace
}  // namespace kovrel
