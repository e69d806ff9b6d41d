// File comparison: dumps, the first difference, where the window marks it,
// and the work files of a compared file.
#include "texttools/file_compare.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

TEST(FileCompare, DumpIsTwoUpperCaseDigitsAndABlankPerByte) {
  EXPECT_EQ(HexDump(std::string("AB\r\n\0\x0f\xff", 7)), "41 42 0D 0A 00 0F FF ");
  EXPECT_EQ(HexDump(""), "");
}

TEST(FileCompare, FirstDifference) {
  EXPECT_EQ(FirstDifference("", ""), std::nullopt);
  EXPECT_EQ(FirstDifference("ABC", "ABC"), std::nullopt);
  EXPECT_EQ(FirstDifference("ABC", "AXC"), 1u);
  EXPECT_EQ(FirstDifference("AB", "ABC"), 2u);  // the source ends first
  EXPECT_EQ(FirstDifference("ABC", "AB"), 2u);
  EXPECT_EQ(FirstDifference("", "A"), 0u);
  // Beyond the first whole blocks and in the last byte of a long text.
  std::string a(10000, 'x');
  std::string b = a;
  b.back() = 'y';
  EXPECT_EQ(FirstDifference(a, b), 9999u);
  b = a;
  b[4096] = 'y';
  EXPECT_EQ(FirstDifference(a, b), 4096u);
}

TEST(FileCompare, MarkIsTheDifferenceOrTheSourcesLastCharacter) {
  // Files differing in their second byte: the dumps differ at the first
  // digit of the second byte (offset 3) or at its second digit (offset 4).
  const std::string a = HexDump("AB"), b = HexDump("AC"), c = HexDump("AR");
  EXPECT_EQ(MarkedOffset(*FirstDifference(a, c), a.size(), c.size()), 3u);
  EXPECT_EQ(MarkedOffset(*FirstDifference(a, b), a.size(), b.size()), 4u);
  // A target that goes on: the source's last character.
  const std::string longer = HexDump("ABC");
  EXPECT_EQ(MarkedOffset(*FirstDifference(a, longer), a.size(), longer.size()), a.size() - 1);
  // A source that goes on: the first character beyond the target.
  EXPECT_EQ(MarkedOffset(*FirstDifference(longer, a), longer.size(), a.size()), a.size());
  // An empty source: nothing to mark.
  EXPECT_EQ(MarkedOffset(0, 0, 3), std::nullopt);
}

TEST(FileCompare, ComparedFileWritesItsCopyAndItsDump) {
  testing_support::TempFolder home, files;
  WriteFileBytes(files / "a.nc", "G01\r\n");
  const ComparedFile file = PrepareComparedFile(home.path(), 1, files / "a.nc");
  EXPECT_EQ(file.bytes, "G01\r\n");
  EXPECT_EQ(file.dump, "47 30 31 0D 0A ");
  EXPECT_EQ(ReadFileBytes(home / "bak1"), "G01\r\n");
  EXPECT_EQ(ReadFileBytes(home / "bak11"), "47 30 31 0D 0A ");
  EXPECT_FALSE(FileExists(home / "bak0"));
  EXPECT_THROW(PrepareComparedFile(home.path(), 0, files / "missing.nc"), Failure);
  EXPECT_FALSE(FileExists(home / "bak0"));
}

}  // namespace
}  // namespace kovrel
